#include "cli/CmdLink.h"

#include "app/cablebackends.h"
#include "cli/CommandOutput.h"
#include "cli/InterruptGuard.h"
#include "cli/LiveLog.h"
#include "cli/LogPublisher.h"
#include "cli/formatoption.h"
#include "meter/CableAccess.h"
#include "meter/CableProtocol.h"
#include "meter/aboutlines.h"
#include "meter/cablelist.h"
#include "model/RecordingTrigger.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace telmora::cli {

namespace {

constexpr const char* kLogUsage =
    "Usage: telmora-cli log [--simulate[=NAME]] [--meter all|SERIAL] [--count N]\n"
    "                       [--interval SECONDS] [--format standard|tidy]\n"
    "                       [--start-when 'M1>5' | --start-at HH:MM[:SS]]\n"
    "                       [--stop-after DURATION|SAMPLES | --stop-when 'M1<2.2k']\n"
    "                       [--mqtt URL [--topic PREFIX] [--qos 0|1] [--cafile FILE]]\n";
constexpr const char* kInfoUsage = "Usage: telmora-cli info [--simulate[=NAME]]\n";

// The QCoreApplication the links and jobs need for their queued signals, made for
// the command unless one exists already.
class EventLoopApplication {
public:
    EventLoopApplication() {
        if (QCoreApplication::instance() != nullptr)
            return;
        m_app.emplace(m_argc, m_argv.data());
        // Qt takes on the user's locale; the command's output does not follow it.
        std::setlocale(LC_ALL, "C");
    }

private:
    int m_argc = 1;
    char m_name[12] = "telmora-cli";
    std::array<char*, 2> m_argv{m_name, nullptr};
    std::optional<QCoreApplication> m_app;
};

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

// The options of the log command.
struct LogOptions {
    std::string_view simulate;
    std::string_view meter; // "all", a cable's key, or empty: the first cable
    long long count = -1;   // until Ctrl-C
    double interval = 0.0;  // every reading
    TextExportFormat format = TextExportFormat::Standard;
    MqttOptions mqtt;
    // The trigger's options as given; read once the meters are known.
    std::string_view startWhen;
    std::string_view startAt;
    std::string_view stopAfter;
    std::string_view stopWhen;
};

// The options of the trigger and where they go.
constexpr std::array<std::pair<std::string_view, std::string_view LogOptions::*>, 4>
    kTriggerOptions{{{"--start-when", &LogOptions::startWhen},
                     {"--start-at", &LogOptions::startAt},
                     {"--stop-after", &LogOptions::stopAfter},
                     {"--stop-when", &LogOptions::stopWhen}}};

// Takes a trigger option at argv[i] (its value after a blank or "="): Taken, Bad
// (after the message) when its value is missing, or NotThis.
OptionMatch takeTriggerOption(int argc, char** argv, int& i, LogOptions& options) {
    const std::string_view arg = argv[i];
    for (const auto& [name, member] : kTriggerOptions) {
        if (arg == name && i + 1 < argc) {
            options.*member = argv[++i];
            return OptionMatch::Taken;
        }
        if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=') {
            options.*member = arg.substr(name.size() + 1);
            return OptionMatch::Taken;
        }
        if (arg == name) {
            std::fprintf(stderr, "telmora-cli: %.*s needs a value\n", static_cast<int>(name.size()),
                         name.data());
            return OptionMatch::Bad;
        }
    }
    return OptionMatch::NotThis;
}

