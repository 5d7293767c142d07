// RecorderWindow and the markers of its recording: the commands that make them
// and moving the cursor to a marked sample.
#include "ui/recorder/RecorderWindow.h"

#include "recording/recorderpages.h"
#include "ui/chart/ChartWidget.h"
#include "ui/recorder/MarkerCommands.h"
#include "ui/recorder/RecorderCommandBar.h"
#include "ui/recorder/RecorderGraph.h"

namespace telmora {

void RecorderWindow::buildMarkerCommands() {
    MarkerCommandHooks hooks;
    // While recording a marker marks the newest sample; otherwise the one under
    // the cursor.
    hooks.currentSample = [this] {
        return m_controller.isRecording() ? std::int64_t{-1} : m_graph->cursorIndex();
    };
    hooks.cursorSample = [this] { return m_graph->cursorIndex(); };
    hooks.goToSample = [this](std::int64_t index) { goToSample(index); };
    m_markers = new MarkerCommands(*this, *m_commands->toolPanel(), m_dialogs, m_controller,
                                   std::move(hooks));
    connect(m_markers, &MarkerCommands::panelRequested, this,
            &RecorderWindow::markersPanelRequested);
}

void RecorderWindow::goToSample(std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(m_controller.recording().size()))
        return;
    const std::int32_t page = PageOfIndex(index, m_pointsPerPage);
    if (page != m_controller.currentPage())
        m_controller.showPage(page);
    const int point = m_graph->pointOfIndex(index);
    if (point < 0)
        return;
    m_chart->setCursorPoint(point);
    showCursorReading();
}

} // namespace telmora
