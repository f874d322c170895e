#include "pages/display/EdgeFields.h"

namespace tess {

HaloNames haloNames(int k, Side side)
{
    if (k == 1 || k == 8)
        return {QStringLiteral("HaloWidth%1Label").arg(k), QStringLiteral("HaloOffset%1Label").arg(k)};
    // The right-side labels are HaloWidth2_2Label ..., the left-side ones
    // follow them as HaloWidth2_1Label ...
    const QString tail = side == Side::Left ? QStringLiteral("_1Label") : QStringLiteral("_2Label");
    return {QStringLiteral("HaloWidth%1").arg(k) + tail, QStringLiteral("HaloOffset%1").arg(k) + tail};
}

FeatherNames featherNames(int k, Side side)
{
    FeatherNames names;
    const QString letter = side == Side::Left ? QStringLiteral("L") : QStringLiteral("R");
    const QString digit = QString::number(k);
    // The enable box is unlettered on the edge that is the only one of its
    // kind on its screen: screen 1's right and screen 8's left.
    const bool unlettered = k == 8 || (k == 1 && side == Side::Right);
    names.enable =
        (unlettered ? QString() : letter) + QStringLiteral("EdgeFeathering") + digit + QStringLiteral("CheckBox");
    if (k == 1)
        names.gammaLabel = side == Side::Right ? QStringLiteral("GammaLabel1") : QStringLiteral("Label75");
    else if (k == 8)
        names.gammaLabel = QStringLiteral("GammaLabel8");
    else
        names.gammaLabel = QStringLiteral("GammaLabel") + digit
                           + (side == Side::Right ? QStringLiteral("_2") : QStringLiteral("_1"));
    names.widthLabel = QStringLiteral("EdgeWidth") + digit + letter + QStringLiteral("Label");
    names.offsetLabel = QStringLiteral("EdgeOffset") + digit + letter + QStringLiteral("Label");
    return names;
}

}  // namespace tess
