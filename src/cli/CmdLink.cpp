#include "cli/CmdLink.h"

#include "app/cablebackends.h"
#include "cli/CommandOutput.h"
#include "cli/InterruptGuard.h"
#include "cli/LiveAcquisition.h"
#include "cli/LogPublisher.h"
#include "cli/formatoption.h"
#include "meter/CableProtocol.h"
#include "meter/aboutlines.h"
#include "meter/cablelist.h"
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
#include <vector>

namespace telmora::cli {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* kLogUsage =
    "Usage: telmora-cli log [--simulate[=NAME]] [--meter all|SERIAL] [--count N]\n"
    "                       [--interval SECONDS] [--format standard|tidy]\n"
    "                       [--mqtt URL [--topic PREFIX] [--qos 0|1] [--cafile FILE]]\n";
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

// The options of the log command.
struct LogOptions {
    std::string_view simulate;
    std::string_view meter; // "all", a cable's key, or empty: the first cable
    long long count = -1;   // until Ctrl-C
    double interval = 0.0;  // every reading
    TextExportFormat format = TextExportFormat::Standard;
    MqttOptions mqtt;
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
        const OptionMatch mqtt = TakeMqttOption(argc, argv, i, options.mqtt);
        if (mqtt == OptionMatch::Bad)
            return std::nullopt;
        if (mqtt == OptionMatch::Taken)
            continue;
        if (arg == "--meter" || arg.starts_with("--meter=")) {
            if (arg == "--meter" && i + 1 < argc)
                options.meter = argv[++i];
            else if (arg != "--meter")
                options.meter = arg.substr(8);
            if (options.meter.empty()) {
                std::fputs("telmora-cli: --meter needs 'all' or a cable's serial number\n", stderr);
                return std::nullopt;
            }
            continue;
        }
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
    if (!CheckMqttOptions(options.mqtt))
        return std::nullopt;
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

// One meter being logged: its cable's key, its acquisition and its lines so far.
struct LoggedMeter {
    std::string key;
    std::unique_ptr<LiveAcquisition> acquisition;
    long long written = 0;
    bool lost = false;
};

// The header and sample lines of the log, with the meter column when meters
// were asked for by --meter.
class LogLines {
public:
    LogLines(TextExportFormat format, bool withMeter) : m_format(format), m_withMeter(withMeter) {}

    std::string header() const {
        if (m_format == TextExportFormat::Tidy) {
            return m_withMeter ? TidyLongHeader(TidyTime::DateTime)
                               : TidyHeader(TidyTime::DateTime);
        }
        return m_withMeter ? "#meter," + std::string(kRecorderTextHeader.substr(1))
                           : std::string(kRecorderTextHeader);
    }

