#include "ui/main/MainWindow.h"
#include "ui/common/UiResources.h"

#include "meter/AcquisitionWorker.h"
#include "meter/AppState.h"
#include "meter/CableProtocol.h"
#include "meter/Settings.h"
#include "meter/SharedState.h"
#include "model/mainwindowrules.h"
#include "text/texts.h"
#include "ui/common/AboutDialog.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ProgressWindow.h"
#include "ui/common/UiWait.h"
#include "ui/common/WindowMessages.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/main/AppWindows.h"
#include "ui/main/LinkLossWatcher.h"

#include "logger/LoggerSessions.h"
#include "recording/RecorderController.h"
#include "ui/export/ExportDialog.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalDialog.h"
#include "ui/recorder/LineColorDialog.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace telmora {

namespace {

constexpr int kToolButtonSize = 36;
constexpr int kToolIconSize = 28;

QToolButton* makeToolButton(QWidget* parent, const char* objectName, const QString& icon,
                            TextId hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setIcon(QIcon(icon));
    b->setIconSize(QSize(kToolIconSize, kToolIconSize));
    b->setFixedSize(kToolButtonSize, kToolButtonSize);
    b->setAutoRaise(true);
    b->setToolTip(text(hint));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel* makeStatusPanel(QWidget* parent, const char* objectName) {
    auto* p = new QLabel(parent);
    p->setObjectName(QString::fromLatin1(objectName));
    p->setFrameShape(QFrame::StyledPanel);
    p->setFrameShadow(QFrame::Sunken);
    p->setMinimumWidth(120);
    return p;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    InitUiResources();
    setObjectName(QStringLiteral("FormMain"));
    Windows().FormMain = this;

    const QString title =
        text(TextId::MeterSeriesName) + QLatin1Char(' ') + text(TextId::ProgramName);
    setWindowTitle(title);

    buildControls();
    FormCreate();
    placeMainWindow();
}

MainWindow::~MainWindow() {
    FormDestroy();
    if (Windows().FormMain == this)
        Windows().FormMain = nullptr;
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Bevel1 = new QFrame(central);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFixedHeight(0);
    column->addWidget(Bevel1);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(5, kToolButtonSize / 4, 5, kToolButtonSize / 4);
    row->setSpacing(2);
    column->addLayout(row);

    sbtnLink =
        makeToolButton(central, "sbtnLink", QStringLiteral(":/toolbar/link.svg"), TextId::HintLink);
    sbtnDigitMeter =
        makeToolButton(central, "sbtnDigitMeter", QStringLiteral(":/toolbar/digital.svg"),
                       TextId::HintDigitalMeter);
    sbtnAnalogMeter =
        makeToolButton(central, "sbtnAnalogMeter", QStringLiteral(":/toolbar/analog.svg"),
                       TextId::HintAnalogMeter);
    sbtnDataList = makeToolButton(central, "sbtnDataList", QStringLiteral(":/toolbar/datalist.svg"),
                                  TextId::HintDataList);
    sbtnGraphical = makeToolButton(central, "sbtnGraphical",
                                   QStringLiteral(":/toolbar/recorder.svg"), TextId::HintRecorder);
    sbtnComparator =
        makeToolButton(central, "sbtnComparator", QStringLiteral(":/toolbar/comparator.svg"),
                       TextId::HintComparator);
    sbtnWinTile = makeToolButton(central, "sbtnWinTile", QStringLiteral(":/toolbar/tile.svg"),
                                 TextId::HintTileWindows);
    sbtnPort = makeToolButton(central, "sbtnPort", QStringLiteral(":/toolbar/port.svg"),
                              TextId::HintPortSelection);
    sbtnAbout = makeToolButton(central, "sbtnAbout", QStringLiteral(":/toolbar/about.svg"),
                               TextId::HintAbout);

    const auto separator = [&] {
        auto* line = new QFrame(central);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setFixedHeight(kToolButtonSize - 8);
        row->addSpacing(4);
        row->addWidget(line);
        row->addSpacing(4);
    };
    row->addWidget(sbtnLink);
    separator();
    for (QToolButton* b :
         {sbtnDigitMeter, sbtnAnalogMeter, sbtnDataList, sbtnGraphical, sbtnComparator})
        row->addWidget(b);
    separator();
    row->addWidget(sbtnWinTile);
    row->addWidget(sbtnPort);
    row->addWidget(sbtnAbout);
    Panel1 = makeStatusPanel(central, "Panel1");
    Panel2 = makeStatusPanel(central, "Panel2");
    Panel3 = makeStatusPanel(central, "Panel3");
    row->addSpacing(8);
    row->addWidget(Panel1);
    row->addWidget(Panel2);
    row->addWidget(Panel3);
    row->addStretch(1);
    setCentralWidget(central);

    connect(sbtnLink, &QToolButton::clicked, this, [this] { sbtnLinkClick(); });
    connect(sbtnDigitMeter, &QToolButton::clicked, this, [this] { sbtnDigitMeterClick(); });
    connect(sbtnAnalogMeter, &QToolButton::clicked, this, [this] { sbtnAnalogMeterClick(); });
    connect(sbtnDataList, &QToolButton::clicked, this, [this] { sbtnDataListClick(); });
    connect(sbtnGraphical, &QToolButton::clicked, this, [this] { sbtnGraphicalClick(); });
    connect(sbtnComparator, &QToolButton::clicked, this, [this] { sbtnComparatorClick(); });
    connect(sbtnWinTile, &QToolButton::clicked, this, [this] { sbtnWinTileClick(); });
    connect(sbtnAbout, &QToolButton::clicked, this, [this] { sbtnAboutClick(); });
}

void MainWindow::FormCreate() {
    // Menu and hints from the string table.
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu(text(TextId::MenuFile));
    mnuExit = mnuFile->addAction(text(TextId::MenuFileExit), this, [this] { close(); });

    mnuLink = bar->addAction(text(TextId::MenuLink));
    connect(mnuLink, &QAction::triggered, this, [this] {
        sbtnLink->setChecked(!sbtnLink->isChecked());
        sbtnLinkClick();
    });

    mnuWindow = bar->addMenu(text(TextId::MenuWindow));
    mnuWindow->addAction(text(TextId::MenuWindowTile), this, [this] { sbtnWinTileClick(); });
    mnuWindow->addSeparator();
    mnuWindow->addAction(text(TextId::MenuWindowDigitalMeter), this,
                         [this] { sbtnDigitMeterClick(); });
    mnuWindow->addAction(text(TextId::MenuWindowAnalogMeter), this,
                         [this] { sbtnAnalogMeterClick(); });
    mnuWindow->addAction(text(TextId::MenuWindowComparator), this,
                         [this] { sbtnComparatorClick(); });
    mnuWindow->addAction(text(TextId::MenuWindowRecorder), this, [this] { sbtnGraphicalClick(); });
    mnuWindow->addAction(text(TextId::MenuWindowDataList), this, [this] { sbtnDataListClick(); });

    mnuPort = bar->addMenu(text(TextId::MenuPort));
    mnuUsbPort = mnuPort->addAction(text(TextId::MenuPortUsb));
    mnuUsbPort->setCheckable(true);
    mnuUsbPort->setChecked(true);
    // The check mark only shows which port is in use; choosing it changes nothing.
    connect(mnuUsbPort, &QAction::triggered, mnuUsbPort, [a = mnuUsbPort] { a->setChecked(true); });
    mnuComPort = mnuPort->addAction(text(TextId::MenuPortCom));
    mnuComPort->setEnabled(false);

    mnuHelp = bar->addMenu(text(TextId::MenuHelp));
    mnuAbout = mnuHelp->addAction(text(TextId::MenuHelpAbout), this, [this] { sbtnAboutClick(); });

    sbtnLink->setCheckable(true);
    sbtnPort->setEnabled(false);

    // Settings from the application directory.
    AppState& app = App();
    app.applicationDirectory = QDir::currentPath();
    const SettingsValues settings = ReadSettingsFile(SettingsFilePath(app.applicationDirectory));
    app.iPort = settings.iPort;
    app.fHiLimit = settings.fHiLimit;
    app.fLowLimit = settings.fLowLimit;

    Panel1->hide();
    Panel2->hide();
    Panel3->hide();

    // Events and locks of the shared acquisition state start afresh.
    Shared().reset();

    // The link-loss watcher runs for the whole life of the main window.
    m_waitOffLineThread = std::make_unique<LinkLossWatcher>(this, [this] { linkLostStep(); });

    refreshControls();
}

void MainWindow::createWindows() {
    // The long-lived windows, in their fixed order: About box, auto-closing message
    // window, digital meter, analog meter, limit dialog, comparator, recorder,
    // interval dialog, graph viewer, fit-export dialog, progress window, export
    // dialog, line colour dialog, data list, import window.
    adoptWindow(Windows().DlgAboutForm, new AboutDialog, m_wAbout);
    adoptWindow(Windows().AutoMsgForm, new CountdownNotice, m_wAutoMsg);
    adoptWindow(Windows().DigitalMeterForm, new DigitalMeterWindow, m_wDigital);
    m_wDigital->show();
    adoptWindow(Windows().AnalogMeterForm, new AnalogMeterWindow, m_wAnalog);
    adoptWindow(Windows().DlgHiLowForm, new ComparatorLimitsDialog, m_wHiLow);
    adoptWindow(Windows().ComparatorForm, new ComparatorWindow, m_wComparator);
    m_recorder = std::make_unique<RecorderController>(
        LiveReadingSource{[] { return Shared().linkActive(); },
                          [] { return Shared().readingValid(); },
                          [] { return Shared().copyReading(); }},
        App().applicationDirectory);
    connect(m_recorder.get(), &RecorderController::busyChanged, this, [this](bool busy) {
        App().busy = busy ? 1 : 0;
        refreshControls();
    });
    auto* recorder = new RecorderWindow(*m_recorder);
    adoptWindow(Windows().GraphicalForm, recorder, m_wGraphical);
    adoptWindow(Windows().DialogOption, new IntervalDialog, m_wOption);
    auto* overview = new RecordingOverview;
    adoptWindow(Windows().FormViewGraphic, overview, m_wViewGraphic);
    connect(recorder, &RecorderWindow::overviewRequested, overview,
            [this, overview] { overview->viewRecording(m_recorder->recording()); });
    adoptWindow(Windows().DlgFitExportForm,
                new ExportDialog(ExportDialog::PrinterPages::ThisPageOnly), m_wFitExport);
    adoptWindow(Windows().MsgForm, new ProgressWindow, m_wMsg);
    adoptWindow(Windows().DlgExportForm, new ExportDialog(ExportDialog::PrinterPages::Any),
                m_wExport);
    adoptWindow(Windows().dlgGraphLineColor, new LineColorDialog, m_wLineColor);
    auto* dataList = new DataListWindow(m_recorder.get());
    adoptWindow(Windows().DataStringGridForm, dataList, m_wDataList);
    auto* loggerSessions = new LoggerSessions(CurrentCableBackend(), this);
    connect(loggerSessions, &LoggerSessions::busyChanged, this, [this](bool busy) {
        App().busy = busy ? 1 : 0;
        refreshControls();
    });
    adoptWindow(
        Windows().FormImport,
        new LoggerWindow(*loggerSessions, Windows().DlgExportForm, Windows().dlgGraphLineColor),
        m_wImport);
    connect(recorder, &RecorderWindow::importRequested, this, [this] {
        {
            // The acquisition must not run during an import.
            QApplication::setOverrideCursor(Qt::WaitCursor);
            if (isLinked())
                unlinkRequest();
            QApplication::restoreOverrideCursor();
        }
        m_wImport->setWindowModality(Qt::ApplicationModal);
        m_wImport->show();
    });
    // Below the main window and the two meters (the analog meter counts whether
    // it is shown or not).
    recorder->fitBelow(frameGeometry().height());
    dataList->placeBelow(frameGeometry().height() + m_wDigital->frameGeometry().height() +
                         m_wAnalog->frameGeometry().height());
    m_wDataList->show();
}

int MainWindow::taskbarHeight() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr)
        return 0;
    const QRect full = s->geometry();
    const QRect avail = s->availableGeometry();
    return std::max(0, full.bottom() - avail.bottom());
}

