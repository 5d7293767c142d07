#pragma once

#include "ui/main/LiveWindowSet.h"
#include "ui/main/desktopstate.h"

#include <memory>
#include <vector>

class QPrinter;
class QWidget;

namespace telmora {

class AnalogMeterWindow;
class Application;
class ComparatorWindow;
class DataListWindow;
class DesktopAlerts;
class DigitalMeterWindow;
class LineColorDialog;
class LoggerWindow;
class IntervalsPanel;
class MarkersPanel;
class MeterWindowSets;
class RecorderWindow;
class RecordingOverview;
class RecordingRecovery;
class UserDialogs;

// The long-lived windows beside the main window, made once in their fixed order
// and bound to the application's controllers: About box, digital meter, analog
// meter, limit dialog, comparator, recorder, graph viewer, export dialog, line
// colour dialog, data list, import window. A dialog belongs to the window it
// serves (it is kept above it and centred on it). They all print through one
// printer, so a printer set-up chosen in one holds in all.
class LongLivedWindows {
public:
    // `mainWindow` owns the About box; `alerts` watches the comparator and the
    // recording.
    LongLivedWindows(Application& app, UserDialogs& dialogs, QWidget& mainWindow,
                     DesktopAlerts& alerts);
    // The windows go newest first; the printer after them.
    ~LongLivedWindows();
    LongLivedWindows(const LongLivedWindows&) = delete;
    LongLivedWindows& operator=(const LongLivedWindows&) = delete;

    QWidget* about() const { return m_about; }
    DigitalMeterWindow* digital() const { return m_digital; }
    AnalogMeterWindow* analog() const { return m_analog; }
    ComparatorWindow* comparator() const { return m_comparator; }
    RecorderWindow* recorder() const { return m_recorder; }
    RecordingOverview* overview() const { return m_overview; }
    DataListWindow* dataList() const { return m_dataList; }
    MarkersPanel* markers() const { return m_markers; }
    IntervalsPanel* intervals() const { return m_intervals; }
    LoggerWindow* logger() const { return m_logger; }
    RecordingRecovery& recovery() const { return *m_recovery; }
    // The first meter's live windows, and those of the meters linked after it.
    LiveWindowSet firstMeterWindows() const { return {m_digital, m_analog, m_comparator}; }
    MeterWindowSets& meterWindows() const { return *m_meterWindows; }
    QPrinter& printer() const { return *m_printer; }
    // The windows and controllers whose state is kept between runs.
    DesktopWindows desktopWindows() const;

    // The live windows show a link (readings may come) or none.
    void setLiveWindowsLinked(bool linked);

private:
    template <class T> T* adopt(T* window) {
        m_windows.emplace_back(window);
        return window;
    }

    Application& m_app;
    // Declared before the windows that print through it, so it outlives them.
    std::unique_ptr<QPrinter> m_printer;
    std::vector<std::unique_ptr<QWidget>> m_windows;
    std::unique_ptr<RecordingRecovery> m_recovery;
    std::unique_ptr<MeterWindowSets> m_meterWindows;
    QWidget* m_about = nullptr;
    DigitalMeterWindow* m_digital = nullptr;
    AnalogMeterWindow* m_analog = nullptr;
    ComparatorWindow* m_comparator = nullptr;
    RecorderWindow* m_recorder = nullptr;
    RecordingOverview* m_overview = nullptr;
    DataListWindow* m_dataList = nullptr;
    MarkersPanel* m_markers = nullptr;
    IntervalsPanel* m_intervals = nullptr;
    LineColorDialog* m_lineColors = nullptr;
    LoggerWindow* m_logger = nullptr;
};

} // namespace telmora
