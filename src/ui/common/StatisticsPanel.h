#pragma once

#include "ui/common/FramedBox.h"

#include <QString>

#include <array>
#include <optional>

class QLabel;

namespace telmora {

struct StatisticsGroup;

// Count, mean, standard deviation, minimum, maximum and overloads of one function
// and unit, side by side for two ranges: the whole recording (or session) and the
// part the user is looking at. The title names the group ("Statistics - V DC").
// Figures are written with an SI prefix and "." as decimal point. They change
// with every sample while recording; a figure can be selected for copying.
class StatisticsPanel : public FramedBox {
    Q_OBJECT

public:
    enum class Column { Whole, Shown };

    explicit StatisticsPanel(QWidget* parent = nullptr);

    // The heading of a column ("Recording", "Page", "Zoom", "Session", ...).
    void setColumnTitle(Column column, const QString& title);
    // How the meter displayed the group's readings: the power of ten of the prefix
    // and the digits after the decimal point.
    struct Resolution {
        int prefixExponent = 0;
        int decimals = 0;
    };

    // The group of `whole` names the panel; either may be null (dashes shown).
    // With a resolution, mean, minimum and maximum are written in the displayed
    // prefix with one digit more than the display, the standard deviation with
    // two significant digits in the same prefix; without one, each figure takes
    // the prefix that suits its size.
    void showGroups(const StatisticsGroup* whole, const StatisticsGroup* shown,
                    std::optional<Resolution> resolution = std::nullopt);
    void clear();

    // The text of a figure (row 0..5) in a column, as shown (tests).
    QString figureText(Column column, int row) const;

    // A value with an SI prefix chosen for its size, `significant` digits.
    static QString formatValue(double value, const QString& unit, int significant);
    // A value in the prefix of `exponent` with `decimals` digits after the point.
    static QString formatInPrefix(double value, const QString& unit, int exponent, int decimals);
    // The digits after the point that give `value` (in the prefix of `exponent`)
    // two significant digits.
    static int twoSignificantDecimals(double value, int exponent);

private:
    static constexpr int kRows = 6;
    void showColumn(Column column, const StatisticsGroup* group,
                    const std::optional<Resolution>& resolution);

    std::array<QLabel*, 2> m_titles{};
    std::array<std::array<QLabel*, kRows>, 2> m_figures{};
};

} // namespace telmora
