#pragma once
// telmora-cli log and info: live readings and the cable's identity over the cable
// (or from a simulated meter).

namespace telmora::cli {

// log [--simulate[=NAME]] [--meter all|SERIAL] [--count N] [--interval SECONDS]
//     [--mqtt URL [--topic PREFIX] [--qos 0|1] [--cafile FILE]]
// One line per reading in the recorder's text export format (header first),
// flushed per line, until N readings, Ctrl-C or a lost link. With --meter, one or
// every cable's meter is logged (N readings each), the serial number first on
// each line (a meter column in the tidy format). With --mqtt URL every logged
// reading is also published to that MQTT broker (see LogPublisher.h).
int CmdLog(int argc, char** argv);

// info [--simulate[=NAME]]
// The cable firmware version and serial number as the About box shows them, for
// every cable listed.
int CmdInfo(int argc, char** argv);

} // namespace telmora::cli
