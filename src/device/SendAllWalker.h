#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace tess {

class Commands;
class Dialogs;
class SendAllSource;
class SettingsModel;

// "Send Current Settings to Quorex(s)": every setting goes to the units in
// a fixed order, taken from a source of field texts (SendAllSource) and
// sent through the senders: the wall (projector count, alignment and
// overlap), the input channels, the screens of unit 1, the unit-wide data
// doubling, basic feathering and feathering mode, the screens of unit 2,
// the seam gains, and last each unit's feathering curve, seam bridge and
// bridge threshold. Channels without video lock send no input and no seam
// values; unit 2 takes part only while more than one unit is in use. Once
// the feathering mode went out, the units' screens are read back at the
// end (also after a stop at an invalid value).
//
// The walk is planned when the walker is made (the projector count and the
// channels' video lock decide which steps there are) and runs step by step,
// so that a front end can show progress and stop between two steps.
class SendAllWalker {
public:
    struct Step {
        int unit = 0;               // the unit the step addresses
        QString what;               // "projector 3: black level"
        int exchanges = 0;          // commands or queries it puts on the line
        std::function<bool()> act;  // false: a text that holds no number
    };

    enum class Outcome {
        Sent,          // every step ran
        InvalidValue,  // a text that holds no number ended the walk
        Stopped,       // `proceed` said no: the steps from there on did not run
    };

    static const QString InvalidValueMessage;

    // `model` is the settings model the senders store into: the channels'
    // video lock and each unit's curve, bridge and threshold are read from
    // it. `unitCount` is the number of units in use.
    SendAllWalker(Commands &commands, const SettingsModel &model, Dialogs &dialogs, SendAllSource &source,
                  int unitCount);

    const QList<Step> &steps() const { return steps_; }
    // Exchanges of all steps, the read-back included.
    int exchangeCount() const;
    int exchangesDone() const { return exchangesDone_; }
    int stepsDone() const { return stepsDone_; }

    // Runs the walk. `proceed` is asked before every step (its index in
    // steps()); false stops the walk there, without the read-back.
    Outcome run(const std::function<bool(int step)> &proceed = {});

private:
    int lastUnit() const { return unitCount_ > 1 ? 2 : 1; }
    void add(int unit, const QString &what, int exchanges, std::function<bool()> act);
    void planWall();
    void planChannelInputs(int unit, int first, int last);
    void planScreens(int unit);
    void planUnitWide();
    void planSeams(int unit, int first, int last);
    void planUnitSettings();
    void planReadBack();
    // The exit check of colour field `row` of the channel shown: sends its
    // value, or shows why not.
    void colourExitCheck(int unit, int screen, int row);
    // The exit check of seam gain n of the channel shown: sends the eight
    // gains, or shows why not.
    void seamGainExitCheck(int unit, int screen, int n);
    bool runStep(int index, const std::function<bool(int)> &proceed, bool *stopped);

    Commands &commands_;
    const SettingsModel &model_;
    Dialogs &dialogs_;
    SendAllSource &source_;
    int unitCount_;
    int projectors_ = 0;
    QList<Step> steps_;
    int readBackStart_ = 0;  // the read-back steps close the list
    int stepsDone_ = 0;
    int exchangesDone_ = 0;
    bool modeSent_ = false;
    // Read once for both units, as the window reads its fields once.
    int alignment_ = -1;
    int overlap_ = 0;
    float basicGamma_ = 0;
    int position_[3] = {};
};

}  // namespace tess
