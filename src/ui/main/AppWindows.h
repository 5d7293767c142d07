#pragma once

namespace telmora {

// The windows that live for the whole run, created once at start-up in a fixed
// order. Windows reach each other through this registry; a pointer stays null
// until its window has been created.
class MainWindow;
class AboutDialog;
class CountdownNotice;
class DigitalMeterWindow;
class AnalogMeterWindow;
class ComparatorLimitsDialog;
class ComparatorWindow;
class RecorderWindow;
class IntervalDialog;
class RecordingOverview;
class ProgressWindow;
class ExportDialog;
class LineColorDialog;
class DataListWindow;
class LoggerWindow;

struct AppWindows {
    MainWindow* FormMain = nullptr;
    AboutDialog* DlgAboutForm = nullptr;
    CountdownNotice* AutoMsgForm = nullptr;
    DigitalMeterWindow* DigitalMeterForm = nullptr;
    AnalogMeterWindow* AnalogMeterForm = nullptr;
    ComparatorLimitsDialog* DlgHiLowForm = nullptr;
    ComparatorWindow* ComparatorForm = nullptr;
    RecorderWindow* GraphicalForm = nullptr;
    IntervalDialog* DialogOption = nullptr;
    RecordingOverview* FormViewGraphic = nullptr;
    ExportDialog* DlgFitExportForm = nullptr;
    ProgressWindow* MsgForm = nullptr;
    ExportDialog* DlgExportForm = nullptr;
    LineColorDialog* dlgGraphLineColor = nullptr;
    DataListWindow* DataStringGridForm = nullptr;
    LoggerWindow* FormImport = nullptr;
};

// The registry (user-interface thread only).
AppWindows& Windows();

} // namespace telmora
