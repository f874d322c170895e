#pragma once

#include <QString>
#include <array>

namespace tess {

// The RS-485 IDs units 1 and 2 are addressed with through the controller,
// as texts: whoever owns the ID fields (the Information page, or a front
// end without a window) keeps them current, and the senders and queries
// read them at the moment of use.
class UnitIds {
public:
    UnitIds() : texts_{QStringLiteral("1"), QStringLiteral("2")} {}

    // The whole number in unit 1's or 2's text; a text that is no number
    // addresses 0.
    int id(int unit) const { return texts_.at(std::size_t(unit - 1)).trimmed().toInt(); }
    const QString &text(int unit) const { return texts_.at(std::size_t(unit - 1)); }
    void setText(int unit, const QString &text) { texts_.at(std::size_t(unit - 1)) = text; }
    void setId(int unit, int id) { setText(unit, QString::number(id)); }

private:
    std::array<QString, 2> texts_;
};

}  // namespace tess
