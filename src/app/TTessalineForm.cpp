#include "app/TTessalineForm.h"

#include "app/AboutBox.h"
#include "app/FormLinkHost.h"
#include "app/TConnectionHelpForm.h"
#include "app/TInfoForm.h"
#include "app/Version.h"
#include "app/WindowPlacement.h"
#include "device/Commands.h"
#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "link/QtSerialPort.h"
#include "link/SerialPort.h"
#include "model/ConfigurationFile.h"
#include "model/NumberFormat.h"
#include "model/PlanningPreferences.h"
#include "pages/display/DisplaySetupPage.h"
#include "pages/display/ProjAlignPage.h"
#include "pages/info/ConnectionControls.h"
#include "pages/info/InfoPage.h"
#include "pages/planning/PlanningPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
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
    : QMainWindow(parent), services_(services)
{
    setObjectName(QStringLiteral("TessalineForm"));
    setWindowTitle(QStringLiteral("Vekslan - Tessaline"));
    // Fixed single border: system menu and minimize, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    buildPages();
    buildMainMenu();

    if (!services_.port) {
        ownPort_ = std::make_unique<QtSerialPort>();
        services_.port = ownPort_.get();
    }
    linkHost_ = std::make_unique<FormLinkHost>(*this);
    link_ = std::make_unique<Link>(*services_.port, services_.clock, services_.dialogs, services_.exit, *linkHost_);
    search_ = std::make_unique<DeviceSearch>(*link_, *linkHost_);
    queries_ = std::make_unique<StatusQueries>(*link_, settings_, *linkHost_);
    commands_ = std::make_unique<Commands>(*link_, settings_, *linkHost_, *queries_);
    connect(InfoTabSheet->connection()->RS485CheckBox, &QCheckBox::clicked, search_.get(),
            &DeviceSearch::RS485CheckBoxClick);

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
    PhasePageControl->setCurrentWidget(PlanningTabSheet);

    connect(PhasePageControl, &QTabWidget::currentChanged, this, &TTessalineForm::PhasePageControlChange);
}

TTessalineForm::~TTessalineForm() = default;

void TTessalineForm::buildPages()
{
    PhasePageControl = new QTabWidget(this);
    PhasePageControl->setObjectName(QStringLiteral("PhasePageControl"));
    PlanningTabSheet = new PlanningPage;
    ProjAlignTabSheet = new ProjAlignPage;
    SourceSetupTabSheet = new SourceSetupPage;
    DisplaySetupTabSheet = new DisplaySetupPage;
    SeamRemovalTabSheet = new SeamRemovalPage;
    InfoTabSheet = new InfoPage;
    TabPage *const pages[] = {PlanningTabSheet,    ProjAlignTabSheet,   SourceSetupTabSheet,
                              DisplaySetupTabSheet, SeamRemovalTabSheet, InfoTabSheet};
    for (TabPage *page : pages)
        PhasePageControl->addTab(page, page->caption());
    // The service view on the Information page shows this tab.
    PhasePageControl->setTabVisible(PhasePageControl->indexOf(SeamRemovalTabSheet), false);
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
    const PlanningPreferences &prefs = read.values;
    PlanningTabSheet->HorizontalOutEdit->setText(formatGeneral(prefs.HorizontalSize, 5));
    PlanningTabSheet->VerticalOutEdit->setText(formatGeneral(prefs.VerticalSize, 5));
    DisplaySetupTabSheet->OWidthEdit->setText(QString::number(prefs.OverlapWidth));
    selectQuietly(PlanningTabSheet->NumOfScreenComboBox, prefs.ProjectorCountIndex);
    selectQuietly(PlanningTabSheet->ImageAlignComboBox, prefs.AlignmentIndex);
    selectQuietly(PlanningTabSheet->ProjectorResComboBox, prefs.ResolutionIndex);
    state_.PreferencesLoaded = true;
}

