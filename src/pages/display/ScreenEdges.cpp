#include "pages/display/ScreenEdges.h"

#include "device/FieldTexts.h"
#include "fields/FieldBinding.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "pages/PageContext.h"
#include "pages/display/DisplayFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tess {

struct ScreenEdges::Halo {
    QLabel *widthLabel = nullptr;
    QLabel *offsetLabel = nullptr;
    std::unique_ptr<FieldBinding> pair;
};

struct ScreenEdges::Edge {
    QCheckBox *enable = nullptr;
    QLabel *gammaLabel = nullptr;
    std::unique_ptr<FieldBinding> gamma;
    QLabel *widthLabel = nullptr;
    QLabel *offsetLabel = nullptr;
    std::unique_ptr<FieldBinding> pair;  // width, then offset
};

namespace {

constexpr int EditWidth = 36;

std::size_t at(Side side)
{
    return side == Side::Left ? 0 : 1;
}

QString sideText(const char *word, Side side)
{
    return QString::fromLatin1(word) + (side == Side::Left ? QStringLiteral("(L)") : QStringLiteral("(R)"));
}

QLabel *label(const QString &text, const QString &name, QWidget *parent)
{
    auto *control = new QLabel(text, parent);
    control->setObjectName(name);
    return control;
}

// One row of a grid: a caption, a field and its spin button.
void addFieldRow(QGridLayout *grid, int row, QLabel *caption, const FieldBinding &binding, int index)
{
    binding.edit(index)->setFixedWidth(EditWidth);
    grid->addWidget(caption, row, 0);
    grid->addWidget(binding.edit(index), row, 1);
    grid->addWidget(binding.spin(index), row, 2);
}

}  // namespace

ScreenEdges::ScreenEdges(PageContext &context, int k, QGroupBox *group, QWidget *testPattern, Actions actions)
    : QObject(group), context_(context), k_(k), testPattern_(testPattern), actions_(std::move(actions))
{
    haloGroup_ = new QGroupBox(QStringLiteral("Halo Removal"), group);
    haloGroup_->setObjectName(QStringLiteral("Halo%1GroupBox").arg(k));
    new QGridLayout(haloGroup_);
    // Part of the window, never shown: its fields carry the values a fill
    // writes and a send of everything reads.
    haloGroup_->hide();

    featherGroup_ = new QGroupBox(QStringLiteral("Edge Feathering (Advanced)"), group);
    featherGroup_->setObjectName(QStringLiteral("EdgeFeather%1GroupBox").arg(k));
    auto *featherGrid = new QGridLayout(featherGroup_);
    featherGrid->setVerticalSpacing(2);
    featherGrid->setContentsMargins(2, 2, 2, 2);
    featherGrid->setHorizontalSpacing(3);
    advGroup_ = new QGroupBox(featherGroup_);
    advGroup_->setObjectName(QStringLiteral("EdgeAdv%1GroupBox").arg(k));
    auto *advGrid = new QGridLayout(advGroup_);
    advGrid->setVerticalSpacing(2);
    advGrid->setContentsMargins(3, 2, 3, 2);
    advGrid->setHorizontalSpacing(3);
    featherGroup_->hide();
    advGroup_->hide();

    for (const Side side : {Side::Left, Side::Right}) {
        if (hasHaloPair(k, side))
            buildHalo(side);
        if (hasFeatherEdge(k, side))
            buildEdge(side);
    }
    featherGrid->addWidget(advGroup_, featherGrid->rowCount(), 0, 1, 3);
    featherGrid->setColumnStretch(0, 1);
}

ScreenEdges::~ScreenEdges() = default;

