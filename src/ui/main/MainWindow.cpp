#include "ui/main/MainWindow.h"

#include "logger/LoggerSessions.h"
#include "logger/SessionFile.h"
#include "meter/MeterLink.h"
#include "model/IniSettings.h"
#include "model/fileaccess.h"
#include "app/mainwindowrules.h"
#include "recording/RecorderController.h"
#include "text/texts.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/common/AboutDialog.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/LineColorDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/common/UiResources.h"
#include "ui/common/standardshortcuts.h"
#include "ui/common/windowframes.h"
#include "ui/export/ExportDialog.h"
#include "ui/help/HelpKey.h"
#include "ui/help/HelpWindow.h"
#include "ui/help/helpanchors.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/main/DesktopAlerts.h"
#include "ui/main/desktopstate.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"
#include "ui/recorder/RecordingRecovery.h"
#include "ui/recorder/recorderfiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace telmora {

namespace {

void showCableNotFound(QWidget* owner) {
    showError(owner, TextId::CableNotFound);
}

// What to check when a link finds no cable it can open. On Linux a cable that the
// system lists but refuses to open is nearly always a matter of access rights.
QString cableAdvice(bool listed) {
#ifdef Q_OS_LINUX
    if (listed) {
        const QString user = qEnvironmentVariable("USER", QStringLiteral("$USER"));
        return translate("MainWindow",
                         "The cable is plugged in, but this user may not open it. Check that the "
                         "udev rule 70-telmora-cable.rules is installed and that you are in the "
                         "plugdev group:")
            .append(QStringLiteral("\n    sudo adduser %1 plugdev\n").arg(user))
            .append(translate("MainWindow", "then log in again and plug the cable in anew."));
    }
    return translate("MainWindow",
                     "Check that the cable is plugged in to the computer and to the meter.");
#else
    return listed ? translate("MainWindow", "The cable is plugged in, but it cannot be opened.")
                  : translate("MainWindow",
                              "Check that the cable is plugged in to the computer and to the "
                              "meter.");
#endif
}

// "USB adapter cable not found." with what to check, when a link cannot start.
void showNoCableToLink(QWidget* owner, bool listed) {
    showDirectBox(owner, text(TextId::CableNotFound) + QStringLiteral("\n\n") + cableAdvice(listed),
                  CaptionKind::Error, TextId::CableNotFound, BoxIcon::Error, {BoxButton::Ok});
}

// The preferences key of the Link menu's "Reconnect automatically".
const QString kReconnectKey = QStringLiteral("Link/ReconnectAutomatically");

} // namespace

MainWindow::MainWindow(MeterLink& link, QWidget* parent)
    : MainWindow(link, LocateUserFiles(QDir::currentPath()), parent) {}

