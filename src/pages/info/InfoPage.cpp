#include "pages/info/InfoPage.h"

#include "device/Commands.h"
#include "device/DeviceHost.h"
#include "device/Refills.h"
#include "fields/FieldEnv.h"
#include "link/Link.h"
#include "link/SerialPort.h"
#include "model/SettingsModel.h"
#include "pages/PageContext.h"
#include "pages/ServiceView.h"
#include "pages/SystemSave.h"
#include "pages/Units.h"
#include "pages/Wall.h"
#include "pages/info/ConnectionControls.h"
#include "pages/info/LineLights.h"
#include "pages/info/StatusDisplay.h"
#include "pages/info/TerminalView.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace tess {
namespace {

// The invisible label whose double click switches the service view.
class HiddenLabel final : public QLabel {
public:
    HiddenLabel(QWidget *parent, std::function<void()> onDoubleClick)
        : QLabel(parent), onDoubleClick_(std::move(onDoubleClick))
    {
        setObjectName(QStringLiteral("HiddenLabel"));
        setFixedSize(38, 13);
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent *) override { onDoubleClick_(); }

private:
    std::function<void()> onDoubleClick_;
};

constexpr int ScreenInfoCount = 8;

}  // namespace

InfoPage::InfoPage(PageContext &context, QWidget *parent)
    : TabPage("InfoTabSheet", QStringLiteral("Information"), parent), context_(context), link_(context.units.link())
{
    terminal_ = new TerminalView(this);
    terminal_->move(2, 4);

    status_ = new StatusDisplay(this);
    status_->group()->setGeometry(565, 0, 340, 356);
    connect(status_->screenList(), &QComboBox::currentIndexChanged, this, &InfoPage::ScreenInfoComboBoxChange);

    buildScreenOffsets();

    connection_ = new ConnectionControls(this, context.device.unitIds);
    connection_->rs232Group()->setGeometry(565, 360, 340, 150);
    connect(connection_->RS485CheckBox, &QCheckBox::clicked, this, &InfoPage::connectionModeClicked);
    lights_ = new LineLights(connection_->rs232Group(), context.clock);
    connection_->addLights(lights_->widget());

    resetButton_ = named(new QPushButton(QStringLiteral("Reset Quorex(s)"), this), "ResetButton");
    resetButton_->setGeometry(2, 476, 150, 27);
    connect(resetButton_, &QPushButton::clicked, this, &InfoPage::ResetButtonClick);
    systemSaveButton_ = named(new QPushButton(QStringLiteral("System Save Quorex(s)"), this), "SystemSaveButton");
    systemSaveButton_->setGeometry(160, 476, 170, 27);
    connect(systemSaveButton_, &QPushButton::clicked, this, &InfoPage::SystemSaveButtonClick);

    hiddenLabel_ = new HiddenLabel(this, [this] { HiddenLabelDblClick(); });

    // The terminal and the lights share the link's port. What arrives goes
    // to the link's own receive handler first; what it leaves is the
    // terminal's.
    terminal_->keyFilter = [this](char key) { return link_.AdTerminal1KeyPress(key); };
    terminal_->send = [this](const QByteArray &bytes) {
        if (link_.port().isOpen())
            link_.port().write(bytes);
    };
    connect(&link_.port(), &SerialPort::dataAvailable, this, &InfoPage::terminalDataArrived);
    lights_->attach(link_.port());
    // The lights follow the port while a unit is connected.
    connect(&link_, &Link::deviceConnectedChanged, lights_, &LineLights::setMonitoring);

    context.refills.provide(Refill::ScreenInfo, [this](int) { ScreenInfoComboBoxChange(); });
    connect(&context.wall, &Wall::imageSpansChanged, this, &InfoPage::showImageSpans);
    connect(&context.serviceView, &ServiceView::changed, this, &InfoPage::followServiceView);
    followServiceView(context.serviceView.isOn());
}

InfoPage::~InfoPage() = default;

void InfoPage::buildScreenOffsets()
{
    screenInfoGroup_ = named(new QGroupBox(QStringLiteral("Image Position Offset"), this), "ScreenInfoGroupBox");
    screenInfoGroup_->setGeometry(2, 322, 561, 148);
    auto *grid = new QGridLayout(screenInfoGroup_);
    grid->setContentsMargins(8, 2, 8, 4);
    grid->setVerticalSpacing(0);
    for (int k = 1; k <= ScreenInfoCount; ++k) {
        // Projectors 1 to 4 on the left, 5 to 8 on the right.
        const int row = (k - 1) % 4;
        const int column = (k - 1) / 4 * 5;
        auto *caption = new QLabel(QStringLiteral("Projector %1:").arg(k), screenInfoGroup_);
        caption->setObjectName(QStringLiteral("SInfo%1Label").arg(k));
        screenFirst_[k - 1] = new QLabel(QStringLiteral("N/A"), screenInfoGroup_);
        screenFirst_[k - 1]->setObjectName(QStringLiteral("Screen%1HLabel").arg(k));
        screenLast_[k - 1] = new QLabel(QStringLiteral("N/A"), screenInfoGroup_);
        screenLast_[k - 1]->setObjectName(QStringLiteral("Screen%1VLabel").arg(k));
        grid->addWidget(caption, row, column);
        grid->addWidget(screenFirst_[k - 1], row, column + 1, Qt::AlignRight);
        grid->addWidget(new QLabel(QStringLiteral("-"), screenInfoGroup_), row, column + 2);
        grid->addWidget(screenLast_[k - 1], row, column + 3);
    }
    grid->setColumnStretch(4, 1);
    grid->setColumnStretch(8, 1);
}

