#pragma once

#include "core/Simulator.h"
#include "port/SimSerialPort.h"
#include "support/FormHarness.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace tess {
class SpinButton;
}

namespace tess::test {

// The real main window against simulated units on COM1 (in-process), with
// scripted boxes and virtual time: the fixture of every page test. The
// window is shown and active, so focus moves as a user's would.
class WindowRig {
public:
    explicit WindowRig(const sim::Setup &setup = sim::Setup::controller({5, 6}));
    ~WindowRig();

    FormHarness h{std::nullopt, nullptr, FormHarness::Build::Later};
    sim::Simulator sim;
    std::unique_ptr<sim::SimSerialPort> port;

    TTessalineForm &form() { return *h.form; }
    // Marks `channel`'s input as locked in the settings model, its H
    // position free to move 72 to 328 (limit 400), V position 14 to 46.
    InputRecord &lockChannel(int channel);

    // Shows the window, answering No to the search question.
    void show();
    // Shows the window and searches: the units are found and read.
    void showAndConnect();
    // Makes the window the active one again (after a wait window took the
    // activation, say); stops the test if it does not become active.
    void activate();
    // Brings the window to an eight-projector wall as the planning does,
    // with the service view on, and puts the Display Setup page in front.
    void openDisplaySetup(int projectors = 8, bool serviceView = true);
    // Puts `page` in front, as a click on its tab does.
    void openPage(QWidget *page);
    void chooseMenu(const char *name);

    template <typename T>
    T *find(const QString &name) const
    {
        T *control = h.form->findChild<T *>(name);
        if (!control)
            qFatal("no control %s", qPrintable(name));
        return control;
    }

    // What a label, edit, list or text box named `name` shows.
    QString shownText(const QString &name) const;

    // The user's actions.
    void typeInto(QLineEdit *edit, const QString &text);  // clicks in, selects all, types
    void pressKey(Qt::Key key);                           // to the control that has the focus
    void clickSpin(SpinButton *spin, bool up);
    void pressSpin(SpinButton *spin, bool up);
    void releaseSpin(SpinButton *spin, bool up);
    void clickInto(QWidget *control);

    // The commands unit 1 or 2 received since the last call, in the form
    // the unit sees them ("BLKGN 2 200").
    QList<QByteArray> takeCommands(int unit);
    QList<QByteArray> takeCommands();  // both units, unit 1's first
    // Both units' fresh commands in the order they arrived, each led by its
    // unit ("2:EFTB 1  3.0").
    QList<QByteArray> takeCommandsInOrder();

private:
    qsizetype seen_[2] = {0, 0};
};

}  // namespace tess::test
