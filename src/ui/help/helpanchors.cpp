#include "ui/help/helpanchors.h"

#include "ui/common/AboutDialog.h"
#include "ui/common/LineColorDialog.h"
#include "ui/export/ExportDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalDialog.h"
#include "ui/recorder/MarkersPanel.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"
#include "ui/recorder/TriggerDialog.h"

#include <QRegularExpression>
#include <QWidget>

namespace telmora {

namespace {

template <class Window> bool is(const QWidget* w) {
    return qobject_cast<const Window*>(w) != nullptr;
}

// The section of a window that has one of its own, else an empty text.
QString ownSection(const QWidget* w) {
    struct Section {
        bool (*matches)(const QWidget*);
        const char* anchor;
    };
    static constexpr Section kSections[] = {
        {&is<MainWindow>, "main-window"},
        {&is<DigitalMeterWindow>, "digital-meter"},
        {&is<AnalogMeterWindow>, "analog-meter"},
        {&is<ComparatorWindow>, "comparator"},
        {&is<ComparatorLimitsDialog>, "comparator-limits"},
        {&is<RecorderWindow>, "recorder"},
        {&is<IntervalDialog>, "recorder-interval"},
        {&is<TriggerDialog>, "recorder-trigger"},
        {&is<RecordingOverview>, "overview"},
        {&is<DataListWindow>, "data-list"},
        {&is<MarkersPanel>, "markers"},
        {&is<LoggerWindow>, "logger"},
        {&is<ExportDialog>, "export"},
        {&is<LineColorDialog>, "line-colours"},
        {&is<AboutDialog>, "about"},
        {&is<HelpWindow>, kManualContents},
    };
    for (const Section& s : kSections)
        if (s.matches(w))
            return QString::fromLatin1(s.anchor);
    return {};
}

// The number of a message caption: "Error[E9015]" and "Warning[W8003]" give
// 9015 and 8003, anything else 0.
int captionNumber(const QString& caption) {
    static const QRegularExpression pattern(QStringLiteral("\\[[EW](\\d+)\\]\\s*$"));
    const QRegularExpressionMatch m = pattern.match(caption);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

QString MessageHelpAnchor(int number) {
    return QStringLiteral("msg-%1").arg(number);
}

QString HelpAnchorFor(const QWidget* window) {
    // A panel of the main window has its own section; a file, colour, print or
    // input dialog belongs to the window that opened it.
    for (const QWidget* w = window; w != nullptr; w = w->parentWidget()) {
        if (const int number = captionNumber(w->windowTitle()))
            return MessageHelpAnchor(number);
        const QString own = ownSection(w);
        if (!own.isEmpty())
            return own;
    }
    return QString::fromLatin1(kManualContents);
}

} // namespace telmora
