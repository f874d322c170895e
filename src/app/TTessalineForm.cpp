#include "app/TTessalineForm.h"

#include "app/AboutBox.h"
#include "app/FormLinkHost.h"
#include "app/PageGate.h"
#include "app/TConnectionHelpForm.h"
#include "app/TInfoForm.h"
#include "app/Version.h"
#include "app/WindowPlacement.h"
#include "device/Commands.h"
#include "device/ReadAll.h"
#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "link/QtSerialPort.h"
#include "link/SerialPort.h"
#include "model/NumberFormat.h"
#include "model/PlanningPreferences.h"
#include "pages/ConfigurationFiles.h"
#include "pages/PageContext.h"
#include "pages/SendAll.h"
#include "pages/Units.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/info/InfoPage.h"
#include "pages/planning/PlanningPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <cstdio>

namespace tess {
namespace {

constexpr int ClientWidth = 908;
constexpr int ClientHeight = 594;
constexpr int StatusLineHeight = 22;

void reportCannotOpen()
{
    std::fputs("Cannot open output file.\n", stderr);
}

}  // namespace

TTessalineForm::TTessalineForm(const FormServices &services, QWidget *parent)
    : QMainWindow(parent), services_(services), fieldEnv_{state_, services.dialogs, services.clock, {}, {}}
{
    setObjectName(QStringLiteral("TessalineForm"));
    setWindowTitle(QStringLiteral("Vekslan - Tessaline"));
    // Fixed single border: system menu and minimize, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    if (!services_.port) {
        ownPort_ = std::make_unique<QtSerialPort>();
        services_.port = ownPort_.get();
    }
    linkHost_ = std::make_unique<FormLinkHost>(*this);
    deviceHost_ = std::make_unique<FormDeviceHost>(*this);
    link_ = std::make_unique<Link>(*services_.port, services_.clock, services_.dialogs, services_.exit, *linkHost_);
    search_ = std::make_unique<DeviceSearch>(*link_, *linkHost_);
    queries_ = std::make_unique<StatusQueries>(*link_, settings_, *deviceHost_);
    commands_ = std::make_unique<Commands>(*link_, settings_, state_, *deviceHost_, *queries_, refills_);
    readAll_ =
        std::make_unique<ReadAll>(*link_, *search_, *queries_, state_, *deviceHost_, refills_, services_.dialogs);
    units_ = std::make_unique<Units>(*link_, *search_, *queries_);
    fieldEnv_.deviceConnected = [this] { return link_->DeviceConnected; };

    buildPages();
    buildMainMenu();
    connect(&pages_.info(), &InfoPage::connectionModeClicked, search_.get(), &DeviceSearch::RS485CheckBoxClick);
    // A reset of the units locks the File and Serial Port menus while it runs.
    connect(&pages_.info(), &InfoPage::resetRunning, this, [this](bool running) {
        for (const char *name : {"File1", "Search1"})
            menuItem(name)->setEnabled(!running);
    });
    refills_.provide(Refill::PageControlChange, [this](int) { PhasePageControlChange(); });

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("MainStatusBar"));
    status->setSizeGripEnabled(false);
    status->setFixedHeight(StatusLineHeight);
    statusPanel_ = new QLabel(status);
    statusPanel_->setObjectName(QStringLiteral("MainStatusBarPanel"));
    status->addWidget(statusPanel_, 1);
    setStatusBar(status);

    // The client area below the menu bar is 908 x 594.
    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());

    preferencesPath_ = QDir(services_.startupDirectory).filePath(QLatin1String(PreferencesFileName));
    readPreferences();
    aboutVersionText_ = QStringLiteral("Version ") + QLatin1String(ProgramVersion);
    PhasePageControl->setCurrentWidget(&pages_.planning());

    connect(PhasePageControl, &QTabWidget::currentChanged, this, &TTessalineForm::PhasePageControlChange);
}

TTessalineForm::~TTessalineForm()
{
    // The pages go first, while everything they were built with (the
    // context, the senders, the flags) still exists: a focus change while
    // the window comes down must not reach a field whose surroundings are
    // gone.
    fieldEnv_.closing = true;
    delete PhasePageControl;
    PhasePageControl = nullptr;
}

