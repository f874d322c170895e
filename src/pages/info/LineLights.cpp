#include "pages/info/LineLights.h"

#include "link/SerialPort.h"
#include "platform/Clock.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace tess {

StatusLight::StatusLight(const char *name, QWidget *parent) : QWidget(parent)
{
    setObjectName(QLatin1String(name));
    setFixedSize(14, 14);
}

void StatusLight::setLit(bool lit)
{
    if (lit == lit_)
        return;
    lit_ = lit;
    update();
}

void StatusLight::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(lit_ ? QColor(0, 224, 0) : QColor(0, 72, 0));
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

LineLights::LineLights(QWidget *parent, Clock &clock) : QObject(parent), timer_(clock.createTimer())
{
    widget_ = new QWidget(parent);
    auto *grid = new QGridLayout(widget_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    const struct {
        const char *name;
        const char *caption;
        StatusLight *LineLights::*light;
    } lights[] = {{"ApdStatusLight4", "TXD", &LineLights::txd_},
                  {"ApdStatusLight3", "RXD", &LineLights::rxd_},
                  {"ApdStatusLight2", "DCD", &LineLights::dcd_},
                  {"ApdStatusLight1", "CTS", &LineLights::cts_}};
    int column = 0;
    for (const auto &light : lights) {
        auto *lamp = new StatusLight(light.name, widget_);
        this->*light.light = lamp;
        grid->addWidget(lamp, 0, column, Qt::AlignHCenter);
        grid->addWidget(new QLabel(QLatin1String(light.caption), widget_), 1, column, Qt::AlignHCenter);
        ++column;
    }
    connect(timer_.get(), &ClockTimer::timeout, this, &LineLights::look);
}

LineLights::~LineLights() = default;

void LineLights::attach(SerialPort &port)
{
    port_ = &port;
    connect(&port, &SerialPort::bytesSent, this, [this] { sent_ = true; });
    connect(&port, &SerialPort::dataAvailable, this, [this] { received_ = true; });
}

bool LineLights::monitoring() const
{
    return timer_->isActive();
}

void LineLights::setMonitoring(bool on)
{
    sent_ = false;
    received_ = false;
    if (on && port_) {
        timer_->start(IntervalMs);
        return;
    }
    timer_->stop();
    allDark();
}

void LineLights::look()
{
    if (!port_ || !port_->isOpen()) {
        allDark();
        return;
    }
    txd_->setLit(sent_);
    rxd_->setLit(received_);
    sent_ = false;
    received_ = false;
    const std::optional<SerialPort::ModemLines> lines = port_->modemLines();
    dcd_->setLit(lines && lines->dcd);
    cts_->setLit(lines && lines->cts);
}

void LineLights::allDark()
{
    for (StatusLight *light : {txd_, rxd_, dcd_, cts_})
        light->setLit(false);
}

}  // namespace tess

#include "moc_LineLights.cpp"
