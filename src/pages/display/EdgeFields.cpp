#include "pages/display/EdgeFields.h"

namespace tess {

namespace {

QString named(const char *pattern, int k)
{
    return QString::fromLatin1(pattern).arg(k);
}

// The edge of a screen that is the only one of its kind on that screen
// (the right edge of screen 1, the left edge of screen 8) carries the
// family's name without a side letter.
bool unlettered(int k, Side side)
{
    return k == 8 || (k == 1 && side == Side::Right);
}

}  // namespace

HaloNames haloNames(int k, Side side)
{
    if (k == 1 || k == 8) {
        return {named("HaloWidth%1Edit", k),   named("HaloWidth%1UpDown", k), named("HaloOffset%1Edit", k),
                named("HaloOffset%1UpDown", k), named("HaloWidth%1Label", k),  named("HaloOffset%1Label", k)};
    }
    const char *letter = side == Side::Left ? "L" : "R";
    // The right-side labels are HaloWidth2_2Label ..., the left-side ones
    // follow them as HaloWidth2_1Label ...
    const char *labelTail = side == Side::Left ? "_1Label" : "_2Label";
    const QString width = QLatin1String(letter) + named("HaloWidth%1", k);
    const QString offset = QLatin1String(letter) + named("HaloOffset%1", k);
    return {width + QLatin1String("Edit"),
            width + QLatin1String("UpDown"),
            offset + QLatin1String("Edit"),
            offset + QLatin1String("UpDown"),
            named("HaloWidth%1", k) + QLatin1String(labelTail),
            named("HaloOffset%1", k) + QLatin1String(labelTail)};
}

FeatherNames featherNames(int k, Side side)
{
    FeatherNames names;
    const QString letter = side == Side::Left ? QStringLiteral("L") : QStringLiteral("R");
    const QString digit = QString::number(k);
    // Enable box and gamma: unlettered on screen 1's right and screen 8's
    // left edge.
    const QString edgeLetter = unlettered(k, side) ? QString() : letter;
    names.enable = edgeLetter + QStringLiteral("EdgeFeathering") + digit + QStringLiteral("CheckBox");
    names.gamma = edgeLetter + QStringLiteral("Gamma") + digit + QStringLiteral("Edit");
    names.gammaSpin = edgeLetter + QStringLiteral("Gamma") + digit + QStringLiteral("UpDown");
    // Width and offset: only screen 1's right edge is unlettered.
    const QString pairLetter = k == 1 && side == Side::Right ? QString() : letter;
    names.width = pairLetter + QStringLiteral("GammaWidth") + digit + QStringLiteral("Edit");
    names.widthSpin = pairLetter + QStringLiteral("GammaWidth") + digit + QStringLiteral("UpDown");
    names.offset = pairLetter + QStringLiteral("GammaOffset") + digit + QStringLiteral("Edit");
    names.offsetSpin = pairLetter + QStringLiteral("GammaOffset") + digit + QStringLiteral("UpDown");
    if (k == 1)
        names.gammaLabel = side == Side::Right ? QStringLiteral("GammaLabel1") : QStringLiteral("Label75");
    else if (k == 8)
        names.gammaLabel = QStringLiteral("GammaLabel8");
    else
        names.gammaLabel = QStringLiteral("GammaLabel") + digit + (side == Side::Right ? QStringLiteral("_2")
                                                                                         : QStringLiteral("_1"));
    names.widthLabel = QStringLiteral("EdgeWidth") + digit + letter + QStringLiteral("Label");
    names.offsetLabel = QStringLiteral("EdgeOffset") + digit + letter + QStringLiteral("Label");
    return names;
}

FieldDescription haloWidthDescription(int k, Side side)
{
    const HaloNames names = haloNames(k, side);
    FieldDescription desc;
    desc.edit = names.width;
    desc.spin = names.widthSpin;
    desc.lower = 0;
    desc.upper = 64;
    desc.defaultText = QStringLiteral("0");
    desc.rangeText = QStringLiteral("(0 - 64)");
    desc.maxLength = 3;
    desc.outOfBoundsMessage = QStringLiteral("Error! Halo width out of bounds. ") + desc.rangeText;
    desc.notValidNoun = QStringLiteral("Halo width value");
    return desc;
}

FieldDescription haloOffsetDescription(int k, Side side)
{
    const HaloNames names = haloNames(k, side);
    FieldDescription desc;
    desc.edit = names.offset;
    desc.spin = names.offsetSpin;
    desc.lower = 0;
    desc.upper = 255;
    desc.defaultText = QStringLiteral("0");
    desc.rangeText = QStringLiteral("(0 - 255)");
    desc.maxLength = 4;
    desc.outOfBoundsMessage = QStringLiteral("Error! Halo offset out of bounds. ") + desc.rangeText;
    desc.notValidNoun = QStringLiteral("Halo offset value");
    return desc;
}

namespace {

FieldDescription gammaDescription()
{
    FieldDescription desc;
    desc.kind = FieldKind::Real;
    desc.lower = 1.0;
    desc.upper = 5.0;
    desc.defaultText = QStringLiteral("2.2");
    desc.rangeText = QStringLiteral("(1.0 - 5.0)");
    desc.notValidNoun = QStringLiteral("Edge Feathering Gamma value");
    return desc;
}

}  // namespace

FieldDescription edgeGammaDescription(int k, Side side)
{
    const FeatherNames names = featherNames(k, side);
    FieldDescription desc = gammaDescription();
    desc.edit = names.gamma;
    desc.spin = names.gammaSpin;
    desc.repeatMs = 100;
    // Screen 1's left gamma lets a text that is no number through to the
    // generic conversion message.
    desc.exitReportsGenericConversion = k == 1 && side == Side::Left;
    return desc;
}

FieldDescription edgeWidthDescription(int k, Side side, Bound maxOverlapWidth)
{
    const FeatherNames names = featherNames(k, side);
    FieldDescription desc;
    desc.edit = names.width;
    desc.spin = names.widthSpin;
    desc.lower = 64;
    desc.upper = std::move(maxOverlapWidth);
    desc.defaultText = QStringLiteral("0");
    desc.maxLength = k == 1 ? 4 : 3;
    desc.outOfBoundsMessage = QStringLiteral("Error! Gamma width out of bounds.");
    desc.notValidNoun = QStringLiteral("width value");
    return desc;
}

FieldDescription edgeOffsetDescription(int k, Side side)
{
    const FeatherNames names = featherNames(k, side);
    FieldDescription desc;
    desc.edit = names.offset;
    desc.spin = names.offsetSpin;
    desc.lower = 0;
    desc.upper = 511;
    desc.defaultText = QStringLiteral("0");
    desc.rangeText = QStringLiteral("(0 - 511)");
    desc.maxLength = k == 1 ? 3 : 4;
    desc.outOfBoundsMessage = QStringLiteral("Error! Offset out of bounds. ") + desc.rangeText;
    desc.notValidNoun = QStringLiteral("offset value");
    return desc;
}

FieldDescription basicGammaDescription()
{
    FieldDescription desc = gammaDescription();
    desc.edit = QStringLiteral("BasicGammaEdit");
    desc.spin = QStringLiteral("BasicGammaUpDown");
    desc.maxLength = 4;
    desc.repeatMs = 106;
    return desc;
}

}  // namespace tess