MainWindow::MainWindow(MeterLink& link, UserFiles files, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_link(link), m_files(std::move(files)),
      m_desktopState(std::make_unique<IniSettings>(m_files.desktopStateFile)) {
    InitUiResources();
    setObjectName(QStringLiteral("FormMain"));

    setWindowTitle(text(TextId::MeterSeriesName) + QLatin1Char(' ') + text(TextId::ProgramName));
    // Before the link's notices are connected to message boxes, so that a
    // desktop notification goes out before a box waits for the user.
    m_alerts = new DesktopAlerts(m_link, *m_desktopState, this);
    // F1 in any window opens the manual at that window's section.
    new HelpKey([this](const QString& anchor) { showHelp(anchor); }, this);
    buildControls();
    m_layout = std::make_unique<DesktopLayout>(*this, *m_tools.bevel);
    buildMenu();
    readSettings();
    setReconnectAutomatically(m_desktopState->value(kReconnectKey, false).toBool());
    for (QLabel* panel : m_tools.statusPanels)
        panel->hide();

    connect(&m_link, &MeterLink::linkedChanged, this, &MainWindow::onLinkedChanged);
    connect(&m_link, &MeterLink::noDataNotice, this, &MainWindow::answerNoDataNotice);
    connect(&m_link, &MeterLink::linkLostNotice, this, &MainWindow::showLinkLostNotice);
    connect(&m_link, &MeterLink::meterSilentNotice, this,
            [this] { showError(this, TextId::MeterNotAnswering); });
    connect(&m_link, &MeterLink::waitingForCableChanged, this,
            &MainWindow::onWaitingForCableChanged);
    refreshControls();
    placeMainWindow();
}

MainWindow::~MainWindow() {
    // The worker ends before the windows it feeds; then the windows go, newest first.
    disconnect(&m_link, nullptr, this, nullptr);
    m_link.unlink();
    while (!m_windows.empty())
        m_windows.pop_back();
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    m_tools = BuildToolRow(central);
    setCentralWidget(central);
    connectToolButtons();
}

void MainWindow::connectToolButtons() {
    m_tools.link->setCheckable(true);
    m_tools.port->setEnabled(false);
    // The button shows the link state; a click asks for the other state.
    connect(m_tools.link, &QToolButton::clicked, this, [this] {
        m_tools.link->setChecked(isLinked());
        toggleLink();
    });
    connect(m_tools.digital, &QToolButton::clicked, this, &MainWindow::showDigitalMeter);
    connect(m_tools.analog, &QToolButton::clicked, this, &MainWindow::showAnalogMeter);
    connect(m_tools.dataList, &QToolButton::clicked, this, &MainWindow::showDataList);
    connect(m_tools.recorder, &QToolButton::clicked, this, &MainWindow::showRecorder);
    connect(m_tools.comparator, &QToolButton::clicked, this, &MainWindow::showComparator);
    connect(m_tools.tile, &QToolButton::clicked, this, &MainWindow::tileWindows);
    connect(m_tools.about, &QToolButton::clicked, this, &MainWindow::showAbout);
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    QMenu* fileMenu = bar->addMenu(text(TextId::MenuFile));
    QAction* exit = fileMenu->addAction(text(TextId::MenuFileExit), this, [this] { close(); });
    // The desktop's usual quit keys, from whichever window has the focus.
    exit->setShortcutContext(Qt::ApplicationShortcut);

    // The Link menu: the link command, and whether a lost link is waited for.
    m_linkMenu = bar->addMenu(text(TextId::MenuLink));
    m_linkAction = m_linkMenu->addAction(text(TextId::MenuLink));
    connect(m_linkAction, &QAction::triggered, this, &MainWindow::toggleLink);
    m_linkMenu->addSeparator();
    m_reconnectAction = m_linkMenu->addAction(translate("MainWindow", "&Reconnect automatically"));
    m_reconnectAction->setCheckable(true);
    m_reconnectAction->setChecked(m_link.reconnectsAutomatically());
    connect(m_reconnectAction, &QAction::toggled, this, &MainWindow::setReconnectAutomatically);

    QMenu* windowMenu = bar->addMenu(text(TextId::MenuWindow));
    windowMenu->addAction(text(TextId::MenuWindowTile), this, &MainWindow::tileWindows);
    windowMenu->addSeparator();
    windowMenu->addAction(text(TextId::MenuWindowDigitalMeter), this,
                          &MainWindow::showDigitalMeter);
    windowMenu->addAction(text(TextId::MenuWindowAnalogMeter), this, &MainWindow::showAnalogMeter);
    windowMenu->addAction(text(TextId::MenuWindowComparator), this, &MainWindow::showComparator);
    windowMenu->addAction(text(TextId::MenuWindowRecorder), this, &MainWindow::showRecorder);
    windowMenu->addAction(text(TextId::MenuWindowDataList), this, &MainWindow::showDataList);
    windowMenu->addSeparator();
    m_notificationsAction =
        windowMenu->addAction(translate("MainWindow", "Desktop &notifications"));
    m_notificationsAction->setCheckable(true);
    m_notificationsAction->setChecked(m_alerts->isEnabled());
    connect(m_notificationsAction, &QAction::toggled, m_alerts, &DesktopAlerts::setEnabled);

    m_portMenu = bar->addMenu(text(TextId::MenuPort));
    m_usbPortAction = m_portMenu->addAction(text(TextId::MenuPortUsb));
    m_usbPortAction->setCheckable(true);
    m_usbPortAction->setChecked(true);
    // The check mark only shows which port is in use; choosing it changes nothing.
    connect(m_usbPortAction, &QAction::triggered, m_usbPortAction,
            [a = m_usbPortAction] { a->setChecked(true); });
    m_portMenu->addAction(text(TextId::MenuPortCom))->setEnabled(false);

    m_helpMenu = bar->addMenu(text(TextId::MenuHelp));
    m_helpAction = m_helpMenu->addAction(translate("MainWindow", "Telmora &Help"), this,
                                         [this] { showHelp(HelpAnchorFor(this)); });
    // The menu shows the key; the key itself is HelpKey's in every window.
    m_helpAction->setShortcut(QKeySequence(Qt::Key_F1));
    m_helpAction->setShortcutContext(Qt::WidgetShortcut);
    m_helpMenu->addSeparator();
    m_helpMenu->addAction(text(TextId::MenuHelpAbout), this, &MainWindow::showAbout);
    AddStandardShortcut(*this, *exit, QKeySequence::Quit);
}

void MainWindow::readSettings() {
    m_settings = ReadUserSettings(m_files);
}

void MainWindow::createWindows() {
    // The long-lived windows, in their fixed order: About box, digital meter,
    // analog meter, limit dialog, comparator, recorder, graph viewer, export
    // dialog, line colour dialog, data list, import window. A dialog belongs to the
    // window it serves (it is kept above it and centred on it): the main window and
    // the recorder outlive their dialogs in m_windows; the comparator and the
    // import window own theirs.
    m_about = adopt(new AboutDialog(m_link.backend(), this));
    m_digital = adopt(new DigitalMeterWindow);
    m_analog = adopt(new AnalogMeterWindow);
    auto* limits = new ComparatorLimitsDialog;
    m_comparator = adopt(new ComparatorWindow(m_settings.fHiLimit, m_settings.fLowLimit, limits));
    m_alerts->watchComparator(*m_comparator);
    limits->setParent(m_comparator, limits->windowFlags());

    m_recording =
        std::make_unique<RecorderController>(ReadingsOf(m_link), m_files.temporaryDirectory);
    m_alerts->watchRecording(*m_recording);
    connect(m_recording.get(), &RecorderController::busyChanged, this, &MainWindow::setBusy);
    // One printer for every window: a printer set-up chosen in one holds in all.
    m_printer = GraphPrinter::make();
    m_recorder = adopt(new RecorderWindow(*m_recording, m_printer.get()));
    m_recovery = std::make_unique<RecordingRecovery>(*m_recording, *m_recorder);
    connect(m_recovery.get(), &RecordingRecovery::recorderWanted, this, &MainWindow::showRecorder);
    auto* overview = adopt(new RecordingOverview(m_printer.get(), m_recorder));
    connect(m_recorder, &RecorderWindow::overviewRequested, overview, [this, overview] {
        overview->setDocumentName(PrintedDocumentName(*m_recording));
        m_layout->placeViewer(*overview);
        overview->viewRecording(m_recording->recording(), m_recording->statistics());
    });
    connect(m_recording.get(), &RecorderController::statisticsChanged, overview,
            &RecordingOverview::refreshStatistics);

    auto* exportDialog = new ExportDialog(ExportDialog::PrinterPages::Any);
    m_lineColors = new LineColorDialog;
    m_dataList = adopt(new DataListWindow(m_recording.get()));

    m_loggerSessions = std::make_unique<LoggerSessions>(m_link.backend());
    connect(m_loggerSessions.get(), &LoggerSessions::busyChanged, this, &MainWindow::setBusy);
    m_logger =
        adopt(new LoggerWindow(*m_loggerSessions, exportDialog, m_lineColors, m_printer.get()));
    exportDialog->setParent(m_logger, exportDialog->windowFlags());
    m_lineColors->setParent(m_logger, m_lineColors->windowFlags());
    connect(m_recorder, &RecorderWindow::importRequested, this, &MainWindow::showLoggerWindow);

    // Sizes follow the room below the main window; the places are handed out here:
    // the tiled ones first, then those the last run left.
    const int mainHeight = OuterRect(*this, nullptr).height;
    m_digital->fitBelow(mainHeight);
    m_recorder->fitBelow(mainHeight);
    m_dataList->fitBelow(mainHeight + m_digital->frameGeometry().height() +
                         m_analog->frameGeometry().height());
    m_layout->setWindows({m_digital, m_analog, m_comparator, m_recorder, m_dataList});
    m_layout->placeStartWindows();
    connectLiveWindows();
    m_restoredWindowPlaces = RestoreDesktopState(*m_desktopState, desktopWindows());
}

DesktopWindows MainWindow::desktopWindows() const {
    return {m_digital,  m_analog, m_comparator, m_recorder,
            m_dataList, m_logger, m_lineColors, m_recording.get()};
}

QWidget* MainWindow::loggerWindow() const {
    return m_logger;
}

void MainWindow::openFile(const QString& path) {
    openFile(NativePath(path));
}

void MainWindow::openFile(const QByteArray& nativePath) {
    if (m_recorder == nullptr || m_logger == nullptr)
        return;
    const QString extension = QFileInfo(PathText(nativePath)).suffix();
    if (extension.compare(QLatin1String(kSessionFileExtension), Qt::CaseInsensitive) == 0) {
        showLoggerWindow();
        m_logger->openSessionFile(nativePath);
        return;
    }
    // The recorder chooses the format by the file name, as its Open does.
    showRecorder();
    m_recorder->openRecordingFile(nativePath);
}

void MainWindow::connectLiveWindows() {
    // The digital meter shows each reading first, then the analog meter and the
    // comparator: the order of these connections.
    connect(&m_link, &MeterLink::readingReceived, m_digital, &DigitalMeterWindow::showReading);
    connect(&m_link, &MeterLink::readingReceived, m_analog, &AnalogMeterWindow::showReading);
    connect(&m_link, &MeterLink::readingReceived, m_comparator, &ComparatorWindow::showReading);
    connect(m_comparator, &ComparatorWindow::limitsChanged, this, [this](double high, double low) {
        m_settings.fHiLimit = high;
        m_settings.fLowLimit = low;
    });
}

void MainWindow::offerOrphanedRecordings() {
    if (m_recovery)
        m_recovery->offer();
}

void MainWindow::showLoggerWindow() {
    {
        // The acquisition must not run during an import.
        BusyCursor busy;
        if (isLinked())
            m_link.unlink();
    }
    m_logger->setWindowModality(Qt::ApplicationModal);
    m_logger->show();
}

void MainWindow::placeMainWindow() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    fitToScreenWidth();
    move(area.left(), area.top());
}