void TTessalineForm::buildPages()
{
    PhasePageControl = new QTabWidget(this);
    PhasePageControl->setObjectName(QStringLiteral("PhasePageControl"));
    pageGate_ = std::make_unique<PageGate>(*PhasePageControl);
    pageContext_.reset(new PageContext{settings_, *commands_, state_, planning_, services_.dialogs, services_.clock,
                                       fieldEnv_, refills_, wall_, serviceView_, *deviceHost_, *units_});
    pages_.build(*pageContext_);
    for (TabPage *page : pages_.all())
        PhasePageControl->addTab(page, page->caption());
    // The service view on the Information page shows this tab.
    const auto showSeamRemoval = [this](bool on) {
        PhasePageControl->setTabVisible(PhasePageControl->indexOf(&pages_.seamRemoval()), on);
    };
    showSeamRemoval(serviceView_.isOn());
    connect(&serviceView_, &ServiceView::changed, this, showSeamRemoval);
    setCentralWidget(PhasePageControl);
}

void TTessalineForm::readPreferences()
{
    const PreferencesReadResult read = readPreferencesFile(preferencesPath_);
    if (read.status == PreferencesReadResult::Status::NotOpened) {
        reportCannotOpen();
        return;
    }
    if (read.status != PreferencesReadResult::Status::Accepted)
        return;
    pages_.restorePreferences(read.values);
    state_.PreferencesLoaded = true;
}

void TTessalineForm::writePreferences()
{
    // A field that holds no number keeps the old file as it was.
    const std::optional<PlanningPreferences> prefs = pages_.preferences();
    if (!prefs)
        return;
    if (!writePreferencesFile(preferencesPath_, *prefs))
        reportCannotOpen();
}

void TTessalineForm::setStatusText(const QString &text)
{
    statusPanel_->setText(text);
}

QString TTessalineForm::statusText() const
{
    return statusPanel_->text();
}

void TTessalineForm::setPagesEnabled(bool enabled)
{
    pageGate_->setEnabled(enabled);
}

bool TTessalineForm::deviceConnected() const
{
    return link_->DeviceConnected;
}

void TTessalineForm::createAuxiliaryWindows()
{
    infoForm();
    connectionHelpForm();
}

TInfoForm &TTessalineForm::infoForm()
{
    if (!infoForm_)
        infoForm_ = std::make_unique<TInfoForm>(services_.clock);
    return *infoForm_;
}

TConnectionHelpForm &TTessalineForm::connectionHelpForm()
{
    if (!connectionHelpForm_)
        connectionHelpForm_ = std::make_unique<TConnectionHelpForm>();
    return *connectionHelpForm_;
}

void TTessalineForm::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TTessalineForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shown_ || event->spontaneous())
        return;
    shown_ = true;
    centreOnScreen(this);
    // After the window has appeared, so that it stands behind the question.
    QMetaObject::invokeMethod(this, &TTessalineForm::FormShow, Qt::QueuedConnection);
}

void TTessalineForm::FormShow()
{
    state_.SuppressSend = true;
    planning_.AspectRatio = 1.0;
    state_.OutputFormatWidth = 1280;
    state_.OutputFormatHeight = 1024;
    pages_.displaySetup().AdvanceModeCheckBoxClick();
    pages_.planning().applyStartupDefaults(state_.PreferencesLoaded);
    pages_.planning().CalcOutButtonClick();
    pages_.info().selectStartItems();
    state_.SuppressSend = false;

    if (services_.dialogs.askYesNo(
            QStringLiteral("VKS - Tessaline :Establish COM port communication with Quorex(s)"),
            QStringLiteral("Tessaline requires connection to Quorex(s) to function. Do you currently have "
                           "Quorex(s) connected to the PC/laptop? Click Yes and Tessaline will search for "
                           "Quorex(s)."))) {
        SearchAllClick();
    } else {
        services_.dialogs.showMessage(
            QStringLiteral("When Quorex(s) are connected, go to 'Serial Port->Search for Quorex(s)->Search' menu "
                           "item for the Tessaline to search for Quorex(s).\nPlease refer to Quorex manual for "
                           "help with Tessaline serial connection."));
    }
}

void TTessalineForm::PhasePageControlChange()
{
    if (!deviceConnected())
        setStatusText(QStringLiteral("Note: No Quorex communication established yet."));
    if (auto *page = qobject_cast<TabPage *>(PhasePageControl->currentWidget()))
        page->pageEntered(deviceConnected() && state_.HandlerBusy != 1);
}