void MainWindow::placeMainWindow() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const int clientHeight =
        menuBar()->sizeHint().height() + Bevel1->height() + kToolButtonSize * 3 / 2 + 2;
    // Width of the window frame, known once the window manager has framed the window.
    const int frameExtra = frameGeometry().width() - geometry().width();
    setFixedSize(area.width() - std::max(0, frameExtra), clientHeight);
    move(area.left(), area.top());
}

void MainWindow::refreshControls() {
    const MainControlState s = ComputeMainControls(isLinked(), App().busy != 0);
    mnuLink->setText(text(s.linkMenuCaption));
    mnuLink->setEnabled(s.linkMenuEnabled);
    mnuPort->menuAction()->setEnabled(s.portMenuEnabled);
    mnuHelp->menuAction()->setEnabled(s.helpMenuEnabled);
    sbtnLink->setToolTip(text(s.linkHint));
    sbtnLink->setEnabled(s.linkButtonEnabled);
    sbtnAbout->setEnabled(s.aboutEnabled);
}

bool MainWindow::isLinked() const {
    return sbtnLink->isChecked();
}

void MainWindow::sbtnLinkClick() {
    if (m_linkChanging) {
        // A click while an unlink waits for the acquisition thread: that unlink
        // goes on, the button shows its outcome.
        sbtnLink->setChecked(false);
        return;
    }
    if (sbtnLink->isChecked()) {
        if (m_korrelThread == nullptr && !linkOn())
            return; // cable missing: button up again, nothing else changes
    } else {
        linkOff();
    }
    refreshControls();
}