void MainWindow::fitToScreenWidth() {
    const int clientHeight =
        menuBar()->sizeHint().height() + m_tools.bevel->height() + kToolButtonSize * 3 / 2 + 2;
    // Width of the window frame, known once the window manager has framed the window.
    m_fittedFrameWidth = std::max(0, frameGeometry().width() - geometry().width());
    setFixedSize(FreeArea(*this).width - m_fittedFrameWidth, clientHeight);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // Framing moves the window: from then on its frame is known.
    if (frameGeometry().width() - geometry().width() != m_fittedFrameWidth)
        fitToScreenWidth();
}

void MainWindow::setBusy(bool busy) {
    m_busy = busy;
    refreshControls();
}

void MainWindow::refreshControls() {
    const MainControlState s = ComputeMainControls(isLinked(), m_busy);
    m_linkMenu->menuAction()->setText(text(s.linkMenuCaption));
    m_linkMenu->menuAction()->setEnabled(s.linkMenuEnabled);
    m_linkAction->setText(text(s.linkMenuCaption));
    m_linkAction->setEnabled(s.linkMenuEnabled);
    m_portMenu->menuAction()->setEnabled(s.portMenuEnabled);
    m_helpMenu->menuAction()->setEnabled(s.helpMenuEnabled);
    m_tools.link->setToolTip(text(s.linkHint));
    m_tools.link->setEnabled(s.linkButtonEnabled);
    m_tools.about->setEnabled(s.aboutEnabled);
}