void InfoPage::resizeEvent(QResizeEvent *event)
{
    TabPage::resizeEvent(event);
    // In the page's bottom right corner.
    hiddenLabel_->move(width() - hiddenLabel_->width() - 2, height() - hiddenLabel_->height() - 2);
}

void InfoPage::terminalDataArrived()
{
    SerialPort &port = link_.port();
    if (link_.exchangeWaiting() || !port.isOpen())
        return;
    const qint64 available = port.bytesAvailable();
    if (available > 0)
        terminal_->display(port.read(available));
}

void InfoPage::setLinkControlsEnabled(bool enabled)
{
    resetButton_->setEnabled(enabled);
    systemSaveButton_->setEnabled(enabled);
}

void InfoPage::focusTerminal()
{
    terminal_->setFocus(Qt::OtherFocusReason);
}

void InfoPage::ScreenInfoComboBoxChange()
{
    if (!context_.state.SettingsReadFromUnits && !context_.state.ConfigurationFileLoaded)
        return;
    const int n = status_->screenList()->currentIndex() + 1;
    ShowInputInfo(n);
    ShowOutputInfo(n);
}

void InfoPage::ShowInputInfo(int n)
{
    if (n >= 1 && n <= SettingsModel::ScreensPerUnit)
        status_->ShowInputInfo(context_.settings.input(1, n));
}

void InfoPage::ShowOutputInfo(int n)
{
    if (n >= 1 && n <= SettingsModel::ScreensPerUnit)
        status_->ShowOutputInfo(context_.settings.output(1, n));
}

void InfoPage::showImageSpans(const Wall::Spans &spans)
{
    // First and last input column of each projector of the wall, "N/A"
    // past it.
    const QString na = QStringLiteral("N/A");
    for (int k = 1; k <= ScreenInfoCount; ++k) {
        const Wall::Span &span = spans[std::size_t(k - 1)];
        screenFirst_[k - 1]->setText(span ? QString::number(span->first) : na);
        screenLast_[k - 1]->setText(span ? QString::number(span->second) : na);
    }
}

void InfoPage::setVersion1Text(const QString &text)
{
    status_->setVersionText(text);
}

void InfoPage::setUnitsDetected(int count)
{
    status_->setUnitsDetected(count);
}

void InfoPage::HiddenLabelDblClick()
{
    context_.serviceView.setOn(!context_.serviceView.isOn());
}

void InfoPage::followServiceView(bool on)
{
    status_->group()->setVisible(on);
    screenInfoGroup_->setVisible(on);
}

void InfoPage::ResetButtonClick()
{
    const HandlerBusyScope busy(context_.state);
    if (!busy)
        return;
    emit resetRunning(true);
    if (!context_.state.SuppressSend && context_.deviceConnected()
        && context_.dialogs.askYesNo(QStringLiteral("Tessaline - Factory Reset Verification"),
                                     QStringLiteral("Resetting the Quorex(s) will reset settings to default values. "
                                                    "Are you sure you want to reset the Quorex(s)?"))) {
        context_.device.setInfoText(QStringLiteral("Quorex reset in progress. Please wait...."));
        context_.device.showInfoForm();
        context_.clock.processPendingEvents();
        context_.clock.processPendingEvents();
        context_.commands.RESETQX(1, 'F');
        if (context_.wall.unitsInUse() > 1)
            context_.commands.RESETQX(2, 'F');
        context_.device.hideInfoForm();
    }
    emit resetRunning(false);
}

void InfoPage::SystemSaveButtonClick()
{
    SystemSave(context_);
}

void InfoPage::selectStartItems()
{
    selectQuietly(connection_->BaudComboBox, 0);
    selectQuietly(status_->screenList(), 0);
}

ConnectionView &InfoPage::connection() const
{
    return *connection_;
}

void InfoPage::pageEntered(bool live)
{
    if (live)
        focusTerminal();
    setLinkControlsEnabled(live);
}

}  // namespace tess

#include "moc_InfoPage.cpp"