void TTessalineForm::writePreferences()
{
    // A field that holds no number keeps the old file as it was.
    const auto horizontal = parseReal(PlanningTabSheet->HorizontalOutEdit->text());
    const auto vertical = parseReal(PlanningTabSheet->VerticalOutEdit->text());
    const auto overlap = parseWhole(DisplaySetupTabSheet->OWidthEdit->text());
    if (!horizontal || !vertical || !overlap)
        return;
    PlanningPreferences prefs;
    prefs.HorizontalSize = *horizontal;
    prefs.VerticalSize = *vertical;
    prefs.OverlapWidth = *overlap;
    prefs.ProjectorCountIndex = PlanningTabSheet->NumOfScreenComboBox->currentIndex();
    prefs.AlignmentIndex = PlanningTabSheet->ImageAlignComboBox->currentIndex();
    prefs.ResolutionIndex = PlanningTabSheet->ProjectorResComboBox->currentIndex();
    if (!writePreferencesFile(preferencesPath_, prefs))
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
    PhasePageControl->setEnabled(enabled);
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
    layoutProjectorBoxes();
    planning_.AspectRatio = 1.0;
    ApplyStartupDefaults();
    PlanningTabSheet->CalcOutButtonClick();
    InfoTabSheet->selectStartItems();
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

void TTessalineForm::layoutProjectorBoxes()
{
    for (int i = 0; i < int(state_.ProjectorBoxRects.size()); ++i)
        state_.ProjectorBoxRects[i] = BoxRect{5 + 110 * i, 5, 115 + 110 * i, 99};
}

void TTessalineForm::ApplyStartupDefaults()
{
    PlanningPage &page = *PlanningTabSheet;
    planning_.OutputSizeH = parseReal(page.HorizontalOutEdit->text()).value_or(planning_.OutputSizeH);
    planning_.OutputSizeV = parseReal(page.VerticalOutEdit->text()).value_or(planning_.OutputSizeV);
    planning_.OverlapPixels = 0;
    state_.OutputFormatWidth = 1280;
    state_.OutputFormatHeight = 1024;
    DisplaySetupTabSheet->AdvanceModeCheckBoxClick();

    // A list the preferences left without a selection (an index outside the
    // list) gets the default too.
    const auto needsDefault = [this](const QComboBox *list) {
        return !state_.PreferencesLoaded || list->currentIndex() < 0;
    };
    if (needsDefault(page.ProjectorResComboBox))
        selectQuietly(page.ProjectorResComboBox, page.ProjectorResComboBox->findText(QStringLiteral("1280x1024")));
    page.ProjectorResComboBoxChange();
    if (needsDefault(page.NumOfScreenComboBox))
        selectQuietly(page.NumOfScreenComboBox, page.NumOfScreenComboBox->findText(QStringLiteral("1 Projector")));
    page.NumOfScreenComboBoxChange();
    if (needsDefault(page.ImageAlignComboBox))
        selectQuietly(page.ImageAlignComboBox, page.ImageAlignComboBox->findText(QStringLiteral("Centered")));
}

void TTessalineForm::PhasePageControlChange()
{
    if (!deviceConnected())
        setStatusText(QStringLiteral("Note: No Quorex communication established yet."));
    const bool live = deviceConnected() && state_.HandlerBusy != 1;
    QWidget *const page = PhasePageControl->currentWidget();
    if (page == SourceSetupTabSheet) {
        if (live)
            SyncSourceSetup();
        SourceSetupTabSheet->setLinkControlsEnabled(live);
    } else if (page == SeamRemovalTabSheet) {
        if (live)
            SyncSeamRemoval();
        SeamRemovalTabSheet->setLinkControlsEnabled(live);
    } else if (page == InfoTabSheet) {
        if (live)
            InfoTabSheet->focusTerminal();
        InfoTabSheet->setLinkControlsEnabled(live);
    }
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
void TTessalineForm::SearchAllClick() { search_->SearchAllClick(); }

void TTessalineForm::ReadfromQuorexs1Click()
{
    const auto end = [this] {
        linkHost_->setBusyCursor(false);
        setStatusText(QString());
    };
    setStatusText(QStringLiteral("Querying Quorex(s). Please wait...."));
    linkHost_->setBusyCursor(true);
    if (linkHost_->controllerMode()) {
        state_.UnitCount = search_->CountUnits();
        if (state_.UnitCount < 1) {
            services_.dialogs.showMessage(
                QStringLiteral("Quorex not detected by Controller.\n(1)Check cables.\n(2)Make sure the Quorex has "
                               "booted up completely and reboot the Controller."));
            end();
            return;
        }
    } else {
        state_.UnitCount = 1;
    }
    if (auto *label = findChild<QLabel *>(QStringLiteral("NumOfQuorexDetectedLabel")))
        label->setText(QString::number(state_.UnitCount));

    for (int unit = 1; unit <= (state_.UnitCount == 2 ? 2 : 1); ++unit) {
        const int read = queries_->ReadAllStatus(unit);
        if (read <= 0) {
            services_.dialogs.showMessage((unit == 1 ? QStringLiteral("Quorex communication error! ")
                                                     : QStringLiteral("Quorex 2 communication error! "))
                                          + QStringLiteral("Please check Serial connections and try again (%1)")
                                                .arg(read));
            end();
            return;
        }
    }

    // The window follows what the units hold. The pages' own fills join
    // here as the pages are built.
    state_.SuppressSend = true;
    SyncSourceSetup();
    SyncDisplaySetup();
    SyncSeamRemoval();
    PhasePageControlChange();
    end();
    state_.SuppressSend = false;
}
void TTessalineForm::QuorexconnectedthruController1Click() { search_->QuorexconnectedthruController1Click(); }
void TTessalineForm::QuorexconnectedtoSerialPortdirectly1Click()
{
    search_->QuorexconnectedtoSerialPortdirectly1Click();
}
void TTessalineForm::DisconnectSerialCo1Click() { search_->DisconnectSerialCo1Click(); }

namespace {

const char *const BaudItems[] = {"Defaultvalues1", "N9600", "N19200", "N38400", "N57600"};
const char *const ParityItems[] = {"ParityNone", "ParityOdd", "ParityEven", "ParityMark", "ParitySpace"};

// Ticks `chosen` and unticks the rest of its group.
template <size_t N>
void tickOnly(QObject *form, const char *const (&group)[N], const char *chosen)
{
    for (const char *name : group) {
        if (auto *action = form->findChild<QAction *>(QLatin1String(name)))
            action->setChecked(qstrcmp(name, chosen) == 0);
    }
}

}  // namespace

void TTessalineForm::Defaultvalues1Click()
{
    search_->Defaultvalues1Click();
    tickOnly(this, BaudItems, "Defaultvalues1");
}

void TTessalineForm::chooseBaud(const char *item, int baud)
{
    search_->chooseFixedBaud(baud);
    tickOnly(this, BaudItems, item);
}

void TTessalineForm::N9600Click() { chooseBaud("N9600", 9600); }
void TTessalineForm::N19200Click() { chooseBaud("N19200", 19200); }
void TTessalineForm::N38400Click() { chooseBaud("N38400", 38400); }
void TTessalineForm::N57600Click() { chooseBaud("N57600", 57600); }

void TTessalineForm::chooseParity(const char *item, int parity)
{
    search_->chooseParity(SerialPort::Parity(parity));
    tickOnly(this, ParityItems, item);
}

void TTessalineForm::ParityNoneClick() { chooseParity("ParityNone", int(SerialPort::Parity::None)); }
void TTessalineForm::ParityOddClick() { chooseParity("ParityOdd", int(SerialPort::Parity::Odd)); }
void TTessalineForm::ParityEvenClick() { chooseParity("ParityEven", int(SerialPort::Parity::Even)); }
void TTessalineForm::ParityMarkClick() { chooseParity("ParityMark", int(SerialPort::Parity::Mark)); }
void TTessalineForm::ParitySpaceClick() { chooseParity("ParitySpace", int(SerialPort::Parity::Space)); }

// Call sites for the parts built elsewhere: the configuration file, reading
// from and sending to the units, and filling the pages from the settings.
// Until those are in place the items do nothing.
void TTessalineForm::OpenConfigurationFile1Click() {}

void TTessalineForm::SaveConfigurationtoFile1Click()
{
    Dialogs::FileRequest request;
    request.caption = QStringLiteral("Save Configuration to File");
    request.filters = {QStringLiteral("Quorex Config Files (*.qxc)")};
    request.defaultSuffix = QStringLiteral("qxc");
    const QString path = services_.dialogs.saveFileName(request);
    if (path.isEmpty())
        return;
    linkHost_->setBusyCursor(true);
    WriteConfigurationFile(settings_, path, services_.dialogs);
    linkHost_->setBusyCursor(false);
}

void TTessalineForm::SendCurrentSettingstoQuorexs1Click() {}
void TTessalineForm::SyncSourceSetup() {}
void TTessalineForm::SyncSeamRemoval() {}
void TTessalineForm::SyncDisplaySetup() {}
void TTessalineForm::SyncColourBalance(int) {}

}  // namespace tess
