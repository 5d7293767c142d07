#include "text/texts.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace telmora {

namespace {

struct Entry {
    TextId id;
    const char* text;
};

// Every text of the program, sorted by number. The texts are shown exactly as
// written here (double blanks and trailing blanks included).
// clang-format off
constexpr Entry kStrings[] = {
    {TextId::ProgramName,              "Telmora"},
    {TextId::CopyrightNotice,          "Copyright (C) 2026 the Telmora developers"},
    {TextId::TempFilePrefix,           "~ODMDL"},
    {TextId::SettingsFileName,         "\\ORLANDL.ini"},
    {TextId::MeterSeriesName,          "Norvane DM-Series"},
    {TextId::DigitalMeterCaption,      "Digital Meter"},
    {TextId::AnalogMeterCaption,       "Analog Meter"},
    {TextId::ComparatorCaption,        "Comparator"},
    {TextId::DataListCaption,          "Data list"},
    {TextId::RecorderCaption,          "Graphical Recorder"},
    {TextId::ViewerCaption,            "Graphical viewer"},
    {TextId::IntervalDialogCaption,    "Acquisition Interval option"},
    {TextId::ExportDialogCaption,      "Exporting Data Logger"},
    {TextId::ImportWindowCaption,      "Data Logger"},
    {TextId::IntervalModeGroup,        "Acquisition Mode"},
    {TextId::IntervalManual,           "Manual"},
    {TextId::IntervalAutomatic,        "Automatic"},
    {TextId::IntervalFullSpeed,        "Full Speed"},
    {TextId::IntervalCustom,           "Customization..."},
    {TextId::IntervalSeconds,          "Interval in second(s)"},
    {TextId::IntervalSecondsPrompt,    "Input an integer value ? "},
    {TextId::ExportLabel,              "Export"},
    {TextId::ExportMetaFile,           "MetaFile"},
    {TextId::ExportBitMap,             "BitMap"},
    {TextId::ExportTextOnly,           "Text/Data Only"},
    {TextId::ExportDestinationLabel,   "Destination"},
    {TextId::ExportClipboard,          "ClipBoard"},
    {TextId::ExportFile,               "File"},
    {TextId::ExportBrowse,             "Browse"},
    {TextId::ExportPrinter,            "Printer"},
    {TextId::ExportPageScopeGroup,     "Page Scope"},
    {TextId::ExportAllPages,           "All Pages"},
    {TextId::ExportThisPage,           "This Page"},
    {TextId::ExportPageRange,          "Page"},
    {TextId::ExportFromLabel,          "From"},
    {TextId::ExportToLabel,            "To"},
    {TextId::ExportObjectSizeGroup,    "Object Size"},
    {TextId::ExportNoSpecificSize,     "No Specific Size"},
    {TextId::ExportPixels,             "Pixels"},
    {TextId::ExportMillimeters,        "Millimeters"},
    {TextId::ExportInches,             "Inches"},
    {TextId::ExportPoints,             "Points"},
    {TextId::ExportWidthLabel,         "Width"},
    {TextId::ExportSizeSeparator,      "/"},
    {TextId::ExportUnitsLabel,         "Units"},
    {TextId::ExportCancel,             "Cancel"},
    {TextId::MenuSeparator,            "-"},
    {TextId::MenuFile,                 "&File"},
    {TextId::MenuFileOpen,             "&Open..."},
    {TextId::MenuFileSaveAs,           "Save &As..."},
    {TextId::MenuFilePrinterSetup,     "Printer Set&up..."},
    {TextId::MenuFileImport,           "&Import data from DMM"},
    {TextId::MenuFileClear,            "&Clear"},
    {TextId::MenuFileExit,             "E&xit"},
    {TextId::MenuLink,                 "&Link"},
    {TextId::MenuUnlink,               "Un&link"},
    {TextId::MenuEdit,                 "&Edit"},
    {TextId::MenuEditClearAll,         "Clear all data"},
    {TextId::MenuWindow,               "&Window"},
    {TextId::MenuWindowTile,           "&Tile"},
    {TextId::MenuWindowDigitalMeter,   "&Digital Meter"},
    {TextId::MenuWindowAnalogMeter,    "&Analog Meter"},
    {TextId::MenuWindowComparator,     "&Comparator"},
    {TextId::MenuWindowRecorder,       "&Graphical Recorder"},
    {TextId::MenuWindowDataList,       "Data &List"},
    {TextId::MenuPort,                 "&Port"},
    {TextId::MenuPortCom,              "C&OM port"},
    {TextId::MenuPortUsb,              "&USB port"},
    {TextId::MenuAcquisition,          "&Acquisition"},
    {TextId::MenuAcquisitionStart,     "Star&t"},
    {TextId::MenuAcquisitionStop,      "Sto&p"},
    {TextId::MenuAcquisitionManual,    "&Manual"},
    {TextId::MenuAcquisitionInterval,  "&Interval..."},
    {TextId::MenuViewFirstPage,        "F&irst page"},
    {TextId::MenuViewPageUp,           "Page &Up"},
    {TextId::MenuViewPageDown,         "Page &Down"},
    {TextId::MenuViewLastPage,         "&Last page"},
    {TextId::MenuFilePrintPage,        "&Print this page ..."},
    {TextId::MenuFileExport,           "E&xport ..."},
    {TextId::MenuView,                 "&View"},
    {TextId::MenuViewLineColor,        "Graph Line &Color"},
    {TextId::MenuViewFitAll,           "&Fit all data"},
    {TextId::MenuViewUndoZoom,         "&Undo Zooming"},
    {TextId::MenuHelp,                 "&Help"},
    {TextId::MenuHelpAbout,            "&About..."},
    {TextId::HintLink,                 "Link to DMM"},
    {TextId::HintUnlink,               "Unlink DMM"},
    {TextId::HintTileWindows,          "Windows tile"},
    {TextId::HintDigitalMeter,         "Digital meter"},
    {TextId::HintAnalogMeter,          "Analog meter"},
    {TextId::HintComparator,           "Comparator"},
    {TextId::HintRecorder,             "Graphical Recorder"},
    {TextId::HintDataList,             "Data List"},
    {TextId::HintPortSelection,        "Port selection..."},
    {TextId::HintAbout,                "About"},
    {TextId::HintAcquisitionStart,     "Acquisition start"},
    {TextId::HintAcquisitionStop,      "Acquisition stop"},
    {TextId::HintOpenFile,             "Open file..."},
    {TextId::HintSaveFile,             "Save file..."},
    {TextId::HintPrintPage,            "Print this page"},
    {TextId::HintClearRecord,          "Clear record"},
    {TextId::HintIntervalOption,       "Interval option..."},
    {TextId::HintManualAcquisition,    "Manual acquisition"},
    {TextId::HintFirstPage,            "First page"},
    {TextId::HintPageUp,               "Page up"},
    {TextId::HintPageDown,             "Page down"},
    {TextId::HintLastPage,             "Last page"},
    {TextId::HintFitAll,               "Fit all data"},
    {TextId::HintUndoZoom,             "Undo Zooming"},
    {TextId::HintExport,               "Export..."},
    {TextId::HintImport,               "Import data from DMM"},
    {TextId::BufferWillBeDestroyed,    "All existing data in buffer will be destroyed."},
    {TextId::Translating,              "Translating..."},
    {TextId::StatusDataLogging,        "Data Logging ..."},
    {TextId::StatusBufferCountFormat,  "Data in buffer : %d"},
    {TextId::StatusPageFormat,         "Page : %d of %d"},
    {TextId::CloseButton,              "Close"},
    {TextId::AskSaveBeforeExit,        "Do you want to save the data to a file before exit ?"},
    {TextId::RetryInThreeSeconds,      "Will re-try automatically in 3 seconds."},
    {TextId::ContinueInThreeSeconds,   "(Will continue automatically in 3 seconds.)"},
    {TextId::ReadingDataFormat,        "Reading Data : %d of %d"},
    {TextId::MeterBatteryLow,          "The battery power of the DMM is low."},
    {TextId::AskClearBuffer,           "Do you really want to clear the data in buffer ?"},
    {TextId::BufferHasData,            "Buffer has data."},
    {TextId::NoDataReceived,           "No data received."},
    {TextId::ReadingSelectedFile,      "Reading data from selected file. Please wait ..."},
    {TextId::AddingDataToBuffer,       "Adding data into buffer. Please wait..."},
    {TextId::AtFirstPage,              "First page."},
    {TextId::AtLastPage,               "Last page."},
    {TextId::AskProceed,               "Do you really want to proceed?"},
    {TextId::AcquiringFromMeter,       "Acquiring  data from DMM ... please wait ..."},
    {TextId::ProcessingData,           "Processing data ... please wait ..."},
    {TextId::OnlyCompleteSessionsRead, "Only the complete sessions of the meter memory could be read."},
    {TextId::RecorderStillRecording,   "The recorder is still recording.\nKeep recording with the window closed?\n\nYes: the recording goes on in the background.\nNo: the recording stops.\nCancel: the window stays open."},
    {TextId::RecordingKeptForLater,    "A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk."},
    {TextId::WarningCaptionFormat,     "Warning[W%d]"},
    {TextId::FileDamaged,              "The file is damaged or is not a file of this program."},
    {TextId::LinkBeforeLogging,        "You must link to the DMM by clicking the link button before starting data logging."},
    {TextId::TempFileCreateFailed,     "Unable to create file for real time temporary storage in hard disk."},
    {TextId::FileOpenError,            "File open error."},
    {TextId::FileSaveError,            "File save error."},
    {TextId::OutOfMemory,              "Insufficient system memory !"},
    {TextId::InvalidFloatValue,        "Not a valid floating point value !"},
    {TextId::LimitsUnacceptable,       "Limit setting is unacceptable."},
    {TextId::BrowseForFileName,        "Please \"Browse\" and specify a file name !"},
    {TextId::CableNotFound,            "USB adapter cable not found."},
    {TextId::TransmissionTimeout,      "Data transmission timeout."},
    {TextId::MeterOffOrNoLogger,       "Your meter is power off, disconnected or without built-in DATA LOGGING function."},
    {TextId::SettingsWriteFailed,      "Unable to write the settings file."},
    {TextId::MeterNotAnswering,        "The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter."},
    {TextId::PrinterNotSetUp,          "No printer is set up. Please set up a printer, or choose to print into a PDF file."},
    {TextId::PrintFailed,              "The graph could not be printed."},
    {TextId::RecordingFileCutShort,    "The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics."},
    {TextId::FolderNotUsed,            "A folder for Telmora's files is not used, because other users could change the files in it."},
    {TextId::TempFileWriteFailed,      "The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped."},
    {TextId::IntervalNotWholeSeconds,  "The interval must be a whole number of seconds from 0 to %d."},
    {TextId::ErrorCaptionFormat,       "Error[E%d]"},
};
// clang-format on

constexpr bool sortedAndUnique() {
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (textNumber(kStrings[i - 1].id) >= textNumber(kStrings[i].id))
            return false;
    return true;
}
static_assert(sortedAndUnique(), "text table entries must be sorted by number, each once");

constexpr auto kIds = [] {
    std::array<TextId, std::size(kStrings)> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = kStrings[i].id;
    return ids;
}();

const char* find(TextId id) {
    const auto* it =
        std::lower_bound(std::begin(kStrings), std::end(kStrings), textNumber(id),
                         [](const Entry& e, int number) { return textNumber(e.id) < number; });
    // Every TextId has an entry; an id made from a stray number gives "".
    return it != std::end(kStrings) && it->id == id ? it->text : "";
}

} // namespace

