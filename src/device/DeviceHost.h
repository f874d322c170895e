#pragma once

#include <QString>

namespace tess {

// What the command senders and the status queries need of the main window,
// besides what the link needs of it (LinkHost: status line, busy cursor,
// connection-mode box). The form implements it; tests use a plain double.
class DeviceHost {
public:
    virtual ~DeviceHost() = default;

    // The RS-485 ID unit 1 or 2 is addressed with: the whole number in the
    // text of QuorexID1Edit or QuorexID2Edit, read at the moment of use.
    virtual int unitId(int unit) const = 0;

    // While set, the controls' own handlers neither store nor send: the
    // program is filling the controls itself.
    virtual bool suppressSend() const = 0;
    virtual void setSuppressSend(bool on) = 0;

    // Page refills from the settings model. None of them sends anything.
    virtual void SyncDisplaySetup() = 0;
    // The Source Setup page for the channel selected in
    // SourceScreenSelectRadioGroup, colour fields included.
    virtual void SyncSourceSetup() = 0;
    // The Seam Removal page for the channel selected in
    // SeamScreenSelectRadioGroup.
    virtual void SyncSeamRemoval() = 0;
    // The colour balance fields of the Source Setup page for channel 1-8.
    virtual void SyncColourBalance(int channel) = 0;
    // The input channel (1-8) selected in SourceScreenSelectRadioGroup.
    virtual int selectedSourceChannel() const = 0;

    // The wait window (InfoForm): its two texts, shown without being modal
    // (painted before this returns), and hidden again.
    virtual void setInfoText(const QString &text) = 0;
    virtual void setInfoProgressText(const QString &text) = 0;
    virtual void showInfoForm() = 0;
    virtual void hideInfoForm() = 0;

    // Version1Label of the Information page.
    virtual void setVersion1Text(const QString &text) = 0;
    // OutputFormatWidth and OutputFormatHeight of the planning state.
    virtual void setOutputFormatSize(int width, int height) = 0;
    // The tag of the menu item ReadfromQuorexs1.
    virtual void setSettingsReadFromUnits(bool read) = 0;
};

// Sets SuppressSend for its lifetime and gives it back its earlier value.
class SuppressSendScope {
public:
    explicit SuppressSendScope(DeviceHost &host) : host_(host), was_(host.suppressSend())
    {
        host_.setSuppressSend(true);
    }
    ~SuppressSendScope() { host_.setSuppressSend(was_); }
    SuppressSendScope(const SuppressSendScope &) = delete;
    SuppressSendScope &operator=(const SuppressSendScope &) = delete;

private:
    DeviceHost &host_;
    bool was_;
};

}  // namespace tess
