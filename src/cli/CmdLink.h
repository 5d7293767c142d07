#pragma once
// telmora-cli log and info: live readings and the cable's identity over the cable
// (or from a simulated meter).

namespace telmora::cli {

// log [--simulate[=NAME]] [--meter all|SERIAL] [--count N] [--interval SECONDS]
// One line per reading in the recorder's text export format (header first),
// flushed per line, until N readings, Ctrl-C or a lost link. With --meter, one or
// every cable's meter is logged (N readings each), the serial number first on
// each line (a meter column in the tidy format).
int CmdLog(int argc, char** argv);

// info [--simulate[=NAME]]
// The cable firmware version and serial number as the About box shows them, for
// every cable listed.
int CmdInfo(int argc, char** argv);

} // namespace telmora::cli
