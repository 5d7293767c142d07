#pragma once

// The windows that live for the whole run, created once at start-up in a fixed
// order. Windows reach each other through this registry; a pointer stays null
// until its window has been created.
class TFormMain;
class TDlgAboutForm;
class TAutoMsgForm;
class TDigitalMeterForm;
class TAnalogMeterForm;
class TDlgHiLowForm;
class TComparatorForm;
class TGraphicalForm;
class TDialogOption;
class TFormViewGraphic;
class TDlgFitExportForm;
class TMsgForm;
class TDlgExportForm;
class TdlgGraphLineColor;
class TDataStringGridForm;
class TFormImport;

namespace telmora {

struct AppWindows {
    TFormMain* FormMain = nullptr;
    TDlgAboutForm* DlgAboutForm = nullptr;
    TAutoMsgForm* AutoMsgForm = nullptr;
    TDigitalMeterForm* DigitalMeterForm = nullptr;
    TAnalogMeterForm* AnalogMeterForm = nullptr;
    TDlgHiLowForm* DlgHiLowForm = nullptr;
    TComparatorForm* ComparatorForm = nullptr;
    TGraphicalForm* GraphicalForm = nullptr;
    TDialogOption* DialogOption = nullptr;
    TFormViewGraphic* FormViewGraphic = nullptr;
    TDlgFitExportForm* DlgFitExportForm = nullptr;
    TMsgForm* MsgForm = nullptr;
    TDlgExportForm* DlgExportForm = nullptr;
    TdlgGraphLineColor* dlgGraphLineColor = nullptr;
    TDataStringGridForm* DataStringGridForm = nullptr;
    TFormImport* FormImport = nullptr;
};

// The registry (user-interface thread only).
AppWindows& Windows();

} // namespace telmora
