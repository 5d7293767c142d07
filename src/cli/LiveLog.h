#pragma once
// The live part of telmora-cli log: the meters' links, as the windows use them,
// and the lines written from their readings.

#include "model/DecodedReply.h"
#include "model/TriggerWatch.h"
#include "model/exportoptions.h"

#include <QDateTime>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace telmora {
class CableAccess;
class CableBackend;
class MeterLink;
} // namespace telmora

namespace telmora::cli {

class CommandOutput;
class InterruptGuard;
class LogPublisher;

// What the log writes and for how long.
struct LogPlan {
    TextExportFormat format = TextExportFormat::Standard;
    bool withMeter = false; // a meter column (the meters were named by --meter)
    long long count = -1;   // readings per meter; -1: until Ctrl-C
    double interval = 0.0;  // seconds between lines; 0: every reading
    // When the lines begin and end (M1.. are the meters in the order of `keys`). A
    // stop after a number of samples is given as `count`.
    RecordingTrigger trigger{};
};

// The header and sample lines of the log, with the meter column when asked for.
class LogLines {
public:
    LogLines(TextExportFormat format, bool withMeter) : m_format(format), m_withMeter(withMeter) {}

    std::string header() const;
    // The line of the `written`-th reading (from 0) of meter `key` taken at `now`;
    // nothing when the reading makes no sample.
    std::optional<std::string> sample(const std::string& key, long long written,
                                      const DecodedReply& live, const QDateTime& now) const;

private:
    TextExportFormat m_format;
    bool m_withMeter;
};

// Links the meters of the cables `keys` (an empty key: the first cable) through
// MeterLink, writes the header once every link is up and then the lines of their
// readings: each new reading, or at an interval each meter's newest valid one.
// With a trigger the lines begin with the first reading that meets its start and
// end when its stop comes. Ends when every meter has its count, on Ctrl-C, when
// every link is lost or when the output fails. Needs a QCoreApplication; runs its own event loop.
class LiveLog : public QObject {
    Q_OBJECT

public:
    LiveLog(std::shared_ptr<CableBackend> backend, const std::vector<std::string>& keys,
            const LogPlan& plan, CommandOutput& out, LogPublisher* publisher,
            const InterruptGuard& ctrlC);
    // The links end (their workers are waited for) before their cables.
    ~LiveLog() override;
    LiveLog(const LiveLog&) = delete;
    LiveLog& operator=(const LiveLog&) = delete;

    // Logs until the end; the exit status of the command.
    int run();

private:
    struct Meter {
        std::string key;
        std::unique_ptr<CableAccess> cable;
        std::unique_ptr<MeterLink> link;
        long long written = 0;
        bool lost = false;
    };

    void connectMeter(std::size_t index);
    void onLinkFinished(bool linked);
    void onReading(std::size_t index, const DecodedReply& reading);
    void onLost(std::size_t index);
    void onTick();
    // While the trigger's start is awaited: offers the readings of one moment (one
    // meter's, or every meter's at a tick); true once the lines may begin.
    bool started(const std::vector<std::pair<std::size_t, DecodedReply>>& readings);
    // After the line of `reading` of meter `index`: ends the log when the trigger's
    // stop condition holds.
    void stopWhenDue(std::size_t index, const DecodedReply& reading);
    // Ends the log when the trigger's duration is over, else waits for it.
    void awaitDuration();
    // Writes the line of `reading` of meter `index` (and publishes it); false after
    // the output failed (the log has ended then).
    bool writeSample(std::size_t index, const DecodedReply& reading);
    bool wanted(const Meter& meter) const;
    // Ends the log with `status` unless some meter still wants lines.
    void endWhenDone();
    void finish(int status);

    LogPlan m_plan;
    LogLines m_lines;
    CommandOutput& m_out;
    LogPublisher* m_publisher;
    const InterruptGuard& m_ctrlC;
    std::vector<Meter> m_meters;
    std::size_t m_linked = 0;
    bool m_started = false; // the header is written
    int m_status = 0;
    QTimer m_ticks;      // the interval
    QTimer m_interrupts; // looks for Ctrl-C
    QTimer m_duration;   // the trigger's duration
    TriggerWatch m_watch;
    QEventLoop m_loop;
};

} // namespace telmora::cli
