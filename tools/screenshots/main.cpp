// Renders the main window, each of its pages, the wait window, the
// connection-help window, the about box and the menus to PNG files; or the
// pictures of the user's guide, from the session the guide walks through.
// Usage: tessaline-screenshots OUTPUT_DIR         every window and page
//        tessaline-screenshots --guide DIR        the guide's pictures into DIR
//        tessaline-screenshots --guide-check DIR  fails when those in DIR are stale
// (runs offscreen)

#include "GuidePictures.h"
#include "GuideSession.h"
#include "app/AboutBox.h"
#include "app/TConnectionHelpForm.h"
#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "pages/ServiceView.h"
#include "model/SettingsModel.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/info/InfoPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"
#include "pages/planning/PlanningPage.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramExit.h"
#include "port/SimSerialPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Answers every question No and keeps quiet: nobody is there to click.
class UnattendedDialogs final : public tess::Dialogs {
public:
    void showMessage(const QString &, const QString &) override {}
    bool askOkCancel(const QString &, const QString &) override { return false; }
    bool askYesNo(const QString &, const QString &) override { return false; }
    QString openFileName(const FileRequest &) override { return {}; }
    QString saveFileName(const FileRequest &) override { return {}; }
};

bool save(QWidget *widget, const QDir &dir, const QString &name)
{
    QCoreApplication::processEvents();
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Two simulated units behind the controller holding a full wall of eight
// projectors, every input locked, each screen and channel with values of
// its own.
void setUpWall(tess::sim::Simulator &units)
{
    for (int unit = 1; unit <= 2; ++unit) {
        tess::sim::UnitSettings &held = units.unit(unit).settings;
        held.wide.totalProjectors = 8;
        held.wide.justification = 1;
        held.wide.overlapWidth = 384;
        held.wide.advancedMode = 1;
        held.wide.dataDoubling = 1;
        for (int n = 1; n <= 4; ++n) {
            const int k = (unit - 1) * 4 + n;
            units.unit(unit).setInputSignal(n, tess::sim::InputSignal::lockedAt(1280, 1024));
            tess::sim::InputSettings &input = held.inputs[std::size_t(n - 1)];
            input.phase = k - 4;
            input.contrastC = 1000 + 5 * k;
            input.contrastR = -k;
            input.brightnessB = 2 * k;
            tess::sim::ScreenSettings &screen = held.screens[std::size_t(n - 1)];
            screen.blackLevel = quint8(10 + k);
            screen.testPattern = quint8(k % 11);
            screen.testGrid = k % 2;
            screen.leftGamma = 20 + k;
            screen.rightGamma = 24 - k / 2;
            screen.leftFeather = k > 1;
            screen.rightFeather = k < 8;
            screen.gammaLeftWidth = screen.gammaRightWidth = 128;
            screen.gammaLeftOffset = k;
            screen.seamGains[std::size_t(n)] = quint8(120 + k);
        }
    }
}

// Every page (the service view on) after a read of a full two-unit wall
// from the simulated units: page-<name>-after-read.
bool shootWallAfterRead(const QDir &out, tess::Dialogs &dialogs, const QString &startDir)
{
    tess::sim::Simulator units(tess::sim::Setup::controller({1, 2}));
    setUpWall(units);
    tess::sim::SimSerialPort port(tess::Clock::system(), units);
    tess::TTessalineForm read(
        tess::FormServices{dialogs, tess::Clock::system(), tess::ProgramExit::system(), startDir, &port});
    read.createAuxiliaryWindows();
    read.show();
    // The first show plans the default wall (and asks about searching):
    // let it finish before the read, or it would plan over what is read.
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents();
    read.SearchAllClick();
    if (!read.deviceConnected()) {
        std::fprintf(stderr, "the simulated units were not found\n");
        return false;
    }
    read.serviceView().setOn(true);
    bool ok = true;
    QTabWidget *pages = read.PhasePageControl;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        const QString name = QStringLiteral("page-") + pages->widget(i)->objectName();
        if (pages->widget(i) == &read.pages().displaySetup()) {
            auto *screenTabs = pages->widget(i)->findChild<QTabWidget *>(QStringLiteral("ScreenPageControl"));
            for (int tab = 0; tab < screenTabs->count(); ++tab) {
                screenTabs->setCurrentIndex(tab);
                ok &= save(&read, out,
                           name + u'-' + screenTabs->widget(tab)->objectName() + QStringLiteral("-after-read"));
            }
            screenTabs->setCurrentIndex(0);
            continue;
        }
        ok &= save(&read, out, name + QStringLiteral("-after-read"));
    }
    // The second unit's channels.
    pages->setCurrentWidget(&read.pages().sourceSetup());
    read.pages().sourceSetup().selectChannel(6);
    ok &= save(&read, out, QStringLiteral("page-SourceSetupTabSheet-channel6-after-read"));
    read.hide();
    return ok;
}

