#include "ui/common/StatisticsPanel.h"

#include "model/GroupedStatistics.h"
#include "text/texts.h"
#include "ui/common/LabelHolder.h"
#include "ui/common/SelectableOnHover.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace telmora {

namespace {

enum Row { Count, Mean, Deviation, Minimum, Maximum, Overloads };

// Units that take no prefix: temperatures, ratios and levels read better whole.
// The SI prefixes figures are written with, largest first.
constexpr struct {
    int exponent;
    const char16_t* prefix;
} kPrefixes[] = {{9, u"G"},  {6, u"M"},       {3, u"k"},  {0, u""},
                 {-3, u"m"}, {-6, u"\u00B5"}, {-9, u"n"}, {-12, u"p"}};

bool takesPrefix(const QString& unit) {
    return !(unit.startsWith(QChar(0x00B0)) || unit == QLatin1String("%") ||
             unit.startsWith(QLatin1String("dB")) || unit.isEmpty());
}

QString mode(const StatisticsGroup& group) {
    return QString::fromLatin1(group.mode.data(), static_cast<qsizetype>(group.mode.size()));
}

} // namespace

StatisticsPanel::StatisticsPanel(QWidget* parent) : FramedBox(parent) {
    setObjectName(QStringLiteral("StatisticsPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    const char* rowNames[kRows] = {QT_TRANSLATE_NOOP("StatisticsPanel", "Count"),
                                   QT_TRANSLATE_NOOP("StatisticsPanel", "Mean"),
                                   QT_TRANSLATE_NOOP("StatisticsPanel", "Std. dev."),
                                   QT_TRANSLATE_NOOP("StatisticsPanel", "Minimum"),
                                   QT_TRANSLATE_NOOP("StatisticsPanel", "Maximum"),
                                   QT_TRANSLATE_NOOP("StatisticsPanel", "Overloads")};
    for (int row = 0; row < kRows; ++row) {
        auto* name = new QLabel(translate("StatisticsPanel", rowNames[row]), this);
        grid->addWidget(name, row + 1, 0);
    }
    for (int column = 0; column < 2; ++column) {
        auto* title = new QLabel(this);
        title->setStyleSheet(QStringLiteral("font-weight: bold;"));
        title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(title, 0, column + 1);
        m_titles[static_cast<std::size_t>(column)] = title;
        for (int row = 0; row < kRows; ++row) {
            auto* figure = new QLabel(this);
            figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            SelectableOnHover::apply(figure);
            figure->setMinimumWidth(
                fontMetrics().horizontalAdvance(QStringLiteral("-000.0000 mV")));
            figure->setObjectName(
                QStringLiteral("Statistics%1%2")
                    .arg(column == 0 ? QStringLiteral("Whole") : QStringLiteral("Shown"))
                    .arg(row));
            // Held: a new figure repaints itself without relaying out the window.
            grid->addWidget(HoldLabel(figure), row + 1, column + 1);
            m_figures[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = figure;
        }
    }
    grid->setRowStretch(kRows + 1, 1);
    setColumnTitle(Column::Whole, translate("StatisticsPanel", "Recording"));
    setColumnTitle(Column::Shown, translate("StatisticsPanel", "Shown"));
    clear();
}

void StatisticsPanel::setColumnTitle(Column column, const QString& title) {
    m_titles[static_cast<std::size_t>(column)]->setText(title);
}

void StatisticsPanel::showGroups(const StatisticsGroup* whole, const StatisticsGroup* shown,
                                 std::optional<Resolution> resolution) {
    const StatisticsGroup* named = whole != nullptr ? whole : shown;
    if (named == nullptr) {
        setTitle(translate("StatisticsPanel", "Statistics"));
    } else {
        const QString unit = QString::fromStdString(named->unit);
        setTitle(translate("StatisticsPanel", "Statistics") + QStringLiteral(" \u2013 ") + unit +
                 (named->mode.empty() ? QString() : QLatin1Char(' ') + mode(*named)));
    }
    showColumn(Column::Whole, whole, resolution);
    showColumn(Column::Shown, shown, resolution);
}

void StatisticsPanel::clear() {
    showGroups(nullptr, nullptr, std::nullopt);
}

QString StatisticsPanel::figureText(Column column, int row) const {
    return m_figures[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]->text();
}

void StatisticsPanel::showColumn(Column column, const StatisticsGroup* group,
                                 const std::optional<Resolution>& resolution) {
    auto& labels = m_figures[static_cast<std::size_t>(column)];
    const QString dash = QStringLiteral("\u2013");
    if (group == nullptr) {
        for (QLabel* label : labels)
            label->setText(dash);
        return;
    }
    const RunningStatistics& v = group->values;
    const QString unit = QString::fromStdString(group->unit);
    labels[Count]->setText(QString::number(v.count()));
    labels[Overloads]->setText(QString::number(group->overloads));
    if (v.empty()) {
        for (int row : {Mean, Deviation, Minimum, Maximum})
            labels[static_cast<std::size_t>(row)]->setText(dash);
        return;
    }
    if (!resolution) {
        labels[Mean]->setText(formatValue(v.mean(), unit, 7));
        labels[Deviation]->setText(v.count() > 1 ? formatValue(v.standardDeviation(), unit, 4)
                                                 : dash);
        labels[Minimum]->setText(formatValue(v.minimum(), unit, 7));
        labels[Maximum]->setText(formatValue(v.maximum(), unit, 7));
        return;
    }
    // No more precision than the meter gave, plus the one digit averaging earns.
    const int exponent = takesPrefix(unit) ? resolution->prefixExponent : 0;
    const int decimals = resolution->decimals + 1;
    labels[Mean]->setText(formatInPrefix(v.mean(), unit, exponent, decimals));
    labels[Minimum]->setText(formatInPrefix(v.minimum(), unit, exponent, decimals));
    labels[Maximum]->setText(formatInPrefix(v.maximum(), unit, exponent, decimals));
    const double deviation = v.standardDeviation();
    labels[Deviation]->setText(
        v.count() > 1
            ? formatInPrefix(deviation, unit, exponent, twoSignificantDecimals(deviation, exponent))
            : dash);
}

int StatisticsPanel::twoSignificantDecimals(double value, int exponent) {
    const double scaled = std::fabs(value / std::pow(10.0, exponent));
    if (scaled == 0.0 || !std::isfinite(scaled))
        return 0;
    const int magnitude = static_cast<int>(std::floor(std::log10(scaled)));
    return std::max(0, 1 - magnitude);
}

QString StatisticsPanel::formatValue(double value, const QString& unit, int significant) {
    int exponent = 0;
    if (takesPrefix(unit) && value != 0.0 && std::isfinite(value)) {
        const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
        exponent = kPrefixes[std::size(kPrefixes) - 1].exponent;
        for (const auto& p : kPrefixes) {
            if (magnitude >= p.exponent) {
                exponent = p.exponent;
                break;
            }
        }
    }
    const double scaled = value / std::pow(10.0, exponent);
    const int whole =
        scaled == 0.0
            ? 1
            : std::max(1, static_cast<int>(std::floor(std::log10(std::fabs(scaled)))) + 1);
    return formatInPrefix(value, unit, exponent, std::max(0, significant - whole));
}

QString StatisticsPanel::formatInPrefix(double value, const QString& unit, int exponent,
                                        int decimals) {
    const char16_t* prefix = u"";
    for (const auto& p : kPrefixes)
        if (p.exponent == exponent)
            prefix = p.prefix;
    const double scaled = value / std::pow(10.0, exponent);
    // QString::number ignores the locale: "." in every language.
    return QString::number(scaled, 'f', std::clamp(decimals, 0, 12)) + QLatin1Char(' ') +
           QString::fromUtf16(prefix) + unit;
}

} // namespace telmora