// The trigger of the options for `meters` meters; nothing after the message when
// an option cannot be read or two of them contradict each other.
std::optional<RecordingTrigger> readTrigger(const LogOptions& options, int meters) {
    RecordingTrigger trigger;
    TriggerError error;
    const auto refuse = [&error](std::string_view option) {
        std::fprintf(stderr, "telmora-cli: %.*s: %s\n", static_cast<int>(option.size()),
                     option.data(), error.englishMessage().c_str());
        return std::nullopt;
    };
    if (!options.startWhen.empty() && !options.startAt.empty()) {
        std::fputs("telmora-cli: --start-when and --start-at exclude each other\n", stderr);
        return std::nullopt;
    }
    if (!options.stopAfter.empty() && !options.stopWhen.empty()) {
        std::fputs("telmora-cli: --stop-after and --stop-when exclude each other\n", stderr);
        return std::nullopt;
    }
    if (!options.startWhen.empty()) {
        std::optional<TriggerCondition> condition =
            ParseTriggerCondition(options.startWhen, meters, &error);
        if (!condition)
            return refuse("--start-when");
        trigger.start = TriggerStart::Condition;
        trigger.startCondition = std::move(*condition);
    }
    if (!options.startAt.empty()) {
        const std::optional<int> second = ParseClockTime(options.startAt);
        if (!second) {
            error = {TextId::TriggerClockTimeForm, {}};
            return refuse("--start-at");
        }
        trigger.start = TriggerStart::ClockTime;
        trigger.startSecond = *second;
    }
    if (!options.stopAfter.empty() && !ParseStopAfter(options.stopAfter, trigger, &error))
        return refuse("--stop-after");
    if (!options.stopWhen.empty()) {
        std::optional<TriggerCondition> condition =
            ParseTriggerCondition(options.stopWhen, meters, &error);
        if (!condition)
            return refuse("--stop-when");
        trigger.stop = TriggerStop::Condition;
        trigger.stopCondition = std::move(*condition);
    }
    return trigger;
}

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
        const OptionMatch trigger = takeTriggerOption(argc, argv, i, options);
        if (trigger == OptionMatch::Bad)
            return std::nullopt;
        if (trigger == OptionMatch::Taken)
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

// The keys of the cables `choice` names: the first cable for none, every cable for
// "all", or the cable with that serial number (or path). Empty after a message
// when there is no such cable.
std::vector<std::string> chooseCables(CableBackend& backend, std::string_view choice) {
    const std::vector<CableEntry> cables = ListCables(backend);
    if (cables.empty()) {
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

// Asks the cable of `access` for its identity, as the About box does, and waits
// for the answer in an event loop.
std::pair<bool, CableIdentity> queryIdentity(CableAccess& access) {
    std::pair<bool, CableIdentity> answer{false, {}};
    QEventLoop loop;
    QObject::connect(&access, &CableAccess::identityArrived, &loop,
                     [&](bool opened, const CableIdentity& identity) {
                         answer = {opened, identity};
                         loop.quit();
                     });
    access.queryIdentity();
    loop.exec();
    return answer;
}

// Writes `heading` and the firmware and serial-number lines of the cable known by
// `key` (the first cable for an empty key); 1 after a message when it is missing
// or tells nothing.
int writeCableLines(const std::shared_ptr<CableBackend>& backend, const std::string& key,
                    const std::string& heading) {
    CableAccess access(backend, key);
    const auto [opened, identity] = queryIdentity(access);
    if (!opened) {
        std::fputs("telmora-cli: USB adapter cable not found.\n", stderr);
        return 1;
    }
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
    const std::optional<RecordingTrigger> trigger =
        readTrigger(*options, static_cast<int>(keys.size()));
    if (!trigger)
        return 2;

    EventLoopApplication eventLoop;
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
    LogPlan plan{options->format, !options->meter.empty(), options->count, options->interval,
                 *trigger};
    // A stop after a number of samples: that many lines of each meter.
    if (trigger->stop == TriggerStop::Samples) {
        plan.count =
            plan.count < 0 ? trigger->samples : std::min<long long>(plan.count, trigger->samples);
        plan.trigger.stop = TriggerStop::ByHand;
    }
    LiveLog log(backend, keys, plan, out, publisher.get(), guard);
    return log.run();
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
    EventLoopApplication eventLoop;
    const std::vector<CableEntry> cables = ListCables(*backend);
    if (cables.size() <= 1)
        return writeCableLines(backend, {}, "");
    // Several cables: each one's lines under a line that names it.
    int status = 0;
    for (std::size_t i = 0; i < cables.size(); ++i) {
        const std::string heading = (i == 0 ? "" : "\n") + std::string("Cable ") +
                                    std::to_string(i + 1) + ": " + cables[i].key + '\n';
        status = std::max(status, writeCableLines(backend, cables[i].key, heading));
    }
    return status;
}

} // namespace telmora::cli