    // The line of the reading `live` of `meter` taken at `now`; nothing when the
    // reading makes no sample.
    std::optional<std::string> sample(const LoggedMeter& meter, const DecodedReply& live,
                                      const QDateTime& now) const {
        const QTime time = now.time();
        const auto entry = BuildSample(
            live, FormatSampleTime(time.hour(), time.minute(), time.second(), time.msec()));
        if (!entry)
            return std::nullopt;
        if (m_format == TextExportFormat::Tidy) {
            std::string line = std::to_string(meter.written + 1);
            if (m_withMeter)
                AppendTidyField(line, meter.key);
            AppendTidyField(line, IsoDateTime(now.toMSecsSinceEpoch(), now.offsetFromUtc()));
            AppendTidyReadings(line, *entry, RecordOrigin::Recorder);
            return line;
        }
        const std::string line = RecorderTextLine(meter.written, *entry);
        return m_withMeter ? meter.key + ',' + line : line;
    }

private:
    TextExportFormat m_format;
    bool m_withMeter;
};

// Writes sample lines until every meter has its count, Ctrl-C is pressed, every
// link is lost or the output fails; the exit status of the command. A meter whose
// link is lost is said on stderr and the others go on.
int logReadings(CommandOutput& out, std::vector<LoggedMeter>& meters, ReadingBell& bell,
                const LogOptions& options, const LogLines& lines, const InterruptGuard& ctrlC,
                LogPublisher* publisher) {
    IntervalPacer pacer(options.interval);
    std::uint64_t rings = 0;
    int exitStatus = 0;
    const auto wanted = [&](const LoggedMeter& m) {
        return !m.lost && (options.count < 0 || m.written < options.count);
    };
    while (std::any_of(meters.begin(), meters.end(), wanted)) {
        if (ctrlC.interrupted())
            return exitStatus;
        if (out.failed())
            return out.report(stderr);
        // At an interval: each meter's newest valid reading when a tick is due;
        // otherwise every new reading.
        const bool tick = options.interval > 0.0 && pacer.tickDue();
        for (std::size_t index = 0; index < meters.size(); ++index) {
            LoggedMeter& meter = meters[index];
            if (!meter.lost && meter.acquisition->linkLost()) {
                meter.lost = true;
                exitStatus = 1;
                if (publisher)
                    publisher->meterLost(index);
                const std::string who = options.meter.empty() ? "" : "meter " + meter.key + ": ";
                std::fprintf(stderr,
                             "telmora-cli: %sthe link to the meter was lost (USB adapter cable not "
                             "found).\n",
                             who.c_str());
            }
            const bool ready = options.interval > 0.0 ? tick : meter.acquisition->takeNewReading();
            if (!ready || !wanted(meter))
                continue;
            const std::optional<DecodedReply> live = meter.acquisition->validReading();
            if (!live)
                continue;
            const QDateTime now = QDateTime::currentDateTime();
            if (const std::optional<std::string> line = lines.sample(meter, *live, now)) {
                if (!writeLine(out, *line))
                    return out.report(stderr);
                ++meter.written;
                if (publisher)
                    publisher->publish(index, live->main, now);
            }
        }
        if (options.interval <= 0.0)
            rings = bell.waitAfter(rings, kSlice);
    }
    return exitStatus;
}

// The keys of the cables `choice` names: the first cable for none, every cable for
// "all", or the cable with that serial number (or path). Empty after a message
// when there is no such cable.
std::vector<std::string> chooseCables(CableBackend& backend, std::string_view choice) {
    const std::vector<CableEntry> cables = ListCables(backend);
    if (cables.empty() || (choice.empty() && !OpenCable(backend).valid())) {
        std::fputs("telmora-cli: USB adapter cable not found.\n", stderr);
        return {};
    }
    if (choice.empty())
        return {std::string()};
    std::vector<std::string> keys;
    std::string present;
    for (const CableEntry& cable : cables) {
        if (choice == "all" || cable.key == choice)
            keys.push_back(cable.key);
        present += (present.empty() ? "" : ", ") + cable.key;
    }
    if (keys.empty())
        std::fprintf(stderr, "telmora-cli: no cable with serial number %.*s (present: %s)\n",
                     static_cast<int>(choice.size()), choice.data(), present.c_str());
    return keys;
}

// Writes `heading` and the firmware and serial-number lines of the opened `cable`
// (closing it); 1 after a message when it is missing or tells nothing.
int writeCableLines(CableHandle cable, const std::string& heading) {
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
    out.write(heading);
    for (const QString& line : {lines.firmware, lines.serial}) {
        if (!line.isEmpty())
            out.write(line.toStdString() + '\n');
    }
    return out.finish(0, stderr);
}

} // namespace

int CmdLog(int argc, char** argv) {
    const std::optional<LogOptions> options = parseLogOptions(argc, argv);
    if (!options)
        return 2;
    const std::shared_ptr<CableBackend> backend = chooseBackend(options->simulate);
    if (!backend)
        return 2;
    const std::vector<std::string> keys = chooseCables(*backend, options->meter);
    if (keys.empty())
        return 1;

    InterruptGuard guard;
    std::unique_ptr<LogPublisher> publisher;
    if (!options->mqtt.url.empty()) {
        // The meters by their serial numbers; the first cable's when none was named.
        std::vector<std::string> serials = keys;
        if (serials.front().empty()) {
            const std::vector<CableEntry> cables = ListCables(*backend);
            if (!cables.empty())
                serials.front() = cables.front().key;
        }
        publisher = LogPublisher::Connect(options->mqtt, serials);
        if (!publisher)
            return 1;
    }
    CommandOutput out(stdout);
    ReadingBell bell;
    std::vector<LoggedMeter> meters;
    for (const std::string& key : keys)
        meters.push_back({key, std::make_unique<LiveAcquisition>(backend, key, bell)});
    const LogLines lines(options->format, !options->meter.empty());
    if (!writeLine(out, lines.header()))
        return out.report(stderr);
    return logReadings(out, meters, bell, *options, lines, guard, publisher.get());
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
    const std::vector<CableEntry> cables = ListCables(*backend);
    if (cables.size() <= 1)
        return writeCableLines(OpenCable(*backend), "");
    // Several cables: each one's lines under a line that names it.
    int status = 0;
    for (std::size_t i = 0; i < cables.size(); ++i) {
        const std::string heading = (i == 0 ? "" : "\n") + std::string("Cable ") +
                                    std::to_string(i + 1) + ": " + cables[i].key + '\n';
        status =
            std::max(status, writeCableLines(OpenCableByKey(*backend, cables[i].key), heading));
    }
    return status;
}

} // namespace telmora::cli