namespace {

void showCableNotFound(QWidget* owner) {
    showError(owner, TextId::CableNotFound);
}

// The acquisition thread's notice after three silent polls, shown on the
// user-interface thread while the acquisition thread waits for it.
void showNoDataReceived() {
    RunOnUiThreadAndWait(QCoreApplication::instance(), [] {
        // The notice has always carried the caption number of CableNotFound.
        showDirectBox(nullptr, text(TextId::NoDataReceived), CaptionKind::Error,
                      TextId::CableNotFound, BoxIcon::Error, {BoxButton::Ok});
    });
}

} // namespace

bool MainWindow::linkOn() {
    // The probe only shows that the cable is there; the thread opens its own handle.
    CableHandle probe = OpenCable();
    if (!probe) {
        sbtnLink->setChecked(false);
        showCableNotFound(this);
        return false;
    }
    probe.close();

    Shared().AcquisitionEndedEvent.reset();
    m_korrelThread = std::make_unique<AcquisitionWorker>(showNoDataReceived);
    Shared().setLinkActive(true);
    if (DigitalMeterWindow* digital = Windows().DigitalMeterForm)
        digital->setLinkStatus(true);
    return true;
}

void MainWindow::linkOff() {
    if (m_korrelThread) {
        // Ask the thread to end (after a link loss it has ended already) and wait
        // for its last act while still serving its calls into this thread.
        m_linkChanging = true;
        m_korrelThread->Terminate();
        if (!WaitServingUi(Shared().AcquisitionEndedEvent))
            WaitServingUi([this] { return m_korrelThread->finished(); });
        m_korrelThread.reset();
        m_linkChanging = false;
    }
    Shared().setLinkActive(false);
    if (DigitalMeterWindow* digital = Windows().DigitalMeterForm) {
        digital->setLinkStatus(false);
        digital->clearDisplay();
    }
    if (AnalogMeterWindow* analog = Windows().AnalogMeterForm)
        analog->resetAfterUnlink();
    if (ComparatorWindow* comparator = Windows().ComparatorForm)
        comparator->resetAfterUnlink();
    if (m_recorder)
        m_recorder->linkEnded();
    if (m_linkLostPending) {
        // The watcher reported a loss during the wait: handle it now that the
        // link change is complete.
        m_linkLostPending = false;
        QMetaObject::invokeMethod(
            this, [this] { linkLostStep(); }, Qt::QueuedConnection);
    }
}

