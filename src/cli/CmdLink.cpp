#include "cli/CmdLink.h"

#include "app/cablebackends.h"
#include "cli/CommandOutput.h"
#include "cli/InterruptGuard.h"
#include "cli/formatoption.h"
#include "meter/AcquisitionWorker.h"
#include "meter/CableAccess.h"
#include "meter/CableProtocol.h"
#include "meter/aboutlines.h"
#include "model/sampleconversion.h"
#include "model/tidycsv.h"
#include "recording/recorderexport.h"

#include <QDateTime>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace telmora::cli {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* kLogUsage =
    "Usage: telmora-cli log [--simulate[=NAME]] [--count N] [--interval SECONDS]\n"
    "                       [--format standard|tidy]\n";
constexpr const char* kInfoUsage = "Usage: telmora-cli info [--simulate[=NAME]]\n";
constexpr auto kSlice = 50ms;

bool isSimulateOption(std::string_view arg) {
    return arg == "--simulate" || arg.starts_with("--simulate=");
}

// The backend the option names; null (after the message) on a bad name.
std::shared_ptr<CableBackend> chooseBackend(std::string_view simulate) {
    std::string error;
    std::shared_ptr<CableBackend> backend = MakeCableBackend(simulate, &error);
    if (!backend)
        std::fprintf(stderr, "telmora-cli: %s\n", error.c_str());
    return backend;
}

template <class T> std::optional<T> parseNumber(std::string_view text) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Writes one line with its CR LF and hands it on at once; false once the output
// failed.
bool writeLine(CommandOutput& out, std::string line) {
    line += "\r\n";
    return out.write(line) && out.flush();
}

// The acquisition worker of this command on its own thread, and what it last
// reported. The worker's signals are taken directly on its thread (this
// command has no event loop); the command thread waits for them here.
class Acquisition {
public:
    explicit Acquisition(std::shared_ptr<CableBackend> backend)
        : m_cable(std::move(backend)), m_worker(m_cable) {
        using W = AcquisitionWorker;
        const auto direct = Qt::DirectConnection;
        QObject::connect(
            &m_worker, &W::readingReceived, &m_worker,
            [this](const DecodedReply& reading) {
                m_worker.readingDelivered();
                update([&] {
                    m_reading = reading;
                    m_valid = true;
                    m_fresh = true;
                });
            },
            direct);
        QObject::connect(
            &m_worker, &W::pollFailed, &m_worker, [this] { update([&] { m_valid = false; }); },
            direct);
        QObject::connect(
            &m_worker, &W::noDataReceived, &m_worker,
            [this] {
                std::fputs("telmora-cli: No data received.\n", stderr);
                m_worker.noticeClosed();
            },
            direct);
        QObject::connect(
            &m_worker, &W::linkLost, &m_worker, [this] { update([&] { m_lost = true; }); }, direct);
        m_thread = std::jthread([this] { m_worker.run(); });
    }
    ~Acquisition() {
        m_worker.requestStop();
        m_thread.join();
    }
    Acquisition(const Acquisition&) = delete;
    Acquisition& operator=(const Acquisition&) = delete;

    // Waits at most `timeout` for a reading newer than the last one taken.
    bool waitForNewReading(std::chrono::milliseconds timeout) {
        std::unique_lock lock(m_mutex);
        const bool fresh = m_changed.wait_for(lock, timeout, [this] { return m_fresh || m_lost; });
        const bool took = fresh && m_fresh;
        m_fresh = false;
        return took;
    }
    bool linkLost() {
        std::lock_guard lock(m_mutex);
        return m_lost;
    }
    // The newest reading, when the last poll brought one.
    std::optional<DecodedReply> validReading() {
        std::lock_guard lock(m_mutex);
        if (!m_valid)
            return std::nullopt;
        return m_reading;
    }

private:
    template <class F> void update(F change) {
        {
            std::lock_guard lock(m_mutex);
            change();
        }
        m_changed.notify_all();
    }

    CableAccess m_cable;
    AcquisitionWorker m_worker;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    DecodedReply m_reading;
    bool m_valid = false;
    bool m_fresh = false;
    bool m_lost = false;
    std::jthread m_thread; // last: started once everything else is ready
};

// The options of the log command.
struct LogOptions {
    std::string_view simulate;
    long long count = -1;  // until Ctrl-C
    double interval = 0.0; // every reading
    TextExportFormat format = TextExportFormat::Standard;
};

// Takes the value of --count or --interval; false (after the message) when it
// is not a number in range.
bool takeLogValue(std::string_view option, std::string_view value, LogOptions& options) {
    if (option.starts_with("--count")) {
        const auto n = parseNumber<long long>(value);
        if (!n || *n < 1) {
            std::fputs("telmora-cli: --count needs a whole number of at least 1\n", stderr);
            return false;
        }
        options.count = *n;
        return true;
    }
    const auto s = parseNumber<double>(value);
    if (!s || !(*s >= 0.0) || *s > 86400.0) {
        std::fputs("telmora-cli: --interval needs a number of seconds from 0 to 86400\n", stderr);
        return false;
    }
    options.interval = *s;
    return true;
}