bool MainWindow::isLinked() const {
    return m_link.isLinked();
}

void MainWindow::toggleLink() {
    if (isLinked()) {
        m_link.unlink();
        return;
    }
    if (!m_link.link()) {
        // Cable missing: the button stays up, nothing else changes.
        m_tools.link->setChecked(false);
        showNoCableToLink(this, m_link.cableListed());
    }
}

void MainWindow::setReconnectAutomatically(bool on) {
    m_link.setReconnectAutomatically(on);
    if (m_reconnectAction->isChecked() != on)
        m_reconnectAction->setChecked(on);
    // Remembered with the desktop state for the next run. Should the file not be
    // written now, it is written again at exit, where a failure is reported.
    if (m_desktopState->value(kReconnectKey, false).toBool() != on) {
        m_desktopState->setValue(kReconnectKey, on);
        m_desktopState->save();
    }
}

void MainWindow::setLiveWindowsLinked(bool linked) {
    if (m_digital)
        m_digital->setLinked(linked);
    if (m_analog)
        m_analog->setLinked(linked);
    if (m_comparator)
        m_comparator->setLinked(linked);
}

void MainWindow::onWaitingForCableChanged(bool waiting) {
    // While the cable is away the live windows rest as after an unlink; the
    // first reading that comes back finds them linked again.
    setLiveWindowsLinked(!waiting && m_link.isLinked());
    QLabel* status = m_tools.statusPanels[0];
    status->setText(waiting ? translate("MainWindow", "Waiting for the cable…") : QString());
    status->setVisible(waiting);
    if (waiting && m_recording)
        m_recording->readingsInterrupted();
}

