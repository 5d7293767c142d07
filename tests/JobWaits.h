#pragma once
// Waits of the tests for the recorder's jobs: on their signals, never by joining.

#include "recording/RecorderController.h"

#include <QSignalSpy>
#include <QString>

namespace telmora {

// Saves the recording as its job and waits for the end; true when it was saved.
inline bool SaveAndWait(RecorderController& recorder, const QString& path) {
    QSignalSpy finished(&recorder, &RecorderController::saveFinished);
    if (!recorder.startSave(path) || !finished.wait(60000))
        return false;
    return finished.last().at(0).toBool();
}

// Waits until the statistics of an opened recording have been counted (at once
// when none are being counted); false when they never came.
inline bool WaitForStatistics(RecorderController& recorder) {
    if (!recorder.statisticsPending())
        return true;
    QSignalSpy counted(&recorder, &RecorderController::statisticsChanged);
    return counted.wait(60000);
}

} // namespace telmora

namespace telmora {

// Runs a window's Save command (file dialog, then the save as a job) and waits
// for its end; true when the data are saved.
template <class Window> bool RunSaveCommand(Window& window) {
    QSignalSpy finished(&window, &Window::saveCommandFinished);
    window.saveCommand();
    if (finished.isEmpty() && !finished.wait(60000))
        return false;
    return finished.last().at(0).toBool();
}

} // namespace telmora