bool TTessalineForm::FormCloseQuery()
{
    return services_.dialogs.askYesNo(QStringLiteral("VKS - Tessaline :Confirm Exit"),
                                      QStringLiteral("Are you sure you want to exit this application?"));
}

void TTessalineForm::FormClose()
{
    writePreferences();
    hide();
    services_.clock.sleepBlocking(1000);
    link_->closePort();
}

void TTessalineForm::closeEvent(QCloseEvent *event)
{
    if (closing_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    FormClose();
    event->accept();
    emit closed();
}

void TTessalineForm::Exit1Click()
{
    close();
}

void TTessalineForm::HelpwithTessalineSerialconnection1Click()
{
    connectionHelpForm().showHelp();
}

void TTessalineForm::About1Click()
{
    auto *box = new AboutBox(aboutVersionText_, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

// The Serial Port menu.
void TTessalineForm::SearchAllClick()
{
    search_->SearchAllClick();
}

void TTessalineForm::ReadfromQuorexs1Click()
{
    readAll_->ReadfromQuorexs1Click();
}
void TTessalineForm::QuorexconnectedthruController1Click()
{
    search_->QuorexconnectedthruController1Click();
}
void TTessalineForm::QuorexconnectedtoSerialPortdirectly1Click()
{
    search_->QuorexconnectedtoSerialPortdirectly1Click();
}
void TTessalineForm::DisconnectSerialCo1Click()
{
    search_->DisconnectSerialCo1Click();
}

namespace {

const std::initializer_list<const char *> BaudItems = {"Defaultvalues1", "N9600", "N19200", "N38400", "N57600"};
const std::initializer_list<const char *> ParityItems = {"ParityNone", "ParityOdd", "ParityEven", "ParityMark",
                                                         "ParitySpace"};

}  // namespace

QAction *TTessalineForm::menuItem(const char *name) const
{
    QAction *item = menuItems_.value(QByteArray(name));
    if (!item)
        qFatal("The main menu has no item %s", name);
    return item;
}

// Ticks `chosen` and unticks the rest of its group.
void TTessalineForm::tickOnly(std::initializer_list<const char *> group, const char *chosen)
{
    for (const char *name : group)
        menuItem(name)->setChecked(qstrcmp(name, chosen) == 0);
}

void TTessalineForm::Defaultvalues1Click()
{
    search_->Defaultvalues1Click();
    tickOnly(BaudItems, "Defaultvalues1");
}

void TTessalineForm::chooseBaud(const char *item, int baud)
{
    search_->chooseFixedBaud(baud);
    tickOnly(BaudItems, item);
}

void TTessalineForm::N9600Click()
{
    chooseBaud("N9600", 9600);
}
void TTessalineForm::N19200Click()
{
    chooseBaud("N19200", 19200);
}
void TTessalineForm::N38400Click()
{
    chooseBaud("N38400", 38400);
}
void TTessalineForm::N57600Click()
{
    chooseBaud("N57600", 57600);
}

void TTessalineForm::chooseParity(const char *item, int parity)
{
    search_->chooseParity(SerialPort::Parity(parity));
    tickOnly(ParityItems, item);
}

void TTessalineForm::ParityNoneClick()
{
    chooseParity("ParityNone", int(SerialPort::Parity::None));
}
void TTessalineForm::ParityOddClick()
{
    chooseParity("ParityOdd", int(SerialPort::Parity::Odd));
}
void TTessalineForm::ParityEvenClick()
{
    chooseParity("ParityEven", int(SerialPort::Parity::Even));
}
void TTessalineForm::ParityMarkClick()
{
    chooseParity("ParityMark", int(SerialPort::Parity::Mark));
}
void TTessalineForm::ParitySpaceClick()
{
    chooseParity("ParitySpace", int(SerialPort::Parity::Space));
}

void TTessalineForm::OpenConfigurationFile1Click()
{
    OpenConfigurationFile(*pageContext_);
}

void TTessalineForm::SaveConfigurationtoFile1Click()
{
    SaveConfigurationToFile(*pageContext_);
}

void TTessalineForm::SendCurrentSettingstoQuorexs1Click()
{
    SendCurrentSettings(*pageContext_, pages_);
}

}  // namespace tess

#include "moc_TTessalineForm.cpp"
