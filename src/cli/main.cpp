// telmora-cli: the meter's decode, files and logger memory from the command line.
// This file only dispatches: each command lives in its own file pair (CmdDecode.h
// ...) and is listed in kCommands below.
#include "cli/CmdDecode.h"
#include "cli/CmdDownload.h"
#include "cli/CmdLink.h"
#include "cli/CmdRecorderCsv.h"
#include "cli/CmdSessionFiles.h"
#include "cli/CmdStats.h"
#include "cli/CommandOutput.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: telmora-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  decode                     decode live replies (54 hex digits per line) from stdin\n"
    "  recorder-csv FILE [--meter N|NAME|SERIAL] [--every SECONDS]\n"
    "                             text export of a recorder file (.g53, .g52, .g51,\n"
    "                             .TMP) or of one meter of a recording of several\n"
    "                             meters (.telmora; recorder-csv --help); with\n"
    "                             --format tidy --every, the count, mean, min, max,\n"
    "                             stddev and overloads per interval, meter, unit\n"
    "  session-csv FILE           text export of a session file (.slr)\n"
    "  memory-csv IMAGE [--slr OUT]  convert a logger memory image (as saved by\n"
    "                             download --image)\n"
    "  log [--simulate[=NAME]] [--meter all|SERIAL] [--count N] [--interval SECONDS]\n"
    "                             one line per reading; with --meter the meter's\n"
    "                             serial number comes first (a meter column in tidy)\n"
    "      [--start-when 'M1>5' | --start-at HH:MM[:SS]]\n"
    "                             begin with the first reading after M1 crossed the\n"
    "                             level upward (> ) or downward (<), or at that time\n"
    "                             of day; M1, M2 ... are the meters in their order.\n"
    "                             The level takes a prefix and unit (5m, 2.2k, 5 V)\n"
    "      [--stop-after DURATION|SAMPLES | --stop-when 'M2<2.2k']\n"
    "                             end after a duration (90s, 10m, 1.5h: s, m or h)\n"
    "                             or that many lines of each meter, or with the\n"
    "                             first line in which the condition holds\n"
    "      [--mqtt URL [--topic PREFIX] [--qos 0|1] [--cafile FILE]]\n"
    "                             also publish every logged reading to the MQTT\n"
    "                             broker at URL (mqtt://HOST[:PORT], or mqtts:// for\n"
    "                             TLS, checked against the CA certificates of FILE or\n"
    "                             else of the system) as JSON on PREFIX/SERIAL/reading,\n"
    "                             and \"online\"/\"offline\" on PREFIX/SERIAL/status\n"
    "                             (retained; \"offline\" is also the last will).\n"
    "                             PREFIX defaults to telmora/HOSTNAME, QoS to 0. The\n"
    "                             user name and password come from the environment\n"
    "                             variables TELMORA_MQTT_USER and TELMORA_MQTT_PASSWORD.\n"
    "                             The command waits up to 10 s for the broker and\n"
    "                             ends with exit status 1 when it cannot publish\n"
    "  stats FILE [--limits LOW:HIGH]\n"
    "                             statistics per function and unit of a recorder or\n"
    "                             session file, or of each meter and the math channel\n"
    "                             of a recording of several meters (.telmora), as JSON\n"
    "                             lines (stats --help); --limits adds each meter's\n"
    "                             samples inside, above, below LOW..HIGH (5m, 2.2k)\n"
    "                             and its excursions\n"
    "  download [--simulate[=NAME]] --slr OUT [--csv OUT] [--image OUT]\n"
    "                             download the logger memory: sessions (.slr), their\n"
    "                             text export and the raw memory image\n"
    "  info [--simulate[=NAME]]   cable firmware version and serial number of every\n"
    "                             cable; --simulate=demo,demo simulates two cables\n"
    "\n"
    "Options:\n"
    "  --help                     show this text\n"
    "  --version                  show the version\n"
    "  --format standard|tidy     for recorder-csv, session-csv, memory-csv and log:\n"
    "                             standard is the text export the windows write;\n"
    "                             tidy is one header line, one row per sample with\n"
    "                             the columns index, time, value, unit, mode,\n"
    "                             display, overload and sub_value, sub_unit,\n"
    "                             sub_mode, sub_display, sub_overload. time is the\n"
    "                             ISO 8601 date and time with milliseconds and UTC\n"
    "                             offset (log); time_of_day for recorder files,\n"
    "                             which keep no date; session and time (seconds\n"
    "                             from the session start) for sessions. value is in\n"
    "                             SI base units, empty for an overload. recorder-csv\n"
    "                             adds marker: the note of a marked sample, empty\n"
    "                             otherwise. Comma separated, \".\" decimals, RFC\n"
    "                             4180 quoting, UTF-8.\n"
    "\n"
    "Input files must be regular files (no FIFOs or devices); an output file that\n"
    "exists must be a regular file, which is replaced only once the new one is\n"
    "complete. The download's progress is a bar when stderr is a terminal, and\n"
    "otherwise one line per ten percent.\n"
    "\n"
    "A file that holds no samples or sessions is reported on stderr: exit status 0\n"
    "for a complete empty file, 1 for a damaged one. A recorder file holding a\n"
    "record that no recorder writes is refused (exit status 1) with its first\n"
    "damaged sample. When standard output cannot be\n"
    "written (a full disk, say) the command stops with the reason and exit status\n"
    "1; when its reader has gone away, it stops quietly with exit status 1.\n";

// A command gets the arguments after its name and returns the exit status:
// 0 success, 1 bad input or a failed operation, 2 wrong usage.
struct Command {
    std::string_view name;
    int (*run)(int argc, char** argv);
};

constexpr Command kCommands[] = {
    {"decode", telmora::cli::CmdDecode},
    {"session-csv", telmora::cli::CmdSessionCsv},
    {"memory-csv", telmora::cli::CmdMemoryCsv},
    {"download", telmora::cli::CmdDownload},
    {"log", telmora::cli::CmdLog},
    {"info", telmora::cli::CmdInfo},
    {"recorder-csv", telmora::cli::CmdRecorderCsv},
    {"stats", telmora::cli::CmdStats},
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        return telmora::cli::PrintHelp(kUsage);
    }
    if (command == "--version") {
        return telmora::cli::PrintHelp("telmora-cli " TELMORA_VERSION "\n");
    }
    for (const Command& c : kCommands) {
        if (c.name == command) {
            return c.run(argc - 2, argv + 2);
        }
    }
    std::fprintf(stderr, "telmora-cli: unknown command '%s' (try --help)\n", argv[1]);
    return 2;
}
