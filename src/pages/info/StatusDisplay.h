#pragma once

#include <QObject>

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace tess {

struct InputRecord;
struct OutputRecord;

// The service view's status display (InfoGroupBox, "Quorex Information"):
// unit 1's version, the number of units found, the screen list and the
// input and output information of one screen. Every value label shows
// "N/A" until it is first filled.
class StatusDisplay final : public QObject {
    Q_OBJECT
public:
    explicit StatusDisplay(QWidget *page);

    QGroupBox *group() const { return group_; }
    QComboBox *screenList() const { return ScreenInfoComboBox; }

    void setVersionText(const QString &text);
    void setUnitsDetected(int count);
    // Fill the two information groups from a screen's records. A value
    // outside the texts a label knows leaves that label as it was.
    void ShowInputInfo(const InputRecord &record);
    void ShowOutputInfo(const OutputRecord &record);

private:
    QGroupBox *buildInput(QWidget *parent);
    QGroupBox *buildOutput(QWidget *parent);

    QGroupBox *group_ = nullptr;
    QComboBox *ScreenInfoComboBox = nullptr;
    QLabel *Version1Label = nullptr;
    QLabel *NumOfQuorexDetectedLabel = nullptr;

    QLabel *VideoLoadedLabel = nullptr;
    QLabel *VideoLockedLabel = nullptr;
    QLabel *PhaseOffsetLabel = nullptr;
    QLabel *SyncSelLabel = nullptr;
    QLabel *HTotalLabel = nullptr;
    QLabel *HPosLabel = nullptr;
    QLabel *VPosLabel = nullptr;
    QLabel *InTerminationLabel = nullptr;
    QLabel *CContrastLabel = nullptr;
    QLabel *CBrightnessLabel = nullptr;
    QLabel *RContrastLabel = nullptr;
    QLabel *RBrightnessLabel = nullptr;
    QLabel *GContrastLabel = nullptr;
    QLabel *GBrightnessLabel = nullptr;
    QLabel *BContrastLabel = nullptr;
    QLabel *BBrightnessLabel = nullptr;
    QLabel *HActiveLabel = nullptr;
    QLabel *VActiveLabel = nullptr;

    QLabel *HVOutLabel = nullptr;
    QLabel *OutFRateLabel = nullptr;
    QLabel *OutSyncLabel = nullptr;
    QLabel *BlendLevelLabel = nullptr;
    QLabel *ProjectorsLabel = nullptr;
    QLabel *TotalProjectorsLabel = nullptr;
    QLabel *DataDoublingLabel = nullptr;
    QLabel *JustificationLabel = nullptr;
    QLabel *OverlapWidthLabel = nullptr;
    QLabel *BasicEFTGammaLabel = nullptr;
    QLabel *BasicEFTModeLabel = nullptr;
    QLabel *LeftEFTGammaLabel = nullptr;
    QLabel *LeftEFTModeLabel = nullptr;
    QLabel *RightEFTGammaLabel = nullptr;
    QLabel *RightEFTModeLabel = nullptr;
    QLabel *HaloLeftWidthLabel = nullptr;
    QLabel *HaloLeftOffsetLabel = nullptr;
    QLabel *HaloRightWidthLabel = nullptr;
    QLabel *HaloRightOffsetLabel = nullptr;
    QLabel *BlackLvlAdjCompLabel = nullptr;
};

}  // namespace tess
