#pragma once

#include <QString>

#include <cstdint>

namespace telmora {

// Process-wide values owned by the main window and read by the other windows.
struct AppState {
    // Current directory at start-up; the settings file and temporary files live there.
    QString applicationDirectory;
    std::int32_t iPort = 1;
    double fHiLimit = 100.0;
    double fLowLimit = 300.0;
    // Set while the recorder loads a file or the import runs a long operation; it
    // disables linking, file commands and the import. The progress window's Abort
    // clears it, and the running operation notices that at its next check.
    std::uint8_t busy = 0;
};

// The one instance (user-interface thread only).
AppState& App();

} // namespace telmora
