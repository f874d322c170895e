#include "pages/info/StatusDisplay.h"

#include "model/NumberFormat.h"
#include "model/SettingsModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <initializer_list>

namespace tess {
namespace {

const QString NotAvailable = QStringLiteral("N/A");

QLabel *valueLabel(const char *name, QWidget *parent, bool bold = false)
{
    auto *label = new QLabel(NotAvailable, parent);
    label->setObjectName(QLatin1String(name));
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QGridLayout *compactGrid(QWidget *owner)
{
    auto *grid = new QGridLayout(owner);
    grid->setContentsMargins(3, 1, 3, 3);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(0);
    return grid;
}

// The text for `value` from `texts`; a value past the table leaves the
// label as it was.
void showChoice(QLabel *label, unsigned value, std::initializer_list<const char *> texts)
{
    if (value < texts.size())
        label->setText(QLatin1String(texts.begin()[value]));
}

}  // namespace

StatusDisplay::StatusDisplay(QWidget *page) : QObject(page)
{
    group_ = new QGroupBox(QStringLiteral("Quorex Information"), page);
    group_->setObjectName(QStringLiteral("InfoGroupBox"));
    // Two columns of sixteen and more values beside the terminal: a size
    // smaller than the window's, so that every caption and value fits whole.
    QFont small = group_->font();
    small.setPixelSize(10);
    group_->setFont(small);
    auto *column = new QVBoxLayout(group_);
    column->setContentsMargins(2, 2, 2, 3);
    column->setSpacing(2);

    auto *top = new QHBoxLayout;
    auto *versionCaption = new QLabel(QStringLiteral("Version :"), group_);
    versionCaption->setObjectName(QStringLiteral("Version1TextLabel"));
    Version1Label = valueLabel("Version1Label", group_);
    auto *unitsCaption = new QLabel(QStringLiteral("QX:"), group_);
    unitsCaption->setObjectName(QStringLiteral("Label62"));
    NumOfQuorexDetectedLabel = new QLabel(QStringLiteral("0"), group_);
    NumOfQuorexDetectedLabel->setObjectName(QStringLiteral("NumOfQuorexDetectedLabel"));
    ScreenInfoComboBox = new QComboBox(group_);
    ScreenInfoComboBox->setObjectName(QStringLiteral("ScreenInfoComboBox"));
    ScreenInfoComboBox->addItems({QStringLiteral("Screen 1"), QStringLiteral("Screen 2"), QStringLiteral("Screen 3"),
                                  QStringLiteral("Screen 4")});
    ScreenInfoComboBox->setCurrentIndex(-1);
    top->addWidget(versionCaption);
    top->addWidget(Version1Label, 1);
    top->addWidget(unitsCaption);
    top->addWidget(NumOfQuorexDetectedLabel, 1);
    top->addWidget(ScreenInfoComboBox);
    column->addLayout(top);

    auto *groups = new QHBoxLayout;
    groups->setSpacing(2);
    // The input group as narrow as it can be; the output group's captions
    // are the longer ones.
    groups->addWidget(buildInput(group_), 0, Qt::AlignTop);
    groups->addWidget(buildOutput(group_), 1, Qt::AlignTop);
    column->addLayout(groups);
    column->addStretch(1);
}

QGroupBox *StatusDisplay::buildInput(QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral("Input Information"), parent);
    box->setObjectName(QStringLiteral("InputInfoGroupBox"));
    auto *grid = compactGrid(box);
    int row = 0;

    HActiveLabel = valueLabel("HActiveLabel", box);
    VActiveLabel = valueLabel("VActiveLabel", box);
    auto *size = new QHBoxLayout;
    size->setSpacing(3);
    size->addWidget(HActiveLabel);
    size->addWidget(new QLabel(QStringLiteral("x"), box));
    size->addWidget(VActiveLabel);
    size->addStretch(1);
    grid->addLayout(size, row++, 0, 1, 3);