void ScreenEdges::buildHalo(Side side)
{
    auto halo = std::make_unique<Halo>();
    const HaloNames names = haloNames(k_, side);
    FieldDescription width = displayField(context_, HaloWidthField, k_, sideLetter(side));
    FieldDescription offset = displayField(context_, HaloOffsetField, k_, sideLetter(side));
    Halo *self = halo.get();
    width.enterSuccessor = [self] { return self->pair->edit(1); };
    offset.enterSuccessor = [self] { return self->pair->edit(0); };
    halo->pair = std::make_unique<FieldBinding>(
        context_.fields, haloGroup_, std::move(width), std::move(offset),
        [this, side](const std::vector<double> &values) { actions_.sendHalo(side, int(values[0]), int(values[1])); });
    halo->widthLabel = label(sideText("Width", side), names.widthLabel, haloGroup_);
    halo->offsetLabel = label(sideText("Offset", side), names.offsetLabel, haloGroup_);
    auto *grid = static_cast<QGridLayout *>(haloGroup_->layout());
    addFieldRow(grid, grid->rowCount(), halo->widthLabel, *halo->pair, 0);
    addFieldRow(grid, grid->rowCount(), halo->offsetLabel, *halo->pair, 1);
    halos_[at(side)] = std::move(halo);
}

void ScreenEdges::buildEdge(Side side)
{
    auto edge = std::make_unique<Edge>();
    Edge *self = edge.get();
    const FeatherNames names = featherNames(k_, side);

    edge->enable = new QCheckBox(sideText("Enable ", side), featherGroup_);
    edge->enable->setObjectName(names.enable);
    // The box's click re-validates its gamma and sends the edge with the
    // new state.
    connect(edge->enable, &QCheckBox::clicked, this, [this, side] { gammaExitCheck(side); });
    const QString gammaCaption = sideText("Gamma", side) + (k_ == 8 ? QStringLiteral("\n") : QString());
    edge->gammaLabel = label(gammaCaption, names.gammaLabel, featherGroup_);

    FieldDescription gamma = displayField(context_, EdgeGammaField, k_, sideLetter(side));
    // Enter from screen 1's left gamma leads to its right gamma; from every
    // other gamma to the screen's test pattern list.
    if (k_ == 1 && side == Side::Left)
        gamma.enterSuccessor = [this] { return this->edge(Side::Right)->gamma->edit(); };
    else
        gamma.enterSuccessor = [this] { return testPattern_; };
    edge->gamma =
        std::make_unique<FieldBinding>(context_.fields, featherGroup_, std::move(gamma),
                                       [this, side](const std::vector<double> &) { actions_.sendFeather(side); });

    FieldDescription width = displayField(context_, EdgeWidthField, k_, sideLetter(side));
    FieldDescription offset = displayField(context_, EdgeOffsetField, k_, sideLetter(side));
    width.enterSuccessor = [self] { return self->pair->edit(1); };
    if (side == Side::Left) {
        // On to the right width where it shows, else to the test pattern.
        offset.enterSuccessor = [this] {
            Edge *right = this->edge(Side::Right);
            return firstFocusable({right ? right->pair->edit(0) : nullptr, testPattern_});
        };
    } else {
        offset.enterSuccessor = [this] { return testPattern_; };
    }
    edge->pair =
        std::make_unique<FieldBinding>(context_.fields, advGroup_, std::move(width), std::move(offset),
                                       [this, side](const std::vector<double> &) { actions_.sendFeather(side); });
    edge->widthLabel = label(sideText("Width", side), names.widthLabel, advGroup_);
    edge->offsetLabel = label(sideText("Offset", side), names.offsetLabel, advGroup_);

    auto *featherGrid = static_cast<QGridLayout *>(featherGroup_->layout());
    const int row = featherGrid->rowCount();
    featherGrid->addWidget(edge->enable, row, 0, 1, 3);
    addFieldRow(featherGrid, row + 1, edge->gammaLabel, *edge->gamma, 0);
    auto *advGrid = static_cast<QGridLayout *>(advGroup_->layout());
    addFieldRow(advGrid, advGrid->rowCount(), edge->widthLabel, *edge->pair, 0);
    addFieldRow(advGrid, advGrid->rowCount(), edge->offsetLabel, *edge->pair, 1);
    edges_[at(side)] = std::move(edge);
}

ScreenEdges::Halo *ScreenEdges::halo(Side side) const
{
    return halos_[at(side)].get();
}

ScreenEdges::Edge *ScreenEdges::edge(Side side) const
{
    return edges_[at(side)].get();
}

