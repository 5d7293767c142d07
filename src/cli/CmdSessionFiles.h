#pragma once
// telmora-cli session-csv and memory-csv: the text export of a session file, and
// the conversion of a logger memory image read from a file.

namespace telmora::cli {

// session-csv FILE: the text export of every session of FILE to stdout.
int CmdSessionCsv(int argc, char** argv);

// memory-csv IMAGE [--slr OUT]: converts every session of the image and writes the
// text export to stdout (and the session file to OUT). Exit status 1 when the
// session chain leaves the image or announces more sessions than can be held; the
// complete sessions are still written.
int CmdMemoryCsv(int argc, char** argv);

} // namespace telmora::cli
