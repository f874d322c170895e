// Renders the main window, each of its pages, the wait window, the
// connection-help window, the about box and the menus to PNG files.
// Usage: tessaline-screenshots OUTPUT_DIR   (runs offscreen)

#include "app/AboutBox.h"
#include "app/TConnectionHelpForm.h"
#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "pages/ServiceView.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/planning/PlanningPage.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramExit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
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

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(tess::applicationIcon());
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
        ok &= save(&form, out, QStringLiteral("page-PlanningTabSheet-") + QLatin1String(wall.name) +
                                   QStringLiteral("-projectors"));
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
    pages->setCurrentIndex(0);

    for (QMenu *menu : form.menuBar()->findChildren<QMenu *>()) {
        if (menu->objectName().isEmpty())
            continue;   // the menu bar's own overflow menu
        menu->popup(QPoint(0, 0));
        ok &= save(menu, out, QStringLiteral("menu-") + menu->objectName());
        menu->hide();
    }

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