// The guide's pictures: written into `folder`, or held against those
// there.
int guidePictures(const QString &folder, bool check)
{
    using tess::guide::PictureBook;
    if (!check && !QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }
    PictureBook book(QDir(folder), check ? PictureBook::Mode::Check : PictureBook::Mode::Write);
    const bool acted = tess::guide::runGuideSession(book);
    QStringList problems = book.problems();
    if (check) {
        for (const QString &file : book.notMade())
            problems << file + QStringLiteral(": kept, but the session no longer makes it");
        // The guide beside the folder shows every picture, and only those.
        QFile guide(QDir(folder).filePath(QStringLiteral("../guide.md")));
        if (guide.open(QIODevice::ReadOnly | QIODevice::Text)) {
            const QString text = QString::fromUtf8(guide.readAll());
            const QString folderName = QDir(folder).dirName();
            QStringList shown;
            static const QRegularExpression picture(QStringLiteral("\\]\\(([^/)]+)/([^)]+\\.png)\\)"));
            for (auto match = picture.globalMatch(text); match.hasNext();) {
                const auto m = match.next();
                if (m.captured(1) == folderName)
                    shown << m.captured(2);
            }
            for (const QString &file : shown) {
                if (!book.made().contains(file))
                    problems << QStringLiteral("guide.md shows %1, which the session does not make").arg(file);
            }
            for (const QString &file : book.made()) {
                if (!shown.contains(file))
                    problems << QStringLiteral("guide.md does not show %1").arg(file);
            }
        }
    }
    for (const QString &problem : problems)
        std::fprintf(stderr, "guide: %s\n", qPrintable(problem));
    if (!acted)
        std::fprintf(stderr, "guide: the session did not go as the guide tells it (see above)\n");
    if (check && !problems.isEmpty())
        std::fprintf(stderr,
                     "guide: the pictures in %s are stale; make them again with\n"
                     "       cmake --build build --target guide-pictures\n",
                     qPrintable(folder));
    if (!check && acted && problems.isEmpty())
        std::printf("guide: %d pictures in %s\n", int(book.made().size()), qPrintable(folder));
    return acted && problems.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(tess::applicationIcon());
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1].startsWith(QLatin1String("--guide")))
        return guidePictures(arguments[2], arguments[1] == QLatin1String("--guide-check"));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    // Started from an empty directory: the designed values, no preferences.
    QTemporaryDir startDir;
    UnattendedDialogs dialogs;
    tess::TTessalineForm form(
        tess::FormServices{dialogs, tess::Clock::system(), tess::ProgramExit::system(), startDir.path(), nullptr});
    form.createAuxiliaryWindows();
    form.show();
    QCoreApplication::processEvents();

    bool ok = save(&form, out, QStringLiteral("main-window"));
    QTabWidget *pages = form.PhasePageControl;
    for (int i = 0; i < pages->count(); ++i) {
        const bool hidden = !pages->isTabVisible(i);
        pages->setTabVisible(i, true);
        pages->setCurrentIndex(i);
        ok &= save(&form, out, QStringLiteral("page-") + pages->widget(i)->objectName());
        pages->setTabVisible(i, !hidden);
    }
    pages->setCurrentIndex(0);

    // The Planning page for walls of 1, 3 and 8 projectors, as Calculate
    // leaves them.
    tess::PlanningPage &planning = form.pages().planning();
    auto *horizontal = planning.findChild<QLineEdit *>(QStringLiteral("HorizontalOutEdit"));
    auto *alignment = planning.findChild<QComboBox *>(QStringLiteral("ImageAlignComboBox"));
    const struct {
        const char *width;
        int alignment;
        const char *name;
    } walls[] = {{"10", 1, "1"}, {"30", 1, "3"}, {"80", 0, "8"}};
    for (const auto &wall : walls) {
        horizontal->setText(QLatin1String(wall.width));
        alignment->setCurrentIndex(wall.alignment);
        planning.CalcOutButtonClick();
        if (QLatin1String(wall.name) == QLatin1String("8")) {
            // 80 x 10 calls for 7: the eighth is chosen by hand.
            auto *count = planning.findChild<QComboBox *>(QStringLiteral("NumOfScreenComboBox"));
            count->setCurrentIndex(7);
            planning.NumOfScreenComboBoxChange();
        }
        ok &=
            save(&form, out,
                 QStringLiteral("page-PlanningTabSheet-") + QLatin1String(wall.name) + QStringLiteral("-projectors"));
    }
    horizontal->setText(QStringLiteral("30"));
    alignment->setCurrentIndex(1);
    planning.CalcOutButtonClick();

    // The Display Setup page for an eight-projector wall, as the planning
    // leaves it, with the service view on: both screen tabs.
    tess::DisplaySetupPage &display = form.pages().displaySetup();
    display.showScreens(8);
    display.setScreenControlsEnabled(true);
    form.serviceView().setOn(true);
    pages->setCurrentWidget(&display);
    auto *screenTabs = display.findChild<QTabWidget *>(QStringLiteral("ScreenPageControl"));
    for (int i = 0; screenTabs && i < screenTabs->count(); ++i) {
        screenTabs->setCurrentIndex(i);
        ok &= save(&form, out, QStringLiteral("page-DisplaySetupTabSheet-") + screenTabs->widget(i)->objectName());
    }
    // The same in advanced edge feathering mode (not connected: only what
    // is shown changes).
    if (auto *advanced = display.findChild<QCheckBox *>(QStringLiteral("AdvanceModeCheckBox"))) {
        advanced->click();
        for (int i = 0; screenTabs && i < screenTabs->count(); ++i) {
            screenTabs->setCurrentIndex(i);
            ok &= save(&form, out,
                       QStringLiteral("page-DisplaySetupTabSheet-advanced-") + screenTabs->widget(i)->objectName());
        }
        advanced->click();
    }
    if (screenTabs)
        screenTabs->setCurrentIndex(0);
    pages->setCurrentIndex(0);

    // The channel pages as a unit fills them: channel 1 locked to video,
    // channel 2 without lock.
    {
        tess::InputRecord &locked = form.settings().channelInput(1);
        locked.VideoLoaded = 1;
        locked.VideoLocked = 1;
        locked.HTotal = 1688;
        locked.HActive = 1280;
        locked.HPositionRef = locked.HPosition = 360;
        locked.HPositionMax = -1;
        locked.VPositionRef = locked.VPosition = 41;
        locked.VPositionMax = -1;
        locked.ContrastC = locked.BrightnessC = 100;
        locked.ContrastR = 2.5f;
        form.settings().channelInput(2).VideoLoaded = 1;
        for (int c = 1; c <= 2; ++c) {
            tess::OutputRecord &screen = form.settings().channelOutput(c);
            for (auto gain : tess::SeamGainFields)
                screen.*gain = 128;
        }
        form.settings().output(1, 1).SeamBridge = 1;
        form.settings().output(1, 1).BridgeThreshold = 16;
        form.settings().channelOutput(1).BridgeThreshold = 16;
        tess::SourceSetupPage &source = form.pages().sourceSetup();
        tess::SeamRemovalPage &seam = form.pages().seamRemoval();
        pages->setTabVisible(pages->indexOf(&seam), true);
        for (int c = 1; c <= 2; ++c) {
            const QString which = c == 1 ? QStringLiteral("-locked") : QStringLiteral("-unlocked");
            pages->setCurrentWidget(&source);
            source.setLinkControlsEnabled(true);
            source.selectChannel(c);
            ok &= save(&form, out, QStringLiteral("page-SourceSetupTabSheet") + which);
            pages->setCurrentWidget(&seam);
            seam.setLinkControlsEnabled(true);
            seam.selectChannel(c);
            ok &= save(&form, out, QStringLiteral("page-SeamRemovalTabSheet") + which);
        }
        pages->setTabVisible(pages->indexOf(&seam), false);
        pages->setCurrentIndex(0);
    }

    for (QMenu *menu : form.menuBar()->findChildren<QMenu *>()) {
        if (menu->objectName().isEmpty())
            continue;  // the menu bar's own overflow menu
        menu->popup(QPoint(0, 0));
        ok &= save(menu, out, QStringLiteral("menu-") + menu->objectName());
        menu->hide();
    }

    ok &= shootWallAfterRead(out, dialogs, startDir.path());

    tess::TInfoForm &wait = form.infoForm();
    wait.show();
    ok &= save(&wait, out, QStringLiteral("wait-window"));
    wait.hide();

    tess::TConnectionHelpForm &help = form.connectionHelpForm();
    help.showHelp();
    ok &= save(&help, out, QStringLiteral("connection-help"));
    help.hide();

    tess::AboutBox about(form.aboutVersionText(), &form);
    about.show();
    ok &= save(&about, out, QStringLiteral("about-box"));
    about.hide();

    form.hide();
    return ok ? 0 : 1;
}
