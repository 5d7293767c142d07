#pragma once
// telmora-cli download: reads the meter's logger memory over the cable (or from a
// simulated meter), with a progress bar on stderr, and saves the sessions.

namespace telmora::cli {

// download [--simulate[=NAME]] --slr OUT [--csv OUT]
int CmdDownload(int argc, char** argv);

} // namespace telmora::cli