void MainWindow::linkLostStep() {
    if (m_shuttingDown)
        return;
    if (m_linkChanging) {
        m_linkLostPending = true;
        return;
    }
    // A loss reported after the link was already switched off needs no message.
    if (!isLinked() && m_korrelThread == nullptr)
        return;
    showCableNotFound(this);
    sbtnLink->setChecked(false);
    sbtnLinkClick();
}

void MainWindow::shutdownLink() {
    m_shuttingDown = true;
    if (m_korrelThread) {
        m_korrelThread->Terminate();
        if (!WaitServingUi(Shared().AcquisitionEndedEvent))
            WaitServingUi([this] { return m_korrelThread->finished(); });
        m_korrelThread.reset();
        Shared().setLinkActive(false);
    }
    // The watcher may be inside its call into this thread; its destructor waits
    // for it while serving that call.
    m_waitOffLineThread.reset();
}

void MainWindow::unlinkRequest() {
    sbtnLink->setChecked(false);
    sbtnLinkClick();
}

bool MainWindow::event(QEvent* e) {
    if (e->type() == WindowMessage::eventType(WindowMessage::UnlinkRequest)) {
        unlinkRequest();
        return true;
    }
    return QMainWindow::event(e);
}

void MainWindow::bringUp(QWidget* window, bool makeVisible) {
    if (window == nullptr)
        return;
    if (window->isMinimized())
        window->showNormal();
    if (makeVisible && !window->isVisible())
        window->show();
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

void MainWindow::sbtnDigitMeterClick() {
    bringUp(m_wDigital, false);
}
void MainWindow::sbtnAnalogMeterClick() {
    bringUp(m_wAnalog, true);
}
void MainWindow::sbtnDataListClick() {
    bringUp(m_wDataList, true);
}
void MainWindow::sbtnGraphicalClick() {
    bringUp(m_wGraphical, true);
}
void MainWindow::sbtnComparatorClick() {
    bringUp(m_wComparator, true);
}

void MainWindow::sbtnAboutClick() {
    if (m_wAbout == nullptr)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(m_wAbout))
        dialog->exec();
    else
        bringUp(m_wAbout, true);
}

