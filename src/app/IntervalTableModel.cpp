#include "app/IntervalTableModel.h"

#include "model/decimaltext.h"
#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"
#include "text/texts.h"

#include <algorithm>

namespace telmora {

namespace {

QString figureText(double value) {
    std::string text;
    AppendShortestDouble(text, value);
    return QString::fromStdString(text);
}

struct IntervalExportResult {
    bool written = false;
    QString path;
    QString reason;
};

} // namespace

IntervalTableModel::IntervalTableModel(RecorderController& recorder, QObject* parent)
    : QAbstractTableModel(parent), m_recorder(recorder) {
    m_follow.setSingleShot(true);
    m_follow.setInterval(kFollowDelayMs);
    connect(&m_follow, &QTimer::timeout, this, &IntervalTableModel::refresh);
    connect(&recorder, &RecorderController::sampleAdded, this, &IntervalTableModel::changed);
    connect(&recorder, &RecorderController::cleared, this, &IntervalTableModel::changed);
    connect(&recorder, &RecorderController::recordingLoaded, this, &IntervalTableModel::changed);
    connect(&recorder, &RecorderController::metersChanged, this, &IntervalTableModel::changed);
    // New limits (not every new count: the samples tell of those).
    connect(&recorder.limitCounts(), &RecordingLimits::countsChanged, this, [this] {
        if (m_recorder.limitCounts().pending())
            changed();
    });
}

void IntervalTableModel::setLengthSeconds(std::int64_t seconds) {
    seconds = std::clamp<std::int64_t>(seconds, IntervalStatistics::kShortestMs / 1000,
                                       IntervalStatistics::kLongestMs / 1000);
    if (seconds == m_lengthSeconds)
        return;
    m_lengthSeconds = seconds;
    refresh();
}

void IntervalTableModel::setActive(bool active) {
    m_active = active;
    if (active && m_stale)
        refresh();
}

void IntervalTableModel::changed() {
    m_stale = true;
    if (m_active && !m_follow.isActive())
        m_follow.start();
}

void IntervalTableModel::refresh() {
    m_follow.stop();
    m_stale = false;
    m_job.start(
        [source = IntervalSourceOf(m_recorder, &m_recorder.limitCounts()),
         length = m_lengthSeconds * 1000](const JobControl& control) {
            return ReduceIntervals(source, length, control.token());
        },
        [this](std::optional<IntervalTable>&& table, JobOutcome outcome) {
            if (outcome == JobOutcome::Done && table)
                take(std::move(*table));
        });
}

void IntervalTableModel::take(IntervalTable table) {
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
    emit refreshed();
}

bool IntervalTableModel::startExport(const QString& path) {
    if (m_exportJob.isRunning())
        return false;
    m_exportJob.start(
        [source = IntervalSourceOf(m_recorder, &m_recorder.limitCounts()),
         length = m_lengthSeconds * 1000, path](const JobControl& control) {
            IntervalExportResult result;
            result.path = path;
            result.written = ExportIntervals(path, source, length, &result.reason, control.token());
            return result;
        },
        [this](IntervalExportResult&& result, JobOutcome) {
            emit exportFinished(result.written, result.path, result.reason);
        });
    return true;
}

int IntervalTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int IntervalTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_table.withLimits ? Excursions + 1 : Overloads + 1;
}

QString IntervalTableModel::cellText(const IntervalTableRow& row, int column) const {
    const IntervalFigures& f = row.figures;
    const RunningStatistics& v = f.values;
    const LimitCounts counts = f.limits ? f.limits->counts() : LimitCounts{};
    switch (static_cast<Column>(column)) {
    case Start:
        return QString::fromStdString(row.start);
    case Meter:
        return f.meter < m_table.names.size() ? QString::fromStdString(m_table.names[f.meter])
                                              : QString();
    case Unit:
        return QString::fromStdString(f.unit);
    case Count:
        return QString::number(v.count());
    case Mean:
        return v.empty() ? QString() : figureText(v.mean());
    case Minimum:
        return v.empty() ? QString() : figureText(v.minimum());
    case Maximum:
        return v.empty() ? QString() : figureText(v.maximum());
    case Deviation:
        return v.count() > 1 ? figureText(v.standardDeviation()) : QString();
    case Overloads:
        return QString::number(f.overloads);
    case Inside:
        return f.limits ? QString::number(counts.inside) : QString();
    case Above:
        return f.limits ? QString::number(counts.above) : QString();
    case Below:
        return f.limits ? QString::number(counts.below) : QString();
    case Excursions:
        return f.limits ? QString::number(counts.excursions) : QString();
    }
    return {};
}

QVariant IntervalTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() >= Count ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    return cellText(m_table.rows[static_cast<std::size_t>(index.row())], index.column());
}

QVariant IntervalTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kTitles[] = {QT_TRANSLATE_NOOP("IntervalTableModel", "Start"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Meter"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Unit"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Count"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Mean"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Minimum"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Maximum"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Std. dev."),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Overloads"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Inside"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Above"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Below"),
                                          QT_TRANSLATE_NOOP("IntervalTableModel", "Excursions")};
    if (section < 0 || section > Excursions)
        return {};
    return translate("IntervalTableModel", kTitles[section]);
}

} // namespace telmora
