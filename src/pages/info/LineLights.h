#pragma once

#include <QObject>
#include <QWidget>
#include <array>
#include <memory>

namespace tess {

class Clock;
class ClockTimer;
class SerialPort;

// One line light: a small round lamp, lit or dark.
class StatusLight final : public QWidget {
public:
    StatusLight(const char *name, QWidget *parent);
    bool isLit() const { return lit_; }
    void setLit(bool lit);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool lit_ = false;
};

// The RS-232 line lights TXD, RXD, DCD and CTS. While monitoring is on they
// follow the port a few times a second: TXD and RXD light for one look
// after characters went out or came in, DCD and CTS show the modem lines
// where the device has them (and stay dark where it has none). While
// monitoring is off nothing is polled and every light is dark.
class LineLights final : public QObject {
    Q_OBJECT
public:
    // How often the lights look at the port.
    static constexpr int IntervalMs = 100;

    // Builds the lights with their captions into `parent`, left to right.
    LineLights(QWidget *parent, Clock &clock);
    ~LineLights() override;

    QWidget *widget() const { return widget_; }
    void attach(SerialPort &port);
    void setMonitoring(bool on);
    bool monitoring() const;

private:
    void look();
    void allDark();

    QWidget *widget_ = nullptr;
    StatusLight *txd_ = nullptr;
    StatusLight *rxd_ = nullptr;
    StatusLight *dcd_ = nullptr;
    StatusLight *cts_ = nullptr;
    SerialPort *port_ = nullptr;
    std::unique_ptr<ClockTimer> timer_;
    bool sent_ = false;
    bool received_ = false;
};

}  // namespace tess