void MainWindow::sbtnWinTileClick() {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr)
        return;
    const QStyle* st = style();
    TileMetrics m;
    m.screenWidth = s->geometry().width();
    m.screenHeight = s->geometry().height();
    m.taskbar = taskbarHeight();
    // Frame and caption sizes as this desktop draws them (known once a window is shown).
    const int frameH = (frameGeometry().height() - geometry().height());
    const int frameW = (frameGeometry().width() - geometry().width()) / 2;
    m.frame = std::max(frameW, 0);
    m.caption =
        frameH > 2 * m.frame ? frameH - 2 * m.frame : st->pixelMetric(QStyle::PM_TitleBarHeight);
    // The tool row is as high as our buttons need, so the windows below start
    // exactly where the main window ends.
    m.toolRow = centralWidget()->height() - Bevel1->height();
    m.sizingFrame = m.frame;
    m.menu = menuBar()->sizeHint().height();
    m.bevel = Bevel1->height();

    m.recorderVisible = m_wGraphical && m_wGraphical->isVisible();
    m.analogVisible = m_wAnalog && m_wAnalog->isVisible();
    m.dataListVisible = m_wDataList && m_wDataList->isVisible();
    m.comparatorVisible = m_wComparator && m_wComparator->isVisible();
    if (Windows().AnalogMeterForm != nullptr) {
        m.analogDialHeight = AnalogMeterWindow::dialFaceHeight();
        m.analogCurrentHeight = m_wAnalog->frameGeometry().height();
    }
    if (auto* comparator = Windows().ComparatorForm) {
        const QSize picture = ComparatorWindow::pictureSize();
        m.comparatorPictureWidth = picture.width();
        m.comparatorPictureHeight = picture.height();
        m.comparatorAlarmButtonHeight = comparator->alarmButtonHeight();
        m.comparatorLimitButtonHeight = comparator->limitButtonHeight();
    }

    const TileLayout t = ComputeTiling(m);
    const QPoint origin = s->geometry().topLeft();
    const auto place = [&](QWidget* w, const TileRect& r) {
        if (w == nullptr)
            return;
        // The rectangles are outer (framed) sizes; the client area is smaller.
        const int fw = w->frameGeometry().width() - w->geometry().width();
        const int fh = w->frameGeometry().height() - w->geometry().height();
        w->move(origin + QPoint(r.left, r.top));
        w->resize(std::max(r.width - fw, w->minimumWidth()),
                  std::max(r.height - fh, w->minimumHeight()));
    };
    move(origin);
    place(m_wDigital, t.digital);
    if (t.hasRecorder)
        place(m_wGraphical, t.recorder);
    if (t.hasAnalog)
        place(m_wAnalog, t.analog);
    if (t.hasDataList)
        place(m_wDataList, t.dataList);
    if (t.hasComparator && m_wComparator) {
        m_wComparator->move(origin + QPoint(t.comparator.left, t.comparator.top));
        m_wComparator->raise();
    }
    activateWindow();
}

bool MainWindow::FormCloseQuery() {
    RecorderWindow* recorder = Windows().GraphicalForm;
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
    // Closing goes on only when the data really are saved now.
    return recorder->saveCommand() && !recorder->hasUnsavedData();
}

void MainWindow::FormClose() {
    AppState& app = App();
    const SettingsValues values{app.iPort, app.fHiLimit, app.fLowLimit};
    QString error;
    if (!WriteSettingsFile(SettingsFilePath(app.applicationDirectory), values, &error)) {
        BoxRequest box;
        box.owner = this;
        box.caption = errorCaption(TextId::SettingsWriteFailed);
        box.text = text(TextId::SettingsWriteFailed) +
                   QStringLiteral("\n\n%1\n%2\n\n"
                                  "The comparator limits of this run are lost; "
                                  "the program closes anyway.")
                       .arg(SettingsFilePath(app.applicationDirectory), error);
        box.icon = BoxIcon::Warning;
        ShowBox(box);
    }
}

void MainWindow::FormDestroy() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    shutdownLink();
    // Windows go first, newest first, so their worker threads end while the shared
    // events they wait on still work; then every remaining waiter is released.
    while (!m_windows.empty())
        m_windows.pop_back();
    Shared().shutdownEvents();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    QApplication::quit();
}

} // namespace telmora