// The options, or nothing (after the usage or a message) on a bad argument.
std::optional<LogOptions> parseLogOptions(int argc, char** argv) {
    LogOptions options;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string_view value;
        if (isSimulateOption(arg)) {
            options.simulate = arg;
            continue;
        }
        const OptionMatch format = TakeFormatOption(argc, argv, i, options.format);
        if (format == OptionMatch::Bad)
            return std::nullopt;
        if (format == OptionMatch::Taken)
            continue;
        if ((arg == "--count" || arg == "--interval") && i + 1 < argc) {
            value = argv[++i];
        } else if (arg.starts_with("--count=") || arg.starts_with("--interval=")) {
            value = arg.substr(arg.find('=') + 1);
        } else {
            std::fputs(kLogUsage, stderr);
            return std::nullopt;
        }
        if (!takeLogValue(arg, value, options))
            return std::nullopt;
    }
    return options;
}

// The ticks of logging at an interval, counted from its construction.
class IntervalPacer {
public:
    explicit IntervalPacer(double seconds)
        : m_period(
              std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds))),
          m_due(Clock::now() + m_period) {}

    // True when a tick is due, which also schedules the next one; otherwise
    // waits a slice at most towards the tick and gives false.
    bool tickDue() {
        const auto now = Clock::now();
        if (now < m_due) {
            std::this_thread::sleep_for(std::min<Clock::duration>(m_due - now, kSlice));
            return false;
        }
        m_due += m_period;
        if (m_due < now)
            m_due = now + m_period; // a long stall skips ticks rather than bursting
        return true;
    }

private:
    Clock::duration m_period;
    Clock::time_point m_due;
};

// The tidy row of a sample taken at `now`: its local date and time with the UTC offset.
std::string tidyLine(long long index, const SampleEntry& entry, const QDateTime& now) {
    std::string line = std::to_string(index + 1);
    AppendTidyField(line, IsoDateTime(now.toMSecsSinceEpoch(), now.offsetFromUtc()));
    AppendTidyReadings(line, entry, RecordOrigin::Recorder);
    return line;
}

// Writes the newest valid reading as sample line `index`, stamped with the
// current time; false when there was none to write or the output failed.
bool writeSampleLine(CommandOutput& out, Acquisition& acquisition, long long index,
                     TextExportFormat format) {
    const std::optional<DecodedReply> live = acquisition.validReading();
    if (!live)
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    const QTime time = now.time();
    const auto entry = BuildSample(
        *live, FormatSampleTime(time.hour(), time.minute(), time.second(), time.msec()));
    if (!entry)
        return false;
    return writeLine(out, format == TextExportFormat::Tidy ? tidyLine(index, *entry, now)
                                                           : RecorderTextLine(index, *entry));
}

// Writes sample lines until the count is reached, Ctrl-C is pressed, the link is
// lost or the output fails; the exit status of the command.
int logReadings(CommandOutput& out, Acquisition& acquisition, const LogOptions& options,
                const InterruptGuard& ctrlC) {
    IntervalPacer pacer(options.interval);
    long long written = 0;
    while (options.count < 0 || written < options.count) {
        if (ctrlC.interrupted())
            return 0;
        if (out.failed())
            return out.report(stderr);
        if (acquisition.linkLost()) {
            std::fputs(
                "telmora-cli: the link to the meter was lost (USB adapter cable not found).\n",
                stderr);
            return 1;
        }
        // At an interval: the newest valid reading when each tick is due;
        // otherwise every new reading.
        const bool ready =
            options.interval > 0.0 ? pacer.tickDue() : acquisition.waitForNewReading(kSlice);
        if (ready && writeSampleLine(out, acquisition, written, options.format))
            ++written;
    }
    return 0;
}

} // namespace

int CmdLog(int argc, char** argv) {
    const std::optional<LogOptions> options = parseLogOptions(argc, argv);
    if (!options)
        return 2;
    const std::shared_ptr<CableBackend> backend = chooseBackend(options->simulate);
    if (!backend)
        return 2;
    if (!OpenCable(*backend).valid()) {
        std::fputs("telmora-cli: USB adapter cable not found.\n", stderr);
        return 1;
    }

    InterruptGuard guard;
    CommandOutput out(stdout);
    Acquisition acquisition(backend);
    if (!writeLine(out, options->format == TextExportFormat::Tidy
                            ? TidyHeader(TidyTime::DateTime)
                            : std::string(kRecorderTextHeader)))
        return out.report(stderr);
    return logReadings(out, acquisition, *options, guard);
}

int CmdInfo(int argc, char** argv) {
    std::string_view simulate;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!isSimulateOption(arg)) {
            std::fputs(kInfoUsage, stderr);
            return 2;
        }
        simulate = arg;
    }
    const std::shared_ptr<CableBackend> backend = chooseBackend(simulate);
    if (!backend)
        return 2;
    CableHandle cable = OpenCable(*backend);
    if (!cable) {
        std::fputs("telmora-cli: USB adapter cable not found.\n", stderr);
        return 1;
    }
    const CableIdentity identity = QueryCableIdentity(cable);
    cable.close();
    const CableLines lines = CableIdentityLines(true, identity);
    if (lines.firmware.isEmpty() && lines.serial.isEmpty()) {
        std::fputs("telmora-cli: the cable did not tell its identity.\n", stderr);
        return 1;
    }
    CommandOutput out(stdout);
    for (const QString& line : {lines.firmware, lines.serial}) {
        if (!line.isEmpty())
            out.write(line.toStdString() + '\n');
    }
    return out.finish(0, stderr);
}

} // namespace telmora::cli
