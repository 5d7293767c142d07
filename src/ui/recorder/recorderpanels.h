#pragma once

#include <QLocale>
#include <QStatusBar>
#include <QTime>
#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;

namespace telmora {

struct ReadingRecord;

// The recorder's read-out row: time and reading at the graph cursor, then the
// largest and the smallest sample of the recording. The panels keep the controls'
// old object names ("TimePanel", "ReadingDataPanel", "MaxDataPanel", …).
class RecorderReadouts : public QWidget {
    Q_OBJECT

public:
    explicit RecorderReadouts(QWidget* parent = nullptr);

    // The sample under the cursor, with its time.
    void showCursorSample(const QString& time, const ReadingRecord& record);
    void clearCursorSample();
    void showExtremes(const ReadingRecord& largest, const ReadingRecord& smallest);
    void clearExtremes();

private:
    // Reading, prefix and unit of a record in one row of three panels.
    struct RecordPanels {
        QLabel* data = nullptr;
        QLabel* prefix = nullptr;
        QLabel* unit = nullptr;
    };
    RecordPanels addRecordPanels(const char* prefixName, QLabel* title);
    static void show(const ReadingRecord& record, const RecordPanels& panels);
    static void clear(const RecordPanels& panels);

    QLabel* m_time = nullptr;
    RecordPanels m_reading;
    RecordPanels m_largest;
    RecordPanels m_smallest;
};

// The recorder's status bar: logging, samples in the buffer, page, interval and
// the clock. Panels are named "StatusLogging", "StatusSampleCount", "StatusPage",
// "StatusInterval" and "StatusClock".
class RecorderStatusBar : public QStatusBar {
    Q_OBJECT

public:
    enum class Interval { Manual, FullSpeed, Seconds };

    explicit RecorderStatusBar(QWidget* parent = nullptr);

    void showLogging(bool logging);
    // The recording waits for its trigger: "Waiting for M1 > 5 V".
    void showWaiting(const QString& awaited);
    void showSampleCount(std::int64_t count);
    void showPage(std::int32_t current, std::int32_t last);
    void showInterval(Interval interval, std::int32_t seconds = 0);
    // Hour, minute and second of the clock panel, written as the user's locale
    // writes a time of day.
    void showClock(int hour, int minute, int second);

private:
    enum Panel { Logging, SampleCount, Page, IntervalPanel, Clock, PanelCount };
    std::array<QLabel*, PanelCount> m_panels{};
};

class LabelHolder;

// The line of every meter's reading at the graph cursor ("Meter 1: … Meter 2: …"),
// word-wrapped and selectable for copying, held under `parent`: returns the
// holder, for the layout, and sets `label`.
LabelHolder* HeldTraceReadings(QWidget* parent, QLabel*& label);

// `time` with its seconds as `locale` writes a time of day ("17:04:03",
// "5:04:03 PM"), without a time zone.
QString LocalClockText(const QLocale& locale, const QTime& time);

} // namespace telmora
