#include "ui/main/MainWindow.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "app/mainwindowrules.h"
#include "logger/SessionFile.h"
#include "meter/MeterLink.h"
#include "model/fileaccess.h"
#include "recording/RecorderController.h"
#include "text/texts.h"
#include "ui/common/UiResources.h"
#include "ui/common/standardshortcuts.h"
#include "ui/help/HelpKey.h"
#include "ui/help/HelpWindow.h"
#include "ui/help/helpanchors.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/main/DesktopAlerts.h"
#include "ui/main/LinkCommands.h"
#include "ui/main/MeterStrip.h"
#include "ui/main/MeterWindowSets.h"
#include "ui/main/PublishCommands.h"
#include "ui/main/Workspace.h"
#include "ui/main/exitflow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalsPanel.h"
#include "ui/recorder/MarkersPanel.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"
#include "ui/recorder/RecordingRecovery.h"
#include "ui/recorder/recorderfiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

namespace telmora {

MainWindow::MainWindow(Application& app, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_dialogs(dialogs) {
    InitUiResources();
    setObjectName(QStringLiteral("mainWindow"));
    // The panels redraw readings and figures many times a second: their text is
    // laid out without the kerning and ligatures of Latin scripts, whose shaping
    // costs more than the drawing. Scripts that need shaping keep it.
    QFont unshaped;
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    setFont(unshaped);

    setWindowTitle(text(TextId::MeterSeriesName) + QLatin1Char(' ') + text(TextId::ProgramName));
    MeterLink& link = m_app.link();
    // Before the link's notices are connected to message boxes, so that a
    // desktop notification goes out before a box waits for the user.
    m_alerts = new DesktopAlerts(m_app.desktopState(), this);
    m_alerts->followMeters(m_app);
    m_linkCommands = new LinkCommands(m_app, m_dialogs, *this);
    // F1 in any window opens the manual at that window's section.
    new HelpKey([this](const QString& anchor) { showHelp(anchor); }, this);
    buildControls();
    buildMenu();
    for (QLabel* panel : m_tools.statusPanels)
        panel->hide();
    m_publishCommands =
        new PublishCommands(m_app.publishing(), m_dialogs, *m_tools.statusPanels[3], *this);

    connect(&link, &MeterLink::linkedChanged, this, &MainWindow::onLinkedChanged);
    connect(&link, &MeterLink::waitingForCableChanged, this, &MainWindow::onWaitingForCableChanged);
    connect(&m_app, &Application::metersChanged, this, &MainWindow::onMetersChanged);
    connect(m_linkCommands, &LinkCommands::statusChanged, this, &MainWindow::updateLinkStatus);
    m_linkCommands->attachMenu(*m_menu.link, *m_menu.linkSeparator);
    connect(&m_app, &Application::busyChanged, this, &MainWindow::refreshControls);
    refreshControls();
    // The desktop places the window; it starts as large as the screen's free area
    // allows (the arrangement kept by the last run brings its own size).
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        resize(s->availableGeometry().size() * 9 / 10);
}

MainWindow::~MainWindow() {
    // The workers end before the windows they feed; then the windows go, newest first.
    disconnect(&m_app.link(), nullptr, this, nullptr);
    disconnect(&m_app, nullptr, this, nullptr);
    disconnect(m_linkCommands, nullptr, this, nullptr);
    m_app.unlinkAll();
    m_windows.reset();
}

QWidget* MainWindow::loggerWindow() const {
    return m_windows ? m_windows->logger() : nullptr;
}

void MainWindow::buildControls() {
    auto* row = new QWidget(this);
    m_tools = BuildToolRow(row);
    auto* bar = addToolBar(text(TextId::MeterSeriesName));
    bar->setObjectName(QStringLiteral("toolRow"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setEnabled(false);
    bar->addWidget(row);
    // Shown from the start (a tool bar shows what it holds only when laid out).
    row->show();
    addToolBarBreak();
    m_strip = new MeterStrip(this);
    addToolBar(Qt::TopToolBarArea, m_strip);
    // The panels are docks around an empty middle, which takes no room.
    auto* middle = new QWidget(this);
    setCentralWidget(middle);
    middle->hide();
    m_tools.link->setCheckable(true);
    m_tools.port->setEnabled(false);
    // The button shows the link state; toggling it (by mouse, key or assistive
    // technology) asks for the other state.
    connect(m_tools.link, &QToolButton::toggled, this, [this] {
        showLinkState();
        toggleLink();
    });
    connect(m_tools.digital, &QToolButton::clicked, this,
            [this] { bringUpLive(LiveWindowKind::Digital); });
    connect(m_tools.analog, &QToolButton::clicked, this,
            [this] { bringUpLive(LiveWindowKind::Analog); });
    connect(m_tools.dataList, &QToolButton::clicked, this,
            [this] { showWindow(&MainWindow::dataList); });
    connect(m_tools.recorder, &QToolButton::clicked, this,
            [this] { showWindow(&MainWindow::recorder); });
    connect(m_tools.comparator, &QToolButton::clicked, this,
            [this] { bringUpLive(LiveWindowKind::Comparator); });
    connect(m_tools.tile, &QToolButton::clicked, this, &MainWindow::tileWindows);
    connect(m_tools.about, &QToolButton::clicked, this, &MainWindow::showAbout);
}

void MainWindow::buildMenu() {
    MainMenuCommands commands;
    commands.exit = [this] { close(); };
    commands.toggleLink = [this] { toggleLink(); };
    commands.setReconnect = [this](bool on) { setReconnectAutomatically(on); };
    commands.showPublish = [this] { m_publishCommands->showDialog(); };
    commands.tile = [this] { tileWindows(); };
    commands.showDigitalMeter = [this] { bringUpLive(LiveWindowKind::Digital); };
    commands.showAnalogMeter = [this] { bringUpLive(LiveWindowKind::Analog); };
    commands.showComparator = [this] { bringUpLive(LiveWindowKind::Comparator); };
    commands.showRecorder = [this] { showWindow(&MainWindow::recorder); };
    commands.showDataList = [this] { showWindow(&MainWindow::dataList); };
    commands.showOverview = [this] { showWindow(&MainWindow::overview); };
    commands.showLogger = [this] { showWindow(&MainWindow::loggerWindow); };
    commands.showIntervals = [this] {
        createWindows();
        bringUp(m_windows->intervals());
    };
    commands.setNotifications = [this](bool on) { m_alerts->setEnabled(on); };
    commands.showHelp = [this] { showHelp(HelpAnchorFor(this)); };
    commands.showAbout = [this] { showAbout(); };
    commands.reconnect = m_app.reconnectsAutomatically();
    commands.notifications = m_alerts->isEnabled();
    m_menu = BuildMainMenu(*this, commands);
}

void MainWindow::createWindows() {
    if (m_windows)
        return;
    m_windows = std::make_unique<LongLivedWindows>(m_app, m_dialogs, *this, *m_alerts);
    bindWindows();
    const LongLivedWindows& w = *m_windows;
    m_workspace = std::make_unique<Workspace>(*this);
    m_workspace->addMeter(QString(), w.firstMeterWindows());
    m_workspace->addRecorder(w.recorder(), w.dataList());
    m_workspace->addPanel(w.overview(), QStringLiteral("overviewPanel"));
    m_workspace->addPanel(w.logger(), QStringLiteral("loggerPanel"));
    m_workspace->addPanel(w.markers(), QStringLiteral("markersPanel"));
    m_workspace->addPanel(w.intervals(), QStringLiteral("intervalsPanel"));
    m_strip->setMeterCommand([this](int meter, LiveWindowKind kind) {
        bringUp(m_windows->meterWindows().windowsOf(meter).window(kind));
    });
    m_restoredWindowPlaces = m_workspace->restore(m_app.desktopState());
    RestoreDesktopState(m_app.desktopState(), w.desktopWindows());
    onMetersChanged();
}

void MainWindow::bindWindows() {
    RecorderWindow* recorder = m_windows->recorder();
    RecordingOverview* overview = m_windows->overview();
    connect(&m_windows->recovery(), &RecordingRecovery::recorderWanted, this,
            [this] { bringUp(this->recorder()); });
    connect(recorder, &RecorderWindow::overviewRequested, overview, [this, overview] {
        overview->setDocumentName(PrintedDocumentName(m_app.recording()));
        overview->showRecorder(m_app.recording());
        bringUp(overview);
    });
    // A recording cleared or replaced while the overview shows it: the overview
    // shows what is there now, not samples that have gone.
    const auto showAgain = [this, overview] {
        if (!overview->isHidden())
            overview->showRecorder(m_app.recording());
    };
    connect(&m_app.recording(), &RecorderController::cleared, overview, showAgain);
    connect(&m_app.recording(), &RecorderController::recordingLoaded, overview, showAgain);
    connect(recorder, &RecorderWindow::importRequested, this, &MainWindow::showLoggerWindow);
    connect(recorder, &RecorderWindow::markersPanelRequested, this,
            [this] { bringUp(m_windows->markers()); });
    connect(m_windows->markers(), &MarkersPanel::sampleChosen, recorder,
            [this](std::int64_t index) {
                bringUp(this->recorder());
                this->recorder()->goToSample(index);
            });
}

void MainWindow::openFile(const QString& path) {
    openFile(NativePath(path));
}

void MainWindow::openFile(const QByteArray& nativePath) {
    if (!m_windows)
        return;
    const QString extension = QFileInfo(PathText(nativePath)).suffix();
    if (extension.compare(QLatin1String(kSessionFileExtension), Qt::CaseInsensitive) == 0) {
        showLoggerWindow();
        m_windows->logger()->openSessionFile(nativePath);
        return;
    }
    // The recorder chooses the format by the file name, as its Open does.
    bringUp(recorder());
    recorder()->openRecordingFile(nativePath);
}

void MainWindow::offerOrphanedRecordings() {
    if (m_windows)
        m_windows->recovery().offer();
}

void MainWindow::showLoggerWindow() {
    // The links stay: a download holds its meter's cable, and that meter's readings
    // pause until it is done (the status panel says so).
    bringUp(m_windows->logger());
}

void MainWindow::refreshControls() {
    const MainControlState s = ComputeMainControls(isLinked(), m_app.isBusy());
    m_menu.link->menuAction()->setText(text(s.linkMenuCaption));
    m_menu.link->menuAction()->setEnabled(s.linkMenuEnabled);
    m_menu.linkAction->setText(text(s.linkMenuCaption));
    m_menu.linkAction->setEnabled(s.linkMenuEnabled);
    m_menu.port->menuAction()->setEnabled(s.portMenuEnabled);
    m_menu.help->menuAction()->setEnabled(s.helpMenuEnabled);
    m_tools.link->setToolTip(text(s.linkHint));
    m_tools.link->setAccessibleName(text(s.linkHint));
    m_tools.link->setEnabled(s.linkButtonEnabled);
    m_tools.about->setEnabled(s.aboutEnabled);
}

bool MainWindow::isLinked() const {
    return m_linkCommands->anyLinked();
}

void MainWindow::bringUp(QWidget* panel) {
    if (m_workspace)
        m_workspace->bringUp(panel);
}

void MainWindow::bringUpLive(LiveWindowKind kind) {
    createWindows();
    // Every meter's panel of the kind; the first meter's last, in front of its tabs.
    const MeterWindowSets& sets = m_windows->meterWindows();
    for (int meter = m_app.meterCount() - 1; meter >= 0; --meter)
        bringUp(sets.windowsOf(meter).window(kind));
}

template <typename Window> void MainWindow::showWindow(Window* (MainWindow::*window)() const) {
    createWindows();
    bringUp((this->*window)());
}

void MainWindow::toggleLink() {
    // Cable missing: the button stays as it was, nothing else changes.
    if (!m_linkCommands->toggle())
        showLinkState();
}

void MainWindow::showLinkState() {
    const QSignalBlocker quiet(m_tools.link);
    m_tools.link->setChecked(isLinked());
}

void MainWindow::setReconnectAutomatically(bool on) {
    m_app.setReconnectAutomatically(on);
    if (m_menu.reconnect->isChecked() != on)
        m_menu.reconnect->setChecked(on);
}

void MainWindow::setLiveWindowsLinked(bool linked) {
    if (m_windows)
        m_windows->setLiveWindowsLinked(linked);
}

void MainWindow::onWaitingForCableChanged(bool waiting) {
    // While the cable is away the live windows rest as after an unlink; the
    // first reading that comes back finds them linked again.
    setLiveWindowsLinked(!waiting && m_app.link().isLinked());
    updateLinkStatus();
}

void MainWindow::updateLinkStatus() {
    QLabel* status = m_tools.statusPanels[0];
    status->setText(m_linkCommands->statusText());
    status->setVisible(!status->text().isEmpty());
}

void MainWindow::onLinkedChanged(bool linked) {
    showLinkState();
    setLiveWindowsLinked(linked);
    refreshControls();
}

void MainWindow::onMetersChanged() {
    showLinkState();
    refreshControls();
    updateLinkStatus();
    if (!m_windows)
        return;
    m_windows->meterWindows().update();
    addMeterPanels();
    m_strip->setMeters(m_app, m_windows->meterWindows());
}

void MainWindow::addMeterPanels() {
    if (!m_workspace)
        return;
    for (int i = 1; i < m_app.meterCount(); ++i) {
        const LiveWindowSet set = m_windows->meterWindows().windowsOf(i);
        if (set.digital == nullptr || m_workspace->dockOf(set.window(LiveWindowKind::Digital)))
            continue;
        // Known between runs by the cable's serial number, as the meter is.
        const QString serial = m_app.meter(i).serial();
        m_workspace->addMeter(serial.isEmpty() ? QString::number(i + 1) : serial, set);
    }
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
    createWindows();
    if (m_windows)
        if (auto* dialog = qobject_cast<QDialog*>(m_windows->about()))
            dialog->exec();
}

void MainWindow::tileWindows() {
    createWindows();
    m_workspace->arrangeDefault();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The windows' places and states are saved below, so they must exist.
    createWindows();
    // The arrangement as the user sees it, before the logger closes its panel.
    m_windows->meterWindows().rememberPlaces(m_app.desktopState());
    m_workspace->save(m_app.desktopState());
    // The logger's sessions are asked about first: they go with the program.
    if (!m_windows->logger()->close() ||
        !ConfirmClose(m_dialogs, this, recorder(), [this] { close(); })) {
        event->ignore();
        return;
    }
    SaveAtExit(m_dialogs, this, m_app, m_windows->desktopWindows());
    event->accept();
    QApplication::quit();
}

} // namespace telmora