    const struct {
        const char *caption;
        const char *name;
        QLabel *StatusDisplay::*label;
        bool percent;
        bool bold;
    } rows[] = {
        {"Video Loaded", "VideoLoadedLabel", &StatusDisplay::VideoLoadedLabel, false, true},
        {"Video Locked", "VideoLockedLabel", &StatusDisplay::VideoLockedLabel, false, true},
        {"Phase Offset", "PhaseOffsetLabel", &StatusDisplay::PhaseOffsetLabel, false, false},
        {"Input Sync", "SyncSelLabel", &StatusDisplay::SyncSelLabel, false, false},
        {"H Total", "HTotalLabel", &StatusDisplay::HTotalLabel, false, false},
        {"H Position", "HPosLabel", &StatusDisplay::HPosLabel, false, false},
        {"V Position", "VPosLabel", &StatusDisplay::VPosLabel, false, false},
        {"Input Termination", "InTerminationLabel", &StatusDisplay::InTerminationLabel, false, false},
        {"C Contrast", "CContrastLabel", &StatusDisplay::CContrastLabel, true, false},
        {"C Brightness", "CBrightnessLabel", &StatusDisplay::CBrightnessLabel, true, false},
        {"R Contrast", "RContrastLabel", &StatusDisplay::RContrastLabel, true, false},
        {"R Brightness", "RBrightnessLabel", &StatusDisplay::RBrightnessLabel, true, false},
        {"G Contrast", "GContrastLabel", &StatusDisplay::GContrastLabel, true, false},
        {"G Brightness", "GBrightnessLabel", &StatusDisplay::GBrightnessLabel, true, false},
        {"B Contrast", "BContrastLabel", &StatusDisplay::BContrastLabel, true, false},
        {"B Brightness", "BBrightnessLabel", &StatusDisplay::BBrightnessLabel, true, false},
    };
    for (const auto &r : rows) {
        grid->addWidget(new QLabel(QLatin1String(r.caption), box), row, 0);
        this->*r.label = valueLabel(r.name, box, r.bold);
        grid->addWidget(this->*r.label, row, 1);
        if (r.percent)
            grid->addWidget(new QLabel(QStringLiteral("%"), box), row, 2);
        ++row;
    }
    return box;
}

QGroupBox *StatusDisplay::buildOutput(QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral("Output Information"), parent);
    box->setObjectName(QStringLiteral("OutputInfoGroupBoxGroupBox"));
    auto *grid = compactGrid(box);
    int row = 0;

    // The output sync takes two rows: the format, then rate and sync.
    HVOutLabel = valueLabel("HVOutLabel", box);
    OutFRateLabel = valueLabel("OutFRateLabel", box);
    OutSyncLabel = valueLabel("OutSyncLabel", box);
    grid->addWidget(new QLabel(QStringLiteral("Output Sync"), box), row, 0);
    grid->addWidget(HVOutLabel, row++, 1);
    auto *rate = new QHBoxLayout;
    rate->setSpacing(4);
    rate->addStretch(1);
    rate->addWidget(OutFRateLabel);
    rate->addWidget(OutSyncLabel);
    grid->addLayout(rate, row++, 0, 1, 2);