QString translate(const char* source) {
    return QString::fromUtf8(source);
}

QString text(TextId id) {
    return translate(find(id));
}

std::span<const TextId> allTextIds() {
    return kIds;
}

QString caption(CaptionKind kind, TextId id) {
    return fillNumbers(text(kind == CaptionKind::Error ? TextId::ErrorCaptionFormat
                                                       : TextId::WarningCaptionFormat),
                       {textNumber(id)});
}

QString errorCaption(TextId id) {
    return caption(CaptionKind::Error, id);
}

QString warningCaption(TextId id) {
    return caption(CaptionKind::Warning, id);
}

QString noticeLine(TextId id) {
    return QStringLiteral("[W%1] ").arg(textNumber(id)) + text(id);
}

QString fillNumbers(const QString& format, std::initializer_list<long long> numbers) {
    const QString marker = QStringLiteral("%d");
    QString filled = format;
    qsizetype from = 0;
    for (const long long number : numbers) {
        const qsizetype at = filled.indexOf(marker, from);
        if (at < 0)
            break;
        // QString::number never uses group separators or local digits.
        const QString digits = QString::number(number);
        filled.replace(at, marker.size(), digits);
        // The search goes on after the inserted digits, never inside them.
        from = at + digits.size();
    }
    return filled;
}

} // namespace telmora
