#include "ui/recorder/MeterStatisticsPanels.h"

#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"
#include "recording/RecordingStatistics.h"
#include "ui/common/StatisticsPanel.h"
#include "ui/recorder/LimitCountsView.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace telmora {

namespace {

// Meter `meter`'s sample at `index` when it holds a reading (a meter without one
// at a tick has a gap sample without a value).
std::optional<SampleEntry> readingOf(const Recording& recording, std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(recording.size()) ||
        !std::isfinite(recording.valueAt(index)))
        return std::nullopt;
    return recording.readSample(index);
}

} // namespace

MeterStatisticsPanels::MeterStatisticsPanels(QWidget* parent) : QWidget(parent) {
    // The column scrolls when its meters need more height than the window has:
    // it never holds the recorder (or the panels tabbed with it) taller.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("meterStatisticsScroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_inner = new QWidget(m_scroll);
    m_layout = new QVBoxLayout(m_inner);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_scroll->setWidget(m_inner);
    outer->addWidget(m_scroll);
    setMeters({QString()});
}

QSize MeterStatisticsPanels::minimumSizeHint() const {
    // As wide as the panels with room for the scroll bar; as low as one panel.
    const int bar = m_scroll->verticalScrollBar()->sizeHint().width();
    const int first = m_panels.empty() ? 0 : m_panels.front()->minimumSizeHint().height();
    return {m_inner->minimumSizeHint().width() + bar, first};
}

QSize MeterStatisticsPanels::sizeHint() const {
    return {minimumSizeHint().width(), m_inner->sizeHint().height()};
}

void MeterStatisticsPanels::setMeters(const QStringList& names) {
    const auto count = static_cast<std::size_t>(std::max<qsizetype>(names.size(), 1));
    while (m_panels.size() > count) {
        delete m_panels.back();
        delete m_headings.back();
        delete m_limits.back();
        m_panels.pop_back();
        m_headings.pop_back();
        m_limits.pop_back();
    }
    while (m_panels.size() < count) {
        auto* heading = new QLabel(m_inner);
        heading->setObjectName(QStringLiteral("meterStatisticsHeading%1").arg(m_panels.size() + 1));
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        auto* panel = new StatisticsPanel(m_inner);
        auto* limits = new LimitCountsView(m_inner);
        limits->setObjectName(QStringLiteral("meterLimits%1").arg(m_panels.size() + 1));
        m_layout->addWidget(heading);
        m_layout->addWidget(panel);
        m_layout->addWidget(limits);
        m_headings.push_back(heading);
        m_panels.push_back(panel);
        m_limits.push_back(limits);
    }
    for (std::size_t m = 0; m < count; ++m) {
        m_headings[m]->setText(m < static_cast<std::size_t>(names.size()) ? names[qsizetype(m)]
                                                                          : QString());
        m_headings[m]->setVisible(count > 1);
    }
    showLimits();
    updateGeometry();
}

void MeterStatisticsPanels::watch(const RecorderController& controller) {
    m_controller = &controller;
    connect(&controller.limitCounts(), &RecordingLimits::countsChanged, this,
            &MeterStatisticsPanels::showLimits);
    showLimits();
}

void MeterStatisticsPanels::showLimits() {
    for (std::size_t m = 0; m < m_limits.size(); ++m) {
        const auto meter = static_cast<int>(m);
        if (m_controller == nullptr || meter >= m_controller->meterCount()) {
            m_limits[m]->show(nullptr, false);
            continue;
        }
        const RecordingLimits& limits = m_controller->limitCounts();
        const LimitTest* counted = limits.counts(meter);
        const bool shown = m_limits[m]->isVisibleTo(m_inner);
        m_limits[m]->show(counted != nullptr ? counted : limits.limits(meter), counted == nullptr);
        if (m_limits[m]->isVisibleTo(m_inner) != shown)
            updateGeometry();
    }
}

QString MeterStatisticsPanels::heading(int meter) const {
    return m_headings[static_cast<std::size_t>(meter)]->isVisibleTo(this)
               ? m_headings[static_cast<std::size_t>(meter)]->text()
               : QString();
}

void MeterStatisticsPanels::clearFurtherMeters() {
    for (std::size_t m = 1; m < m_panels.size(); ++m)
        m_panels[m]->clear();
}

void MeterStatisticsPanels::showFurtherMeters(const RecorderController& controller,
                                              std::int64_t cursor,
                                              std::pair<std::int64_t, std::int64_t> shown,
                                              const QString& shownTitle) {
    const int meters = std::min(meterCount(), controller.meterCount());
    for (int m = 1; m < meters; ++m)
        showMeter(controller, m, cursor, shown, shownTitle);
}

void MeterStatisticsPanels::showMeter(const RecorderController& controller, int meter,
                                      std::int64_t cursor,
                                      std::pair<std::int64_t, std::int64_t> shown,
                                      const QString& shownTitle) {
    StatisticsPanel& target = panel(meter);
    const Recording& recording = controller.meterRecording(meter);
    // The group of the reading under the cursor, else of the newest one shown.
    std::optional<SampleEntry> sample = readingOf(recording, cursor);
    for (std::int64_t i = shown.second - 1; !sample && i >= std::max<std::int64_t>(shown.first, 0);
         --i)
        sample = readingOf(recording, i);
    if (!sample) {
        target.clear();
        return;
    }
    const TypedReading reading = RecorderMainReading(*sample);
    // From the precounted blocks: a page of hours is not read again with every sample.
    const GroupedStatistics shownStatistics =
        controller.meterRangeStatistics(meter, shown.first, shown.second);
    target.setColumnTitle(StatisticsPanel::Column::Shown, shownTitle);
    target.showGroups(controller.meterStatistics(meter).find(reading.function, reading.unit),
                      shownStatistics.find(reading.function, reading.unit),
                      StatisticsPanel::Resolution{reading.prefixExponent, reading.decimals});
}

} // namespace telmora