    const struct {
        const char *caption;
        const char *name;
        QLabel *StatusDisplay::*label;
    } rows[] = {
        {"Blend Level", "BlendLevelLabel", &StatusDisplay::BlendLevelLabel},
        {"Projectors", "ProjectorsLabel", &StatusDisplay::ProjectorsLabel},
        {"Total Projectors", "TotalProjectorsLabel", &StatusDisplay::TotalProjectorsLabel},
        {"Data Doubling", "DataDoublingLabel", &StatusDisplay::DataDoublingLabel},
        {"Justification", "JustificationLabel", &StatusDisplay::JustificationLabel},
        {"Overlap Width", "OverlapWidthLabel", &StatusDisplay::OverlapWidthLabel},
        {"Edge Basic Gamma", "BasicEFTGammaLabel", &StatusDisplay::BasicEFTGammaLabel},
        {"Edge Basic Mode", "BasicEFTModeLabel", &StatusDisplay::BasicEFTModeLabel},
        {"Edge Adv L Gam", "LeftEFTGammaLabel", &StatusDisplay::LeftEFTGammaLabel},
        {"Edge Adv L Mode", "LeftEFTModeLabel", &StatusDisplay::LeftEFTModeLabel},
        {"Edge Adv R Gam", "RightEFTGammaLabel", &StatusDisplay::RightEFTGammaLabel},
        {"Edge Adv R Mode", "RightEFTModeLabel", &StatusDisplay::RightEFTModeLabel},
        {"Halo L Width", "HaloLeftWidthLabel", &StatusDisplay::HaloLeftWidthLabel},
        {"Halo L Offset", "HaloLeftOffsetLabel", &StatusDisplay::HaloLeftOffsetLabel},
        {"Halo R Width", "HaloRightWidthLabel", &StatusDisplay::HaloRightWidthLabel},
        {"Halo R Offset", "HaloRightOffsetLabel", &StatusDisplay::HaloRightOffsetLabel},
        {"Black Level", "BlackLvlAdjCompLabel", &StatusDisplay::BlackLvlAdjCompLabel},
    };
    for (const auto &r : rows) {
        grid->addWidget(new QLabel(QLatin1String(r.caption), box), row, 0);
        this->*r.label = valueLabel(r.name, box);
        grid->addWidget(this->*r.label, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

void StatusDisplay::setVersionText(const QString &text)
{
    Version1Label->setText(text);
}

void StatusDisplay::setUnitsDetected(int count)
{
    NumOfQuorexDetectedLabel->setText(QString::number(count));
}

void StatusDisplay::ShowInputInfo(const InputRecord &r)
{
    HActiveLabel->setText(QString::number(r.HActive));
    VActiveLabel->setText(QString::number(r.VActive));
    VideoLoadedLabel->setText(r.VideoLoaded == 1 ? QStringLiteral("True") : QStringLiteral("False"));
    VideoLockedLabel->setText(r.VideoLocked == 1 ? QStringLiteral("True") : QStringLiteral("False"));
    PhaseOffsetLabel->setText(QString::number(r.Phase));
    showChoice(SyncSelLabel, r.InputSync, {"SOG", "COMP", "H/V", "AUTO"});
    HTotalLabel->setText(QString::number(r.HTotal));
    HPosLabel->setText(QString::number(r.HPosition));
    VPosLabel->setText(QString::number(r.VPosition));
    InTerminationLabel->setText(r.Termination != 0 ? QStringLiteral("75 Ohm") : QStringLiteral("HI-Z"));
    CContrastLabel->setText(formatGeneral(r.ContrastC, 5, 1));
    CBrightnessLabel->setText(formatGeneral(r.BrightnessC, 5, 1));
    RContrastLabel->setText(formatGeneral(r.ContrastR, 4, 1));
    RBrightnessLabel->setText(formatGeneral(r.BrightnessR, 4, 1));
    GContrastLabel->setText(formatGeneral(r.ContrastG, 4, 1));
    GBrightnessLabel->setText(formatGeneral(r.BrightnessG, 4, 1));
    BContrastLabel->setText(formatGeneral(r.ContrastB, 4, 1));
    BBrightnessLabel->setText(formatGeneral(r.BrightnessB, 4, 1));
}

void StatusDisplay::ShowOutputInfo(const OutputRecord &r)
{
    showChoice(HVOutLabel, r.OutputFormat, {"640x480", "800x600", "1024x768", "1280x1024"});
    showChoice(OutFRateLabel, r.FrameRate, {"@ 50Hz", "@ 59.94Hz", "@ 75Hz"});
    OutSyncLabel->setText(QString::number(r.OutputSync));
    showChoice(BlendLevelLabel, r.AdvancedMode, {"Basic", "Adv"});
    showChoice(ProjectorsLabel, r.ProjectorGroup, {"1-4", "5-8"});
    TotalProjectorsLabel->setText(QString::number(r.TotalProjectors));
    DataDoublingLabel->setText(QString::number(r.DataDoubling));
    showChoice(JustificationLabel, r.Justification, {"Left", "Center"});
    OverlapWidthLabel->setText(QString::number(r.OverlapWidth));
    BasicEFTGammaLabel->setText(formatGeneral(r.BasicGamma, 3, 5));
    LeftEFTGammaLabel->setText(formatGeneral(r.LeftGamma, 3, 5));
    RightEFTGammaLabel->setText(formatGeneral(r.RightGamma, 3, 5));
    BasicEFTModeLabel->setText(QString::number(r.BasicFeather));
    LeftEFTModeLabel->setText(QString::number(r.LeftFeather));
    RightEFTModeLabel->setText(QString::number(r.RightFeather));
    HaloLeftWidthLabel->setText(QString::number(r.HaloLeftWidth));
    HaloLeftOffsetLabel->setText(QString::number(r.HaloLeftOffset));
    HaloRightWidthLabel->setText(QString::number(r.HaloRightWidth));
    HaloRightOffsetLabel->setText(QString::number(r.HaloRightOffset));
    BlackLvlAdjCompLabel->setText(QString::number(r.BlackLevel));
}

}  // namespace tess

#include "moc_StatusDisplay.cpp"
