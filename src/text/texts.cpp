#include "text/texts.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <iterator>

namespace telmora {

namespace {

// Names, file-name parts and separators are Fixed: they read the same in every
// language, so they are neither offered to translators nor looked up.
enum class Kind { Translated, Fixed };

struct Entry {
    TextId id;
    const char* text;
    Kind kind = Kind::Translated;
};

// The context under which the table's texts are translated; QT_TRANSLATE_NOOP
// below names it too, so that lupdate finds every translated entry.
constexpr const char* kTableContext = "Texts";

// Every text of the program, sorted by number. The texts are shown exactly as
// written here (double blanks and trailing blanks included) unless a
// translation is installed.
// clang-format off
constexpr Entry kStrings[] = {
    {TextId::ProgramName,              "Telmora", Kind::Fixed},
    {TextId::CopyrightNotice,          QT_TRANSLATE_NOOP("Texts", "Copyright (C) 2026 the Telmora developers")},
    {TextId::TempFilePrefix,           "~ODMDL", Kind::Fixed},
    {TextId::SettingsFileName,         "\\ORLANDL.ini", Kind::Fixed},
    {TextId::MeterSeriesName,          "Norvane DM-Series", Kind::Fixed},
    {TextId::DigitalMeterCaption,      QT_TRANSLATE_NOOP("Texts", "Digital Meter")},
    {TextId::AnalogMeterCaption,       QT_TRANSLATE_NOOP("Texts", "Analog Meter")},
    {TextId::ComparatorCaption,        QT_TRANSLATE_NOOP("Texts", "Comparator")},
    {TextId::DataListCaption,          QT_TRANSLATE_NOOP("Texts", "Data list")},
    {TextId::RecorderCaption,          QT_TRANSLATE_NOOP("Texts", "Graphical Recorder")},
    {TextId::ViewerCaption,            QT_TRANSLATE_NOOP("Texts", "Graphical viewer")},
    {TextId::IntervalDialogCaption,    QT_TRANSLATE_NOOP("Texts", "Acquisition Interval option")},
    {TextId::ExportDialogCaption,      QT_TRANSLATE_NOOP("Texts", "Exporting Data Logger")},
    {TextId::ImportWindowCaption,      QT_TRANSLATE_NOOP("Texts", "Data Logger")},
    {TextId::IntervalModeGroup,        QT_TRANSLATE_NOOP("Texts", "Acquisition Mode")},
    {TextId::IntervalManual,           QT_TRANSLATE_NOOP("Texts", "Manual")},
    {TextId::IntervalAutomatic,        QT_TRANSLATE_NOOP("Texts", "Automatic")},
    {TextId::IntervalFullSpeed,        QT_TRANSLATE_NOOP("Texts", "Full Speed")},
    {TextId::IntervalCustom,           QT_TRANSLATE_NOOP("Texts", "Customization...")},
    {TextId::IntervalSeconds,          QT_TRANSLATE_NOOP("Texts", "Interval in second(s)")},
    {TextId::IntervalSecondsPrompt,    QT_TRANSLATE_NOOP("Texts", "Input an integer value ? ")},
    {TextId::ExportLabel,              QT_TRANSLATE_NOOP("Texts", "Export")},
    {TextId::ExportMetaFile,           QT_TRANSLATE_NOOP("Texts", "MetaFile")},
    {TextId::ExportBitMap,             QT_TRANSLATE_NOOP("Texts", "BitMap")},
    {TextId::ExportTextOnly,           QT_TRANSLATE_NOOP("Texts", "Text/Data Only")},
    {TextId::ExportDestinationLabel,   QT_TRANSLATE_NOOP("Texts", "Destination")},
    {TextId::ExportClipboard,          QT_TRANSLATE_NOOP("Texts", "ClipBoard")},
    {TextId::ExportFile,               QT_TRANSLATE_NOOP("Texts", "File")},
    {TextId::ExportBrowse,             QT_TRANSLATE_NOOP("Texts", "Browse")},
    {TextId::ExportPrinter,            QT_TRANSLATE_NOOP("Texts", "Printer")},
    {TextId::ExportPageScopeGroup,     QT_TRANSLATE_NOOP("Texts", "Page Scope")},
    {TextId::ExportAllPages,           QT_TRANSLATE_NOOP("Texts", "All Pages")},
    {TextId::ExportThisPage,           QT_TRANSLATE_NOOP("Texts", "This Page")},
    {TextId::ExportPageRange,          QT_TRANSLATE_NOOP("Texts", "Page")},
    {TextId::ExportFromLabel,          QT_TRANSLATE_NOOP("Texts", "From")},
    {TextId::ExportToLabel,            QT_TRANSLATE_NOOP("Texts", "To")},
    {TextId::ExportObjectSizeGroup,    QT_TRANSLATE_NOOP("Texts", "Object Size")},
    {TextId::ExportNoSpecificSize,     QT_TRANSLATE_NOOP("Texts", "No Specific Size")},
    {TextId::ExportPixels,             QT_TRANSLATE_NOOP("Texts", "Pixels")},
    {TextId::ExportMillimeters,        QT_TRANSLATE_NOOP("Texts", "Millimeters")},
    {TextId::ExportInches,             QT_TRANSLATE_NOOP("Texts", "Inches")},
    {TextId::ExportPoints,             QT_TRANSLATE_NOOP("Texts", "Points")},
    {TextId::ExportWidthLabel,         QT_TRANSLATE_NOOP("Texts", "Width")},
    {TextId::ExportSizeSeparator,      "/", Kind::Fixed},
    {TextId::ExportUnitsLabel,         QT_TRANSLATE_NOOP("Texts", "Units")},
    {TextId::ExportCancel,             QT_TRANSLATE_NOOP("Texts", "Cancel")},
    {TextId::MenuSeparator,            "-", Kind::Fixed},
    {TextId::MenuFile,                 QT_TRANSLATE_NOOP("Texts", "&File")},
    {TextId::MenuFileOpen,             QT_TRANSLATE_NOOP("Texts", "&Open...")},
    {TextId::MenuFileSaveAs,           QT_TRANSLATE_NOOP("Texts", "Save &As...")},
    {TextId::MenuFilePrinterSetup,     QT_TRANSLATE_NOOP("Texts", "Printer Set&up...")},
    {TextId::MenuFileImport,           QT_TRANSLATE_NOOP("Texts", "&Import data from DMM")},
    {TextId::MenuFileClear,            QT_TRANSLATE_NOOP("Texts", "&Clear")},
    {TextId::MenuFileExit,             QT_TRANSLATE_NOOP("Texts", "E&xit")},
    {TextId::MenuFileClose,            QT_TRANSLATE_NOOP("Texts", "C&lose")},
    {TextId::MenuLink,                 QT_TRANSLATE_NOOP("Texts", "&Link")},
    {TextId::MenuUnlink,               QT_TRANSLATE_NOOP("Texts", "Un&link")},
    {TextId::MenuEdit,                 QT_TRANSLATE_NOOP("Texts", "&Edit")},
    {TextId::MenuEditClearAll,         QT_TRANSLATE_NOOP("Texts", "Clear all data")},
    {TextId::MenuWindow,               QT_TRANSLATE_NOOP("Texts", "&Window")},
    {TextId::MenuWindowTile,           QT_TRANSLATE_NOOP("Texts", "&Tile")},
    {TextId::MenuWindowDigitalMeter,   QT_TRANSLATE_NOOP("Texts", "&Digital Meter")},
    {TextId::MenuWindowAnalogMeter,    QT_TRANSLATE_NOOP("Texts", "&Analog Meter")},
    {TextId::MenuWindowComparator,     QT_TRANSLATE_NOOP("Texts", "&Comparator")},
    {TextId::MenuWindowRecorder,       QT_TRANSLATE_NOOP("Texts", "&Graphical Recorder")},
    {TextId::MenuWindowDataList,       QT_TRANSLATE_NOOP("Texts", "Data &List")},
    {TextId::MenuPort,                 QT_TRANSLATE_NOOP("Texts", "&Port")},
    {TextId::MenuPortCom,              QT_TRANSLATE_NOOP("Texts", "C&OM port")},
    {TextId::MenuPortUsb,              QT_TRANSLATE_NOOP("Texts", "&USB port")},
    {TextId::MenuAcquisition,          QT_TRANSLATE_NOOP("Texts", "&Acquisition")},
    {TextId::MenuAcquisitionStart,     QT_TRANSLATE_NOOP("Texts", "Star&t")},
    {TextId::MenuAcquisitionStop,      QT_TRANSLATE_NOOP("Texts", "Sto&p")},
    {TextId::MenuAcquisitionManual,    QT_TRANSLATE_NOOP("Texts", "&Manual")},
    {TextId::MenuAcquisitionInterval,  QT_TRANSLATE_NOOP("Texts", "&Interval...")},
    {TextId::MenuViewFirstPage,        QT_TRANSLATE_NOOP("Texts", "F&irst page")},
    {TextId::MenuViewPageUp,           QT_TRANSLATE_NOOP("Texts", "Page &Up")},
    {TextId::MenuViewPageDown,         QT_TRANSLATE_NOOP("Texts", "Page &Down")},
    {TextId::MenuViewLastPage,         QT_TRANSLATE_NOOP("Texts", "&Last page")},
    {TextId::MenuFilePrintPage,        QT_TRANSLATE_NOOP("Texts", "&Print this page ...")},
    {TextId::MenuFileExport,           QT_TRANSLATE_NOOP("Texts", "E&xport ...")},
    {TextId::MenuView,                 QT_TRANSLATE_NOOP("Texts", "&View")},
    {TextId::MenuViewLineColor,        QT_TRANSLATE_NOOP("Texts", "Graph Line &Color")},
    {TextId::MenuViewFitAll,           QT_TRANSLATE_NOOP("Texts", "&Fit all data")},
    {TextId::MenuViewUndoZoom,         QT_TRANSLATE_NOOP("Texts", "Undo &Zooming")},
    {TextId::MenuHelp,                 QT_TRANSLATE_NOOP("Texts", "&Help")},
    {TextId::MenuHelpAbout,            QT_TRANSLATE_NOOP("Texts", "&About...")},
    {TextId::HintLink,                 QT_TRANSLATE_NOOP("Texts", "Link to DMM")},
    {TextId::HintUnlink,               QT_TRANSLATE_NOOP("Texts", "Unlink DMM")},
    {TextId::HintTileWindows,          QT_TRANSLATE_NOOP("Texts", "Windows tile")},
    {TextId::HintDigitalMeter,         QT_TRANSLATE_NOOP("Texts", "Digital meter")},
    {TextId::HintAnalogMeter,          QT_TRANSLATE_NOOP("Texts", "Analog meter")},
    {TextId::HintComparator,           QT_TRANSLATE_NOOP("Texts", "Comparator")},
    {TextId::HintRecorder,             QT_TRANSLATE_NOOP("Texts", "Graphical Recorder")},
    {TextId::HintDataList,             QT_TRANSLATE_NOOP("Texts", "Data List")},
    {TextId::HintPortSelection,        QT_TRANSLATE_NOOP("Texts", "Port selection...")},
    {TextId::HintAbout,                QT_TRANSLATE_NOOP("Texts", "About")},
    {TextId::HintAcquisitionStart,     QT_TRANSLATE_NOOP("Texts", "Acquisition start")},
    {TextId::HintAcquisitionStop,      QT_TRANSLATE_NOOP("Texts", "Acquisition stop")},
    {TextId::HintOpenFile,             QT_TRANSLATE_NOOP("Texts", "Open file...")},
    {TextId::HintSaveFile,             QT_TRANSLATE_NOOP("Texts", "Save file...")},
    {TextId::HintPrintPage,            QT_TRANSLATE_NOOP("Texts", "Print this page")},
    {TextId::HintClearRecord,          QT_TRANSLATE_NOOP("Texts", "Clear record")},
    {TextId::HintIntervalOption,       QT_TRANSLATE_NOOP("Texts", "Interval option...")},
    {TextId::HintManualAcquisition,    QT_TRANSLATE_NOOP("Texts", "Manual acquisition")},
    {TextId::HintFirstPage,            QT_TRANSLATE_NOOP("Texts", "First page")},
    {TextId::HintPageUp,               QT_TRANSLATE_NOOP("Texts", "Page up")},
    {TextId::HintPageDown,             QT_TRANSLATE_NOOP("Texts", "Page down")},
    {TextId::HintLastPage,             QT_TRANSLATE_NOOP("Texts", "Last page")},
    {TextId::HintFitAll,               QT_TRANSLATE_NOOP("Texts", "Fit all data")},
    {TextId::HintUndoZoom,             QT_TRANSLATE_NOOP("Texts", "Undo Zooming")},
    {TextId::HintExport,               QT_TRANSLATE_NOOP("Texts", "Export...")},
    {TextId::HintImport,               QT_TRANSLATE_NOOP("Texts", "Import data from DMM")},
    {TextId::BufferWillBeDestroyed,    QT_TRANSLATE_NOOP("Texts", "All existing data in buffer will be destroyed.")},
    {TextId::Translating,              QT_TRANSLATE_NOOP("Texts", "Translating...")},
    {TextId::StatusDataLogging,        QT_TRANSLATE_NOOP("Texts", "Data Logging ...")},
    {TextId::StatusBufferCountFormat,  QT_TRANSLATE_NOOP("Texts", "Data in buffer : %d")},
    {TextId::StatusPageFormat,         QT_TRANSLATE_NOOP("Texts", "Page : %d of %d")},
    {TextId::CloseButton,              QT_TRANSLATE_NOOP("Texts", "Close")},
    {TextId::AskSaveBeforeExit,        QT_TRANSLATE_NOOP("Texts", "Do you want to save the data to a file before exit ?")},
    {TextId::RetryInThreeSeconds,      QT_TRANSLATE_NOOP("Texts", "Will re-try automatically in 3 seconds.")},
    {TextId::ContinueInThreeSeconds,   QT_TRANSLATE_NOOP("Texts", "(Will continue automatically in 3 seconds.)")},
    {TextId::MarkerAlarmAbove,         QT_TRANSLATE_NOOP("Texts", "Alarm: %1 went above the upper limit")},
    {TextId::MarkerAlarmBelow,         QT_TRANSLATE_NOOP("Texts", "Alarm: %1 went below the lower limit")},
    {TextId::MarkerCableLost,          QT_TRANSLATE_NOOP("Texts", "The cable of %1 was lost")},
    {TextId::MarkerCableBack,          QT_TRANSLATE_NOOP("Texts", "The cable of %1 is back")},
    {TextId::ReadingDataFormat,        QT_TRANSLATE_NOOP("Texts", "Reading Data : %d of %d")},
    {TextId::MeterBatteryLow,          QT_TRANSLATE_NOOP("Texts", "The battery power of the DMM is low.")},
    {TextId::AskClearBuffer,           QT_TRANSLATE_NOOP("Texts", "Do you really want to clear the data in buffer ?")},
    {TextId::BufferHasData,            QT_TRANSLATE_NOOP("Texts", "Buffer has data.")},
    {TextId::NoDataReceived,           QT_TRANSLATE_NOOP("Texts", "No data received.")},
    {TextId::ReadingSelectedFile,      QT_TRANSLATE_NOOP("Texts", "Reading data from selected file. Please wait ...")},
    {TextId::AddingDataToBuffer,       QT_TRANSLATE_NOOP("Texts", "Adding data into buffer. Please wait...")},
    {TextId::AtFirstPage,              QT_TRANSLATE_NOOP("Texts", "First page.")},
    {TextId::AtLastPage,               QT_TRANSLATE_NOOP("Texts", "Last page.")},
    {TextId::AskProceed,               QT_TRANSLATE_NOOP("Texts", "Do you really want to proceed?")},
    {TextId::AcquiringFromMeter,       QT_TRANSLATE_NOOP("Texts", "Acquiring  data from DMM ... please wait ...")},
    {TextId::ProcessingData,           QT_TRANSLATE_NOOP("Texts", "Processing data ... please wait ...")},
    {TextId::OnlyCompleteSessionsRead, QT_TRANSLATE_NOOP("Texts", "Only the complete sessions of the meter memory could be read.")},
    {TextId::RecorderStillRecording,   QT_TRANSLATE_NOOP("Texts", "The recorder is still recording.\nKeep recording with the window closed?\n\nYes: the recording goes on in the background.\nNo: the recording stops.\nCancel: the window stays open.")},
    {TextId::RecordingKeptForLater,    QT_TRANSLATE_NOOP("Texts", "A recording left behind when Telmora ended unexpectedly is kept on the disk, but it cannot be taken up now. It will be offered at a later start, once there is room on the disk.")},
    {TextId::MetersRecordGaps,         QT_TRANSLATE_NOOP("Texts", "Not every meter of this recording is linked. These meters record gaps until they are linked and the recording is started again:")},
    {TextId::AnotherRecordingLeft,     QT_TRANSLATE_NOOP("Texts", "Telmora also left the recording of %1 with %2 samples. The recording chosen for Open is opened after this one. Save this recording under a new name, or discard it?")},
    {TextId::ExportedPerMeter,         QT_TRANSLATE_NOOP("Texts", "A text file holds the readings of one meter, so each meter of the recording was exported to a file of its own:")},
    {TextId::WarningCaptionFormat,     QT_TRANSLATE_NOOP("Texts", "Warning[W%d]")},
    {TextId::FileDamaged,              QT_TRANSLATE_NOOP("Texts", "The file is damaged or is not a file of this program.")},
    {TextId::LinkBeforeLogging,        QT_TRANSLATE_NOOP("Texts", "You must link to the DMM by clicking the link button before starting data logging.")},
    {TextId::TempFileCreateFailed,     QT_TRANSLATE_NOOP("Texts", "Unable to create file for real time temporary storage in hard disk.")},
    {TextId::FileOpenError,            QT_TRANSLATE_NOOP("Texts", "File open error.")},
    {TextId::FileSaveError,            QT_TRANSLATE_NOOP("Texts", "File save error.")},
    {TextId::OutOfMemory,              QT_TRANSLATE_NOOP("Texts", "Insufficient system memory !")},
    {TextId::InvalidFloatValue,        QT_TRANSLATE_NOOP("Texts", "Not a valid floating point value !")},
    {TextId::LimitsUnacceptable,       QT_TRANSLATE_NOOP("Texts", "Limit setting is unacceptable.")},
    {TextId::BrowseForFileName,        QT_TRANSLATE_NOOP("Texts", "Please \"Browse\" and specify a file name !")},
    {TextId::CableNotFound,            QT_TRANSLATE_NOOP("Texts", "USB adapter cable not found.")},
    {TextId::TransmissionTimeout,      QT_TRANSLATE_NOOP("Texts", "Data transmission timeout.")},
    {TextId::MeterOffOrNoLogger,       QT_TRANSLATE_NOOP("Texts", "Your meter is power off, disconnected or without built-in DATA LOGGING function.")},
    {TextId::SettingsWriteFailed,      QT_TRANSLATE_NOOP("Texts", "Unable to write the settings file.")},
    {TextId::MeterNotAnswering,        QT_TRANSLATE_NOOP("Texts", "The meter does not answer. The USB adapter cable is connected: check that the meter is switched on and that the cable is plugged into the meter.")},
    {TextId::PrinterNotSetUp,          QT_TRANSLATE_NOOP("Texts", "No printer is set up. Please set up a printer, or choose to print into a PDF file.")},
    {TextId::PrintFailed,              QT_TRANSLATE_NOOP("Texts", "The graph could not be printed.")},
    {TextId::RecordingFileCutShort,    QT_TRANSLATE_NOOP("Texts", "The file holding this recording has become shorter. The samples it no longer holds cannot be shown, saved or exported; they are left out of the statistics.")},
    {TextId::FolderNotUsed,            QT_TRANSLATE_NOOP("Texts", "A folder for Telmora's files is not used, because other users could change the files in it.")},
    {TextId::TempFileWriteFailed,      QT_TRANSLATE_NOOP("Texts", "The newest sample could not be written to the temporary storage in hard disk and is held only in memory. The recording has stopped.")},
    {TextId::IntervalNotWholeSeconds,  QT_TRANSLATE_NOOP("Texts", "The interval must be a whole number of seconds from 0 to %d.")},
    {TextId::SaveSetNothingReplaced,   QT_TRANSLATE_NOOP("Texts", "Nothing was replaced: the files that were there before are as they were.")},
    {TextId::MathUnknownMeter,         QT_TRANSLATE_NOOP("Texts", "M%d is not a meter of this recording (it has %d).")},
    {TextId::MathFaultAt,              QT_TRANSLATE_NOOP("Texts", "The expression cannot be read at character %d (counted from 1).")},
    {TextId::MathUnfinished,           QT_TRANSLATE_NOOP("Texts", "The expression is not finished: a value or a closing parenthesis is missing at its end.")},
    {TextId::TriggerConditionForm,     QT_TRANSLATE_NOOP("Texts", "A condition names a meter, > or < and a level, for example M1 > 5 V or M2 < 2.2k.")},
    {TextId::TriggerLevelNotNumber,    QT_TRANSLATE_NOOP("Texts", "The level is not a number. Write it with a point as decimal separator and, if you like, a prefix (p, n, u, m, k, M, G, T), for example 2.2k.")},
    {TextId::TriggerUnknownUnit,       QT_TRANSLATE_NOOP("Texts", "The unit is none the meter shows. Use V, A, ohm, Hz, F, S, degC, degF, dBm, %, W, VA or VAR, or leave it out.")},
    {TextId::TriggerClockTimeForm,     QT_TRANSLATE_NOOP("Texts", "The time of day must be written as HH:MM or HH:MM:SS, from 00:00 to 23:59:59.")},
    {TextId::TriggerStopAfterForm,     QT_TRANSLATE_NOOP("Texts", "The stop must be a duration with its unit (90s, 10m, 1.5h) or a number of samples of at least 1.")},
    {TextId::MarkersUnreadable,        QT_TRANSLATE_NOOP("Texts", "The markers kept with this recording could not be read; the recording was opened without them.")},
    {TextId::MarkersNotKept,           QT_TRANSLATE_NOOP("Texts", "The markers could not be kept beside the recording's temporary files. Until the recording is saved they are held only in memory.")},
    {TextId::ErrorCaptionFormat,       QT_TRANSLATE_NOOP("Texts", "Error[E%d]")},
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

const Entry* find(TextId id) {
    const auto* it =
        std::lower_bound(std::begin(kStrings), std::end(kStrings), textNumber(id),
                         [](const Entry& e, int number) { return textNumber(e.id) < number; });
    return it != std::end(kStrings) && it->id == id ? it : nullptr;
}

} // namespace

QString translate(const char* context, const char* source) {
    // Without an installed translation (the command-line tool installs none)
    // this gives the source text back.
    return QCoreApplication::translate(context, source);
}

QString translate(const char* source) {
    return translate(kTableContext, source);
}

QString text(TextId id) {
    const Entry* entry = find(id);
    // Every TextId has an entry; an id made from a stray number gives "".
    if (entry == nullptr)
        return {};
    if (entry->kind == Kind::Fixed)
        return QString::fromUtf8(entry->text);
    return translate(kTableContext, entry->text);
}

QString sourceText(TextId id) {
    const Entry* entry = find(id);
    return entry == nullptr ? QString() : QString::fromUtf8(entry->text);
}

bool isTranslated(TextId id) {
    const Entry* entry = find(id);
    return entry != nullptr && entry->kind == Kind::Translated;
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
