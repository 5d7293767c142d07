#pragma once

#include "jobs/Job.h"
#include "recording/IntervalTable.h"

#include <QAbstractTableModel>
#include <QTimer>

#include <cstdint>

namespace telmora {

class RecorderController;

// The recorder's recording reduced to intervals as a table: one row per interval,
// meter and unit with its start, meter, unit, count, mean, minimum, maximum,
// standard deviation and overloads, and, when a meter has limits, the limit counts
// (inside, above, below, excursions). Numbers are the export's texts.
//
// The reduction runs as a job. While the table is active it follows the recording:
// a change (a new sample, an opened or cleared recording, new meters or limits)
// reduces it again a moment later, once for many samples.
class IntervalTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Start,
        Meter,
        Unit,
        Count,
        Mean,
        Minimum,
        Maximum,
        Deviation,
        Overloads,
        Inside,
        Above,
        Below,
        Excursions
    };
    // The interval lengths offered, in seconds: 1 s, 10 s, 1 min, 10 min, 1 h, 1 day.
    static constexpr std::int64_t kLengths[] = {1, 10, 60, 600, 3600, 86400};
    // A change waits this long for more before the table is reduced again.
    static constexpr int kFollowDelayMs = 1000;

    explicit IntervalTableModel(RecorderController& recorder, QObject* parent = nullptr);

    std::int64_t lengthSeconds() const { return m_lengthSeconds; }
    // Kept inside 1 s .. 1 day; reduces the recording again.
    void setLengthSeconds(std::int64_t seconds);
    // An inactive table (its panel hidden) does not follow the recording; becoming
    // active brings it up to date.
    void setActive(bool active);
    // Reduces the recording again now.
    void refresh();
    bool pending() const { return m_job.isRunning(); }
    const IntervalTable& table() const { return m_table; }

    // Writes the interval export of the recording as it is now, as a job of its own;
    // ends in exportFinished. False when an export is running already.
    bool startExport(const QString& path);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // A reduction came and the table shows it.
    void refreshed();
    // `reason` is empty when the export was stopped.
    void exportFinished(bool written, const QString& path, const QString& reason);

private:
    void changed();
    void take(IntervalTable table);
    QString cellText(const IntervalTableRow& row, int column) const;

    RecorderController& m_recorder;
    std::int64_t m_lengthSeconds = 60;
    bool m_active = false;
    bool m_stale = true;
    IntervalTable m_table;
    QTimer m_follow;
    Job m_job;
    Job m_exportJob;
};

} // namespace telmora
