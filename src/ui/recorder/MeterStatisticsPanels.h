#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace telmora {

class LimitCountsView;
class RecorderController;
class StatisticsPanel;

// The recorder's statistics column: one StatisticsPanel per meter, each headed by
// the meter's name when there are several. With one meter it is the single panel
// of old, without a heading. Under each panel the meter's limit counts, for a meter
// with limits.
class MeterStatisticsPanels : public QWidget {
    Q_OBJECT

public:
    explicit MeterStatisticsPanels(QWidget* parent = nullptr);

    // The first meter's panel (the window fills it as it always did).
    StatisticsPanel& first() const { return *m_panels.front(); }
    StatisticsPanel& panel(int meter) const { return *m_panels[static_cast<std::size_t>(meter)]; }
    int meterCount() const { return static_cast<int>(m_panels.size()); }
    // One panel per name (at least one); the names head them when there are several.
    void setMeters(const QStringList& names);
    QString heading(int meter) const;

    // Fills the panels of meters 2.. of `controller`: the group of each meter's
    // reading at buffer index `cursor` (or its newest reading), for the whole
    // recording and for samples first .. end - 1, under the column title `shownTitle`.
    void showFurtherMeters(const RecorderController& controller, std::int64_t cursor,
                           std::pair<std::int64_t, std::int64_t> shown, const QString& shownTitle);
    void clearFurtherMeters();

    // Shows the limit counts of `controller`'s meters from now on.
    void watch(const RecorderController& controller);
    LimitCountsView& limits(int meter) const { return *m_limits[static_cast<std::size_t>(meter)]; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

private:
    void showLimits();

    void showMeter(const RecorderController& controller, int meter, std::int64_t cursor,
                   std::pair<std::int64_t, std::int64_t> shown, const QString& shownTitle);

    QScrollArea* m_scroll = nullptr;
    QWidget* m_inner = nullptr;
    QVBoxLayout* m_layout = nullptr;
    std::vector<QLabel*> m_headings;
    std::vector<StatisticsPanel*> m_panels;
    std::vector<LimitCountsView*> m_limits;
    const RecorderController* m_controller = nullptr;
};

} // namespace telmora
