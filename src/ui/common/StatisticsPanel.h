#pragma once

#include <QGroupBox>
#include <QString>

#include <array>

class QLabel;

namespace telmora {

struct StatisticsGroup;

// Count, mean, standard deviation, minimum, maximum and overloads of one function
// and unit, side by side for two ranges: the whole recording (or session) and the
// part the user is looking at. The title names the group ("Statistics - V DC").
// Figures are written with an SI prefix and "." as decimal point.
class StatisticsPanel : public QGroupBox {
    Q_OBJECT

public:
    enum class Column { Whole, Shown };

    explicit StatisticsPanel(QWidget* parent = nullptr);

    // The heading of a column ("Recording", "Page", "Zoom", "Session", ...).
    void setColumnTitle(Column column, const QString& title);
    // The group of `whole` names the panel; either may be null (dashes shown).
    void showGroups(const StatisticsGroup* whole, const StatisticsGroup* shown);
    void clear();

    // The text of a figure (row 0..5) in a column, as shown (tests).
    QString figureText(Column column, int row) const;

    // A value with an SI prefix chosen for its size, `significant` digits.
    static QString formatValue(double value, const QString& unit, int significant);

private:
    static constexpr int kRows = 6;
    void showColumn(Column column, const StatisticsGroup* group);

    std::array<QLabel*, 2> m_titles{};
    std::array<std::array<QLabel*, kRows>, 2> m_figures{};
};

} // namespace telmora