bool ScreenEdges::haloExitCheck(Side side)
{
    return halo(side) && halo(side)->pair->exitCheck();
}

bool ScreenEdges::gammaExitCheck(Side side)
{
    return edge(side) && edge(side)->gamma->exitCheck();
}

bool ScreenEdges::widthExitCheck(Side side)
{
    return edge(side) && edge(side)->pair->exitCheck();
}

std::optional<FeatherReading> ScreenEdges::readFeather(Side side, QString *failedText, FieldKind *failedKind) const
{
    const Edge *e = edge(side);
    if (!e)
        return std::nullopt;
    // In the order a send reads them: gamma, width, offset.
    const std::pair<const FieldBinding *, int> fields[] = {
        {e->gamma.get(), 0}, {e->pair.get(), 0}, {e->pair.get(), 1}};
    double values[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto [binding, index] = fields[i];
        const std::optional<double> value = binding->value(index);
        if (!value) {
            *failedText = binding->edit(index)->text();
            *failedKind = binding->desc(index).kind;
            return std::nullopt;
        }
        values[i] = *value;
    }
    return FeatherReading{e->enable->isChecked() ? 1 : 0, float(values[0]), int(values[1]), int(values[2])};
}

std::optional<std::pair<int, int>> ScreenEdges::readHalo(Side side) const
{
    const Halo *h = halo(side);
    if (!h)
        return std::nullopt;
    const std::optional<double> width = h->pair->value(0);
    const std::optional<double> offset = h->pair->value(1);
    if (!width || !offset)
        return std::nullopt;
    return std::pair{int(*width), int(*offset)};
}

void ScreenEdges::syncHalo(const OutputRecord &record)
{
    if (Halo *left = halo(Side::Left)) {
        left->pair->edit(0)->setText(QString::number(record.HaloLeftWidth));
        left->pair->edit(1)->setText(QString::number(record.HaloLeftOffset));
    }
    if (Halo *right = halo(Side::Right)) {
        right->pair->edit(0)->setText(QString::number(record.HaloRightWidth));
        right->pair->edit(1)->setText(QString::number(record.HaloRightOffset));
    }
}

void ScreenEdges::syncFeather(const OutputRecord &record)
{
    struct Stored {
        Side side;
        float gamma;
        std::int16_t feather;
        std::int32_t width;
        std::int32_t offset;
    };
    const Stored stored[] = {
        {Side::Left, record.LeftGamma, record.LeftFeather, record.GammaLeftWidth, record.GammaLeftOffset},
        {Side::Right, record.RightGamma, record.RightFeather, record.GammaRightWidth, record.GammaRightOffset},
    };
    for (const Stored &s : stored) {
        Edge *e = edge(s.side);
        if (!e)
            continue;
        e->gamma->edit()->setText(edgeGammaText(s.gamma));
        // A long text shows from its start, not its last digits.
        e->gamma->edit()->setCursorPosition(0);
        e->enable->setChecked(s.feather != 0);
        e->pair->edit(0)->setText(QString::number(s.width));
        e->pair->edit(1)->setText(QString::number(s.offset));
    }
}

void ScreenEdges::showRightEdge(bool shown)
{
    if (Edge *e = edge(Side::Right)) {
        for (QWidget *control : {static_cast<QWidget *>(e->enable), static_cast<QWidget *>(e->gammaLabel),
                                 static_cast<QWidget *>(e->gamma->edit()), static_cast<QWidget *>(e->gamma->spin())})
            control->setVisible(shown);
    }
    if (Halo *h = halo(Side::Right)) {
        for (int i = 0; i < 2; ++i) {
            h->pair->edit(i)->setVisible(shown);
            h->pair->spin(i)->setVisible(shown);
        }
        h->widthLabel->setVisible(shown);
        h->offsetLabel->setVisible(shown);
    }
}

void ScreenEdges::showAdvanced(bool shown)
{
    featherGroup_->setVisible(shown);
}

void ScreenEdges::showWidthsAndOffsets(bool shown)
{
    advGroup_->setVisible(shown);
}

}  // namespace tess

#include "moc_ScreenEdges.cpp"
