#pragma once
// telmora-cli download: reads the meter's logger memory over the cable (or from a
// simulated meter), with a progress bar on stderr, and saves the sessions.

namespace telmora::cli {

// download [--simulate[=NAME]] --slr OUT [--csv OUT] [--image OUT]: the sessions to
// OUT.slr, their text export to the --csv file and the raw memory image (the input
// of memory-csv) to the --image file.
int CmdDownload(int argc, char** argv);

} // namespace telmora::cli
