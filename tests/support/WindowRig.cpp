#include "support/WindowRig.h"

#include "fields/SpinButton.h"
#include "pages/ServiceView.h"
#include "pages/display/DisplaySetupPage.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace tess::test {

WindowRig::WindowRig(const sim::Setup &setup) : sim(setup)
{
    // The units hold the wall the first show plans (3 projectors, centred,
    // overlap 384), so that reading them brings no mismatch warning; a test
    // that wants another wall sets the units before it connects.
    for (int unit = 1; unit <= sim.unitCount(); ++unit) {
        sim.unit(unit).settings.wide.totalProjectors = 3;
        sim.unit(unit).settings.wide.justification = 1;
        sim.unit(unit).settings.wide.overlapWidth = 384;
    }
    port = std::make_unique<sim::SimSerialPort>(h.clock, sim);
    h.setPort(port.get());
    h.build();
}

WindowRig::~WindowRig() = default;

InputRecord &WindowRig::lockChannel(int channel)
{
    InputRecord &r = form().settings().channelInput(channel);
    r.VideoLoaded = 1;
    r.VideoLocked = 1;
    r.HTotal = 1344;
    r.HActive = 1024;
    r.HPositionRef = 200;
    r.HPositionMax = 400;
    r.HPosition = 210;
    r.VPositionRef = 30;
    r.VPositionMax = -1;
    r.VPosition = 31;
    return r;
}

void WindowRig::show()
{
    h.showAnsweringNo();
    activate();
}

void WindowRig::activate()
{
    // The offscreen platform activates a window when asked, at once; a
    // window that is not active by the next events is a fault, not a slow
    // machine.
    h.form->activateWindow();
    if (!QTest::qWaitForWindowActive(h.form.get(), 1000))
        qFatal("the window did not become active");
}

void WindowRig::showAndConnect()
{
    h.dialogs.answer(true);
    h.form->show();
    QCoreApplication::processEvents();
    const auto questions = h.dialogs.takeQuestions();
    if (questions.size() != 1)
        qFatal("expected the search question only, got %d questions", int(questions.size()));
    activate();
    if (!h.form->deviceConnected())
        qFatal("the search did not connect: %s", qPrintable(h.dialogs.takeMessages().join(u'|')));
    takeCommands();
}

void WindowRig::openDisplaySetup(int projectors, bool serviceView)
{
    DisplaySetupPage &page = h.form->pages().displaySetup();
    page.showScreens(projectors);
    page.setScreenControlsEnabled(true);
    h.form->serviceView().setOn(serviceView);
    h.form->PhasePageControl->setCurrentWidget(&page);
    QCoreApplication::processEvents();
}

void WindowRig::openPage(QWidget *page)
{
    h.form->PhasePageControl->setCurrentWidget(page);
    QCoreApplication::processEvents();
}

void WindowRig::chooseMenu(const char *name)
{
    h.form->menuItem(name)->trigger();
    QCoreApplication::processEvents();
}

QString WindowRig::shownText(const QString &name) const
{
    auto *control = find<QWidget>(name);
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *list = qobject_cast<QComboBox *>(control))
        return list->currentText();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(control))
        return memo->toPlainText();
    qFatal("%s shows no text", qPrintable(name));
    return {};
}

// A user's input reaches the window through the event loop, after what
// the program left pending there (the pages taking input again after a
// wait, for one).
static void reachEventLoop()
{
    QCoreApplication::processEvents();
}

void WindowRig::clickInto(QWidget *control)
{
    reachEventLoop();
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
    QCoreApplication::processEvents();
}

void WindowRig::typeInto(QLineEdit *edit, const QString &text)
{
    clickInto(edit);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

void WindowRig::pressKey(Qt::Key key)
{
    reachEventLoop();
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = h.form.get();
    QTest::keyClick(target, key);
    QCoreApplication::processEvents();
}

void WindowRig::clickSpin(SpinButton *spin, bool up)
{
    reachEventLoop();
    const QPoint at = spin->halfRect(up ? SpinButton::Half::Up : SpinButton::Half::Down).center();
    QTest::mouseClick(spin, Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

void WindowRig::pressSpin(SpinButton *spin, bool up)
{
    reachEventLoop();
    QTest::mousePress(spin, Qt::LeftButton, {},
                      spin->halfRect(up ? SpinButton::Half::Up : SpinButton::Half::Down).center());
}

void WindowRig::releaseSpin(SpinButton *spin, bool up)
{
    QTest::mouseRelease(spin, Qt::LeftButton, {},
                        spin->halfRect(up ? SpinButton::Half::Up : SpinButton::Half::Down).center());
    QCoreApplication::processEvents();
}

QList<QByteArray> WindowRig::takeCommands(int unit)
{
    const QList<QByteArray> all = sim.log().commands(unit);
    const QList<QByteArray> fresh = all.mid(seen_[unit - 1]);
    seen_[unit - 1] = all.size();
    return fresh;
}

QList<QByteArray> WindowRig::takeCommandsInOrder()
{
    QList<QByteArray> fresh;
    qsizetype counted[2] = {0, 0};
    for (const sim::LogEntry &entry : sim.log().entries()) {
        if (entry.kind != sim::LogEntry::Kind::Command || entry.unit < 1 || entry.unit > 2)
            continue;
        if (counted[entry.unit - 1]++ >= seen_[entry.unit - 1])
            fresh << QByteArray::number(entry.unit) + ':' + entry.bytes;
    }
    seen_[0] = counted[0];
    seen_[1] = counted[1];
    return fresh;
}

QList<QByteArray> WindowRig::takeCommands()
{
    return takeCommands(1) + takeCommands(2);
}

}  // namespace tess::test
