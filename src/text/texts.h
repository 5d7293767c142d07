#pragma once

#include <QString>

#include <initializer_list>
#include <span>

namespace telmora {

// The program's texts, named; the value of each name is the text's number, which
// captions show ("Error[E9015]"). Captions and file-name parts 1-108, dialog
// texts 200-331, menus 500-999, hints 1000-1055, notices 6001-8999, errors
// 9001-9999.
enum class TextId : int {
    ProgramName = 1,
    CopyrightNotice = 4,
    TempFilePrefix = 6,
    SettingsFileName = 7,
    MeterSeriesName = 60,
    DigitalMeterCaption = 100,
    AnalogMeterCaption = 101,
    ComparatorCaption = 102,
    DataListCaption = 103,
    RecorderCaption = 104,
    ViewerCaption = 105,
    IntervalDialogCaption = 106,
    ExportDialogCaption = 107,
    ImportWindowCaption = 108,
    IntervalModeGroup = 200,
    IntervalManual = 201,
    IntervalAutomatic = 202,
    IntervalFullSpeed = 203,
    IntervalCustom = 204,
    IntervalSeconds = 205,
    IntervalSecondsPrompt = 206,
    ExportLabel = 307,
    ExportMetaFile = 308,
    ExportBitMap = 309,
    ExportTextOnly = 310,
    ExportDestinationLabel = 311,
    ExportClipboard = 312,
    ExportFile = 313,
    ExportBrowse = 314,
    ExportPrinter = 315,
    ExportPageScopeGroup = 316,
    ExportAllPages = 317,
    ExportThisPage = 318,
    ExportPageRange = 319,
    ExportFromLabel = 320,
    ExportToLabel = 321,
    ExportObjectSizeGroup = 322,
    ExportNoSpecificSize = 323,
    ExportPixels = 324,
    ExportMillimeters = 325,
    ExportInches = 326,
    ExportPoints = 327,
    ExportWidthLabel = 328,
    ExportSizeSeparator = 329,
    ExportUnitsLabel = 330,
    ExportCancel = 331,
    MenuSeparator = 500,
    MenuFile = 501,
    MenuFileOpen = 502,
    MenuFileSaveAs = 503,
    MenuFilePrinterSetup = 506,
    MenuFileImport = 507,
    MenuFileClear = 508,
    MenuFileExit = 509,
    MenuFileClose = 510,
    MenuLink = 600,
    MenuUnlink = 601,
    MenuEdit = 610,
    MenuEditClearAll = 611,
    MenuWindow = 631,
    MenuWindowTile = 632,
    MenuWindowDigitalMeter = 633,
    MenuWindowAnalogMeter = 634,
    MenuWindowComparator = 635,
    MenuWindowRecorder = 636,
    MenuWindowDataList = 637,
    MenuPort = 701,
    MenuPortCom = 703,
    MenuPortUsb = 704,
    MenuAcquisition = 761,
    MenuAcquisitionStart = 762,
    MenuAcquisitionStop = 763,
    MenuAcquisitionManual = 764,
    MenuAcquisitionInterval = 765,
    MenuViewFirstPage = 802,
    MenuViewPageUp = 803,
    MenuViewPageDown = 804,
    MenuViewLastPage = 805,
    MenuFilePrintPage = 806,
    MenuFileExport = 807,
    MenuView = 831,
    MenuViewLineColor = 832,
    MenuViewFitAll = 833,
    MenuViewUndoZoom = 834,
    MenuHelp = 996,
    MenuHelpAbout = 999,
    HintLink = 1000,
    HintUnlink = 1001,
    HintTileWindows = 1010,
    HintDigitalMeter = 1011,
    HintAnalogMeter = 1012,
    HintComparator = 1013,
    HintRecorder = 1014,
    HintDataList = 1015,
    HintPortSelection = 1020,
    HintAbout = 1031,
    HintAcquisitionStart = 1040,
    HintAcquisitionStop = 1041,
    HintOpenFile = 1042,
    HintSaveFile = 1043,
    HintPrintPage = 1044,
    HintClearRecord = 1045,
    HintIntervalOption = 1046,
    HintManualAcquisition = 1047,
    HintFirstPage = 1048,
    HintPageUp = 1049,
    HintPageDown = 1050,
    HintLastPage = 1051,
    HintFitAll = 1052,
    HintUndoZoom = 1053,
    HintExport = 1054,
    HintImport = 1055,
    BufferWillBeDestroyed = 6001,
    Translating = 6004,
    StatusDataLogging = 7001,
    StatusBufferCountFormat = 7002,
    StatusPageFormat = 7003,
    CloseButton = 7004,
    AskSaveBeforeExit = 7005,
    RetryInThreeSeconds = 7006,
    ContinueInThreeSeconds = 7009,
    MarkerAlarmAbove = 7040,
    MarkerAlarmBelow = 7041,
    MarkerCableLost = 7042,
    MarkerCableBack = 7043,
    ReadingDataFormat = 7999,
    MeterBatteryLow = 8000,
    AskClearBuffer = 8002,
    BufferHasData = 8003,
    NoDataReceived = 8004,
    ReadingSelectedFile = 8005,
    AddingDataToBuffer = 8006,
    AtFirstPage = 8008,
    AtLastPage = 8009,
    AskProceed = 8010,
    AcquiringFromMeter = 8012,
    ProcessingData = 8013,
    OnlyCompleteSessionsRead = 8015,
    RecorderStillRecording = 8016,
    RecordingKeptForLater = 8017,
    MetersRecordGaps = 8024,
    AnotherRecordingLeft = 8025,
    ExportedPerMeter = 8031,
    WarningCaptionFormat = 8999,
    FileDamaged = 9001,
    LinkBeforeLogging = 9002,
    TempFileCreateFailed = 9003,
    FileOpenError = 9004,
    FileSaveError = 9005,
    OutOfMemory = 9006,
    InvalidFloatValue = 9007,
    LimitsUnacceptable = 9008,
    BrowseForFileName = 9013,
    CableNotFound = 9015,
    TransmissionTimeout = 9016,
    MeterOffOrNoLogger = 9017,
    SettingsWriteFailed = 9018,
    MeterNotAnswering = 9019,
    PrinterNotSetUp = 9021,
    PrintFailed = 9022,
    RecordingFileCutShort = 9023,
    FolderNotUsed = 9024,
    TempFileWriteFailed = 9025,
    IntervalNotWholeSeconds = 9030,
    SaveSetNothingReplaced = 9040,
    MathUnknownMeter = 9041,
    MathFaultAt = 9042,
    MathUnfinished = 9043,
    TriggerConditionForm = 9044,
    TriggerLevelNotNumber = 9045,
    TriggerUnknownUnit = 9046,
    TriggerClockTimeForm = 9047,
    TriggerStopAfterForm = 9048,
    MarkersUnreadable = 9050,
    MarkersNotKept = 9051,
    ErrorCaptionFormat = 9999,
};

// The text shown for `id`: its translation into the user's language when one is
// installed, otherwise exactly as written in the table (double and trailing
// blanks included). Names and file-name parts are never translated.
QString text(TextId id);

// The English text of `id` as written in the table, never translated.
QString sourceText(TextId id);

// False for the entries that read the same in every language (names, file-name
// parts, separators): these are not offered to translators.
bool isTranslated(TextId id);

// The number of `id`, as captions and notice lines show it.
constexpr int textNumber(TextId id) {
    return static_cast<int>(id);
}

// Every text of the table, in the order of their numbers.
std::span<const TextId> allTextIds();

// The point every text passes on its way to the user: the translation of
// `source` under `context` from the installed translations, or `source` itself.
// lupdate extracts calls written as translate("Context", "text") with literal
// arguments (adjacent literals are joined), so every call site in the program
// names its context this way.
QString translate(const char* context, const char* source);

// `source` looked up under the table's context. lupdate does not see calls of
// this form; it stays for texts that are already in the table's context.
QString translate(const char* source);

// The two caption conventions of the message boxes.
enum class CaptionKind { Error, Warning };

// "Error[E<n>]" or "Warning[W<n>]" with the number of `id`.
QString caption(CaptionKind kind, TextId id);
QString errorCaption(TextId id);
QString warningCaption(TextId id);

// A notice line of the progress windows: "[W<n>] " and the text of `id`.
QString noticeLine(TextId id);

// `format` with each "%d" replaced in turn by the next of `numbers`, written in
// plain decimal digits whatever the locale. Markers left over when the numbers
// run out stay as they are; numbers left over are ignored.
QString fillNumbers(const QString& format, std::initializer_list<long long> numbers);

} // namespace telmora
