#pragma once

#include <QRect>
#include <QString>
#include <array>

namespace tess {

// A box given by its edges; Right and Bottom lie just outside the box, so a
// box from x = 5 to x = 115 is 110 pixels wide.
struct BoxRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const BoxRect &) const = default;
};

// The main window's shared state: the flags every page handler consults.
// The window owns one; pages and the link reach it through the window.
struct WindowState {
    // Re-entrance guard of the page handlers, 0 or 1.
    int HandlerBusy = 0;
    // While set, handlers that run because the program itself set a control
    // neither store nor send.
    bool SuppressSend = false;
    // Whether valid planning preferences were read at start-up.
    bool PreferencesLoaded = false;
    // Quorex units in use.
    int UnitCount = 1;
    bool SettingsReadFromUnits = false;
    bool ConfigurationFileLoaded = false;
    // The window's one message string, composed before it is shown.
    QString LastErrorText;
    // Output resolution in pixels; 1280 x 1024 after the first show.
    int OutputFormatWidth = 0;
    int OutputFormatHeight = 0;
    // The eight boxes of the Planning page's projector strip.
    std::array<BoxRect, 8> ProjectorBoxRects{};
};

// Sets SuppressSend for its lifetime and gives it back its earlier value.
class SuppressSendScope {
public:
    explicit SuppressSendScope(WindowState &state) : state_(state), was_(state.SuppressSend)
    {
        state_.SuppressSend = true;
    }
    ~SuppressSendScope() { state_.SuppressSend = was_; }
    SuppressSendScope(const SuppressSendScope &) = delete;
    SuppressSendScope &operator=(const SuppressSendScope &) = delete;

private:
    WindowState &state_;
    bool was_;
};

// The planning calculator's numbers, held by the main window.
struct PlanningState {
    double ProjectorResH = 0;
    double ProjectorResV = 0;
    double OutputSizeH = 0;
    double OutputSizeV = 0;
    double AspectRatio = 0;  // 1.0 from the first show on
    double ImageSizeH = 0;
    double ImageSizeV = 0;
    double OverlapPixels = 0;
    double OverlapEntered = 0;
    double ProjectorsRequired = 0;
    double ProjectedWidth = 0;
    double LensMagnification = 0;
    double LensThrow = 0;
    int MaxOverlapWidth = 0;
};

}  // namespace tess
