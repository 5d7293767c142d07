#include "ui/main/LongLivedWindows.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "meter/MeterLink.h"
#include "recording/RecorderController.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/common/AboutDialog.h"
#include "ui/common/LineColorDialog.h"
#include "ui/export/ExportDialog.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/main/DesktopAlerts.h"
#include "ui/main/MeterWindowSets.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalsPanel.h"
#include "ui/recorder/MarkersPanel.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"
#include "ui/recorder/RecordingRecovery.h"

#include <QPrinter>

namespace telmora {

LongLivedWindows::LongLivedWindows(Application& app, UserDialogs& dialogs, QWidget& mainWindow,
                                   DesktopAlerts& alerts)
    : m_app(app), m_printer(GraphPrinter::make()) {
    // The main window and the recorder outlive their dialogs in m_windows; the
    // comparator and the import window own theirs.
    m_about = adopt(new AboutDialog(&app.cable(), &mainWindow));
    m_digital = adopt(new DigitalMeterWindow);
    m_analog = adopt(new AnalogMeterWindow);
    auto* limits = new ComparatorLimitsDialog(dialogs);
    m_comparator = adopt(
        new ComparatorWindow(dialogs, app.settings().highLimit, app.settings().lowLimit, limits));
    // Named once several meters are known.
    alerts.watchComparator(
        *m_comparator, [&app] { return app.meterCount() > 1 ? app.meter(0).name() : QString(); });
    limits->setParent(m_comparator, limits->windowFlags());
    // The comparator's limits are the application's, written at exit.
    QObject::connect(m_comparator, &ComparatorWindow::limitsChanged, &app,
                     [&app](double high, double low) { app.setComparatorLimits(high, low); });

    alerts.watchRecording(app.recording());
    m_recorder = adopt(new RecorderWindow(dialogs, app.recording(), m_printer.get()));
    m_recovery = std::make_unique<RecordingRecovery>(dialogs, app.recording(), *m_recorder);
    m_overview = adopt(new RecordingOverview(dialogs, m_printer.get(), m_recorder));
    QObject::connect(&app.recording(), &RecorderController::statisticsChanged, m_overview,
                     &RecordingOverview::refreshStatistics);

    auto* exportDialog = new ExportDialog(dialogs, ExportDialog::PrinterPages::Any);
    m_lineColors = new LineColorDialog(dialogs);
    m_dataList = adopt(new DataListWindow(dialogs, &app.recording()));
    m_markers = adopt(new MarkersPanel(dialogs, app.recording()));
    m_intervals = adopt(new IntervalsPanel(dialogs, app.recording()));
    m_logger = adopt(new LoggerWindow(dialogs, app.loggerSessions(), exportDialog, m_lineColors,
                                      m_printer.get()));
    exportDialog->setParent(m_logger, exportDialog->windowFlags());
    m_lineColors->setParent(m_logger, m_lineColors->windowFlags());

    // The digital meter shows each reading first, then the analog meter and the
    // comparator: the order of these connections.
    MeterLink& link = app.link();
    QObject::connect(&link, &MeterLink::readingReceived, m_digital,
                     &DigitalMeterWindow::showReading);
    QObject::connect(&link, &MeterLink::readingReceived, m_analog, &AnalogMeterWindow::showReading);
    QObject::connect(&link, &MeterLink::readingReceived, m_comparator,
                     &ComparatorWindow::showReading);
    m_meterWindows = std::make_unique<MeterWindowSets>(app, dialogs, alerts, firstMeterWindows());
}

LongLivedWindows::~LongLivedWindows() {
    m_meterWindows.reset();
    while (!m_windows.empty())
        m_windows.pop_back();
}

DesktopWindows LongLivedWindows::desktopWindows() const {
    return {m_digital,  m_analog, m_comparator, m_recorder,
            m_dataList, m_logger, m_lineColors, &m_app.recording()};
}

void LongLivedWindows::setLiveWindowsLinked(bool linked) {
    m_digital->setLinked(linked);
    m_analog->setLinked(linked);
    m_comparator->setLinked(linked);
}

} // namespace telmora
