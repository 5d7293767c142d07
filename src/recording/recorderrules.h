#pragma once

#include <cstdint>

namespace telmora {

// What the recorder window's controls may do, from its state.
struct RecorderControlInput {
    bool recording = false;  // R: the sampling timer runs
    bool busy = false;       // B: a file is loaded or the import runs
    bool empty = true;       // E: no sample in the buffer
    bool manualMode = false; // M: one sample per click
    std::int32_t lastPage = 1;
    std::int32_t currentPage = 1;
    // Windows that later parts of the program provide; their buttons stay off
    // while the window does not exist.
    bool importAvailable = false;
    bool exportAvailable = false;
    bool viewerAvailable = false;
};

struct RecorderControlState {
    bool start = false, stop = false; // buttons (both down-state buttons of one group)
    bool manual = false;
    bool option = false, openFile = false, import = false;
    bool saveFile = false, print = false, clear = false, exportData = false;
    bool firstPage = false, pageUp = false, pageDown = false, lastPage = false, fitView = false;
    // Menu items that differ from their buttons.
    bool menuStart = false, menuStop = false, menuManual = false;
    bool menuPrinterSetup = false;
};

RecorderControlState ComputeRecorderControls(const RecorderControlInput& in);

} // namespace telmora