void MainWindow::onLinkedChanged(bool linked) {
    m_tools.link->setChecked(linked);
    setLiveWindowsLinked(linked);
    if (!linked && m_recording)
        m_recording->linkEnded();
    refreshControls();
}

void MainWindow::answerNoDataNotice() {
    // Three polls went unanswered. The link's end that follows tells the user once,
    // with the cause: the meter does not answer (9019) while the cable is there, or
    // the cable is gone (9015). A box of its own here would say the same twice.
    m_link.noticeClosed();
}

void MainWindow::showLinkLostNotice() {
    showCableNotFound(this);
}

void MainWindow::bringUp(QWidget* window, bool makeVisible) {
    if (window == nullptr)
        return;
    if (window->isMinimized())
        window->showNormal();
    if (makeVisible && !window->isVisible()) {
        m_layout->placeOpeningWindow(*window);
        window->show();
    }
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

void MainWindow::showDigitalMeter() {
    bringUp(m_digital, false);
}
void MainWindow::showAnalogMeter() {
    bringUp(m_analog, true);
}
void MainWindow::showDataList() {
    bringUp(m_dataList, true);
}
void MainWindow::showRecorder() {
    bringUp(m_recorder, true);
}
void MainWindow::showComparator() {
    bringUp(m_comparator, true);
}

void MainWindow::setDesktopNotifier(DesktopNotifier* notifier) {
    m_alerts->setNotifier(notifier);
}

void MainWindow::showHelp(const QString& anchor) {
    if (!m_help)
        m_help = std::make_unique<HelpWindow>();
    m_help->showSection(anchor);
}

void MainWindow::showAbout() {
    if (auto* dialog = qobject_cast<QDialog*>(m_about))
        dialog->exec();
}

void MainWindow::tileWindows() {
    m_layout->tile();
    activateWindow();
}

bool MainWindow::confirmClose() {
    RecorderWindow* recorder = m_recorder;
    if (recorder != nullptr && recorder->saveCommandRunning())
        return false; // the save asked for at the last close decides
    if (recorder == nullptr || !recorder->hasUnsavedData())
        return true;
    const BoxButton answer = showDirectBox(
        this, text(TextId::BufferHasData) + QLatin1Char('\n') + text(TextId::AskSaveBeforeExit),
        CaptionKind::Warning, TextId::BufferHasData, BoxIcon::Question,
        {BoxButton::Yes, BoxButton::No, BoxButton::Cancel}, BoxButton::Cancel);
    if (answer == BoxButton::No)
        return true;
    if (answer != BoxButton::Yes)
        return false;
    // The save runs as a job while the windows stay responsive; the program closes
    // when it has ended with the data really saved, and stays open otherwise.
    connect(
        recorder, &RecorderWindow::saveCommandFinished, this,
        [this](bool saved) {
            if (saved)
                close();
        },
        Qt::SingleShotConnection);
    recorder->saveCommand();
    return false;
}

void MainWindow::writeSettings() {
    QString stateError;
    const bool stateSaved = SaveDesktopState(*m_desktopState, desktopWindows(), &stateError);
    QString error;
    // Without a usable configuration folder the settings are not written (the user
    // was told at start); the desktop state then lives in memory only.
    const bool settingsSaved = m_files.settingsFile.isEmpty() ||
                               WriteSettingsFile(m_files.settingsFile, m_settings, &error);
    if (settingsSaved && stateSaved)
        return;
    const TextId message = settingsSaved ? TextId::FileSaveError : TextId::SettingsWriteFailed;
    BoxRequest box;
    box.owner = this;
    box.caption = errorCaption(message);
    box.text = text(message);
    if (!settingsSaved)
        box.text += QStringLiteral("\n\n%1\n%2\n\nThe comparator limits of this run are lost")
                        .arg(m_files.settingsFile, error);
    if (!stateSaved)
        box.text += QStringLiteral("%1\n\n%2\n%3\n\nThe window places and preferences of this run "
                                   "are lost")
                        .arg(settingsSaved ? QString() : QStringLiteral(";"),
                             QDir::toNativeSeparators(m_files.desktopStateFile), stateError);
    box.text += QStringLiteral("; the program closes anyway.");
    box.icon = BoxIcon::Warning;
    ShowBox(box);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
    QApplication::quit();
}

} // namespace telmora
