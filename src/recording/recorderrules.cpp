#include "recording/recorderrules.h"

namespace telmora {

RecorderControlState ComputeRecorderControls(const RecorderControlInput& in) {
    RecorderControlState s;
    const bool idle = !in.recording && !in.busy;
    const bool automatic = !in.manualMode;
    s.start = s.stop = automatic && !in.busy;
    s.manual = in.manualMode && idle;
    s.option = s.openFile = idle;
    s.import = idle && in.importAvailable;
    s.saveFile = s.print = s.clear = idle && !in.empty;
    s.exportData = idle && !in.empty && in.exportAvailable;
    // Paging: back is possible unless the first page is shown, forward unless the
    // last one is; nothing to page or fit while a single page exists.
    if (idle && in.lastPage > 1) {
        s.firstPage = s.pageUp = in.currentPage > 1;
        s.pageDown = s.lastPage = in.currentPage < in.lastPage;
        s.fitView = in.viewerAvailable;
    }
    s.menuStart = idle && automatic;
    s.menuStop = in.recording && automatic && !in.busy;
    s.menuManual = idle && in.manualMode;
    s.menuPrinterSetup = idle;
    return s;
}

} // namespace telmora
