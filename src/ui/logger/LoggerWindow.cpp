#include "ui/logger/LoggerWindow.h"

#include "app/UserDialogs.h"
#include "logger/LoggerSessions.h"
#include "logger/SessionFile.h"
#include "logger/sessionstatistics.h"
#include "model/TypedReading.h"
#include "model/fileaccess.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/LineColorDialog.h"
#include "ui/common/ProgressWindow.h"
#include "ui/common/StatisticsPanel.h"
#include "ui/common/standardshortcuts.h"
#include "ui/export/ExportDialog.h"
#include "ui/logger/SessionGraphView.h"
#include "ui/logger/SessionTabs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace telmora {

namespace {

QString hintText(TextId id) {
    return text(id).remove(QLatin1Char('&')).remove(QStringLiteral("...")).trimmed();
}

const QString kSessionFilter = QStringLiteral("session logger data files(*.slr)|*.slr");

} // namespace

// --- construction ------------------------------------------------------------

LoggerWindow::LoggerWindow(UserDialogs& dialogs, LoggerSessions& sessions,
                           ExportDialog* exportDialog, LineColorDialog* lineColors,
                           QPrinter* printer, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_sessions(sessions), m_printer(printer),
      m_exportDialog(exportDialog), m_lineColors(lineColors) {
    setObjectName(QStringLiteral("loggerWindow"));
    setWindowTitle(text(TextId::ImportWindowCaption));
    setWindowFlags(windowFlags() & ~Qt::WindowMinimizeButtonHint);
    if (m_exportDialog == nullptr) {
        m_ownExportDialog =
            std::make_unique<ExportDialog>(m_dialogs, ExportDialog::PrinterPages::Any, this);
        m_exportDialog = m_ownExportDialog.get();
    }
    if (m_lineColors == nullptr) {
        m_ownLineColors = std::make_unique<LineColorDialog>(m_dialogs, this);
        m_lineColors = m_ownLineColors.get();
    }
    m_progress = std::make_unique<ProgressWindow>(this);
    buildToolBar();
    buildCentre();
    buildMenu();
    bindSessions();
    showSessions();
    updateControls();
    resize(1100, 720);
}

// Out of line: the owned dialogs are only forward-declared in the header.
LoggerWindow::~LoggerWindow() = default;

void LoggerWindow::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("toolBar"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    auto tool = [&](const char* name, QStyle::StandardPixmap icon, TextId hint, auto command) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(hintText(hint));
        b->setAccessibleName(b->toolTip());
        b->setAutoRaise(true);
        bar->addWidget(b);
        connect(b, &QToolButton::clicked, this, command);
        return b;
    };
    m_importButton = tool("downloadButton", QStyle::SP_ArrowDown, TextId::MenuFileImport,
                          [this] { importFromMeter(); });
    m_exportButton = tool("exportButton", QStyle::SP_FileDialogDetailedView, TextId::MenuFileExport,
                          [this] { exportData(); });
    m_openButton = tool("openButton", QStyle::SP_DialogOpenButton, TextId::MenuFileOpen,
                        [this] { openFile(); });
    m_saveButton = tool("saveButton", QStyle::SP_DialogSaveButton, TextId::MenuFileSaveAs,
                        [this] { saveFile(); });
    m_clearButton = tool("clearButton", QStyle::SP_TrashIcon, TextId::MenuEditClearAll,
                         [this] { clearData(); });
}

void LoggerWindow::buildCentre() {
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(status);

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* bevel = new QFrame(central);
    bevel->setObjectName(QStringLiteral("separator"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setFixedHeight(2);
    outer->addWidget(bevel);

    auto* client = new QWidget(central);
    client->setObjectName(QStringLiteral("sessionArea"));
    outer->addWidget(client, 1);
    auto* row = new QHBoxLayout(client);
    row->setContentsMargins(2, 2, 2, 2);
    m_tabs = new SessionTabs(m_sessions, client);
    row->addWidget(m_tabs);
    m_graph = new SessionGraphView(m_dialogs, m_sessions, *m_tabs, *m_lineColors, m_printer.get(),
                                   client);
    row->addWidget(m_graph, 1);
    m_statistics = new StatisticsPanel(client);
    m_statistics->setColumnTitle(StatisticsPanel::Column::Whole,
                                 translate("LoggerWindow", "All sessions"));
    row->addWidget(m_statistics);
    // In a narrow panel the sessions scroll rather than lie over each other.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("sessionScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(central);
    setCentralWidget(scroller);
    m_graph->chart().setFocus();
}

void LoggerWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, TextId id, auto command) {
        QAction* a = menu->addAction(text(id));
        connect(a, &QAction::triggered, this, command);
        return a;
    };
    QMenu* file = bar->addMenu(text(TextId::MenuFile));
    m_openAction = item(file, TextId::MenuFileOpen, [this] { openFile(); });
    m_saveAction = item(file, TextId::MenuFileSaveAs, [this] { saveFile(); });
    file->addSeparator();
    m_importAction = item(file, TextId::MenuFileImport, [this] { importFromMeter(); });
    m_exportAction = item(file, TextId::MenuFileExport, [this] { exportData(); });
    file->addSeparator();
    m_printAction = item(file, TextId::MenuFilePrintPage, [this] {
        if (!m_sessions.isEmpty())
            m_graph->print();
    });
    m_printerSetupAction = item(file, TextId::MenuFilePrinterSetup,
                                [this] { m_dialogs.setUpPage(this, m_printer.get()); });
    file->addSeparator();
    QAction* exit = item(file, TextId::MenuFileClose, [this] { close(); });
    QMenu* edit = bar->addMenu(text(TextId::MenuEdit));
    m_clearAction = item(edit, TextId::MenuEditClearAll, [this] { clearData(); });
    QMenu* view = bar->addMenu(text(TextId::MenuView));
    view->addSeparator();
    m_lineColorAction = item(view, TextId::MenuViewLineColor, [this] { chooseLineColors(); });
    // The desktop's usual keys; the window defines none of its own.
    AddStandardShortcut(*this, *m_openAction, QKeySequence::Open);
    AddStandardShortcut(*this, *m_saveAction, QKeySequence::Save);
    AddStandardShortcut(*this, *m_printAction, QKeySequence::Print);
    AddStandardShortcut(*this, *exit, QKeySequence::Close);
}

void LoggerWindow::bindSessions() {
    LoggerSessions* s = &m_sessions;
    connect(s, &LoggerSessions::sessionsReplaced, this, &LoggerWindow::showSessions);
    connect(s, &LoggerSessions::currentSessionChanged, m_graph, &SessionGraphView::drawSession);
    connect(s, &LoggerSessions::currentSessionChanged, this, &LoggerWindow::showStatistics);
    connect(s, &LoggerSessions::stateChanged, this, &LoggerWindow::updateControls);
    connect(s, &LoggerSessions::busyChanged, this, [this](bool busy) {
        // The hourglass while the sessions are being replaced or written.
        if (!busy)
            m_busyCursor.reset();
        else if (!m_busyCursor)
            m_busyCursor.emplace();
    });
    connect(s, &LoggerSessions::downloadConfirmationNeeded, this, &LoggerWindow::askToDownload);
    connect(s, &LoggerSessions::progressEnded, this, &LoggerWindow::endProgress);
    connect(s, &LoggerSessions::failed, this, &LoggerWindow::showFailure);
    connect(s, &LoggerSessions::warned, this,
            [this](TextId id) { m_dialogs.showWarning(this, id); });
    connect(s, &LoggerSessions::noticed, this, &LoggerWindow::showNotice);
    connect(s, &LoggerSessions::fileSaved, this, [this](SessionFileStatus status) {
        savedBeforeClose(status == SessionFileStatus::Ok);
    });
    m_progress->bind(s->job());
    connect(m_graph, &SessionGraphView::firstPageRequested, s, &LoggerSessions::showFirst);
    connect(m_graph, &SessionGraphView::pageUpRequested, s, &LoggerSessions::pageUp);
    connect(m_graph, &SessionGraphView::pageDownRequested, s, &LoggerSessions::pageDown);
    connect(m_graph, &SessionGraphView::lastPageRequested, s, &LoggerSessions::showLast);
}

// --- drawing what the sessions hold ---------------------------------------------

void LoggerWindow::updateControls() {
    const bool busy = m_sessions.isBusy();
    const bool empty = m_sessions.isEmpty();
    m_openButton->setEnabled(!busy);
    m_openAction->setEnabled(!busy);
    m_importButton->setEnabled(!busy);
    m_importAction->setEnabled(!busy);
    for (QToolButton* b : {m_saveButton, m_clearButton, m_exportButton})
        b->setEnabled(!busy && !empty);
    for (QAction* a : {m_saveAction, m_clearAction, m_exportAction, m_printAction})
        a->setEnabled(!busy && !empty);
    m_printerSetupAction->setEnabled(!busy);
    m_lineColorAction->setEnabled(!busy);
}

void LoggerWindow::showSessions() {
    m_graph->blank();
    if (!m_tabs->rebuild()) {
        m_dialogs.showError(this, TextId::OutOfMemory);
        m_sessions.clear();
        return;
    }
    if (m_sessions.sessionsShown() > 0)
        m_graph->drawSession(m_sessions.currentSession());
    showStatistics();
}

void LoggerWindow::showStatistics() {
    const std::span<const SampleList> shown = m_sessions.shownSessions();
    const int s = m_sessions.currentSession();
    if (m_sessions.isEmpty() || s < 0 || s >= static_cast<int>(shown.size())) {
        m_statistics->clear();
        return;
    }
    const SampleList& session = shown[static_cast<std::size_t>(s)];
    const GroupedStatistics ofSession = SessionStatistics(session);
    const GroupedStatistics ofAll = SessionsStatistics(shown);
    const StatisticsGroup* group = NewestReadingGroup(ofSession, session);
    m_statistics->setColumnTitle(StatisticsPanel::Column::Shown,
                                 translate("LoggerWindow", "Session %1").arg(s + 1));
    std::optional<StatisticsPanel::Resolution> resolution;
    if (group != nullptr && !session.empty()) {
        const TypedReading newest = ReadingOfRecord(session.back().main, RecordOrigin::Session);
        resolution = StatisticsPanel::Resolution{newest.prefixExponent, newest.decimals};
    }
    m_statistics->showGroups(group != nullptr ? ofAll.find(group->function, group->unit) : nullptr,
                             group, resolution);
}

void LoggerWindow::endProgress() {
    m_progress->end();
}

void LoggerWindow::showFailure(TextId message, const QString& wording) {
    m_dialogs.showDirectBox(this, wording, CaptionKind::Error, message, BoxIcon::Error,
                            {BoxButton::Ok});
}

void LoggerWindow::showNotice(const QString& notice) {
    // No numbered text exists for this case: the window's own caption.
    BoxRequest box;
    box.owner = this;
    box.caption = text(TextId::ImportWindowCaption);
    box.text = notice;
    box.icon = BoxIcon::Warning;
    m_dialogs.showBox(box);
}

// --- commands -----------------------------------------------------------------------

void LoggerWindow::importFromMeter() {
    if (!m_sessions.isBusy() && !m_sessions.isWorking())
        m_sessions.startDownload();
}

void LoggerWindow::askToDownload() {
    const BoxButton answer = m_dialogs.showDirectBox(
        this, DownloadQuestionText(), CaptionKind::Warning, TextId::AskProceed, BoxIcon::Question,
        {BoxButton::Yes, BoxButton::No}, BoxButton::No);
    m_sessions.confirmDownload(answer == BoxButton::Yes);
}

void LoggerWindow::openFile() {
    if (m_sessions.isBusy() || m_sessions.isWorking())
        return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.owner = this;
    request.caption =
        text(TextId::MenuFileOpen).remove(QLatin1Char('&')).remove(QStringLiteral("..."));
    request.defaultExt = QString::fromLatin1(kSessionFileExtension);
    request.filter = kSessionFilter;
    request.filterIndex = 1;
    request.overwritePrompt = false;
    if (const std::optional<QString> path = m_dialogs.chooseFile(request))
        openSessionFile(*path);
}

void LoggerWindow::openSessionFile(const QString& path) {
    openSessionFile(NativePath(path));
}

void LoggerWindow::openSessionFile(const QByteArray& nativePath) {
    if (m_sessions.isBusy() || m_sessions.isWorking())
        return;
    m_sessions.openFile(nativePath);
}

void LoggerWindow::saveFile() {
    if (m_sessions.isBusy() || m_sessions.isWorking() || m_sessions.isEmpty())
        return;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.owner = this;
    request.caption = text(TextId::MenuFileSaveAs).remove(QLatin1Char('&'));
    request.defaultExt = QString::fromLatin1(kSessionFileExtension);
    request.fileName = QString::fromLatin1(kSessionFileDefaultName);
    request.filter = kSessionFilter;
    request.overwritePrompt = true;
    if (const std::optional<QString> path = m_dialogs.chooseFile(request))
        m_sessions.saveFile(*path);
}

void LoggerWindow::clearData() {
    if (m_sessions.isEmpty() || m_sessions.isBusy())
        return;
    const BoxButton answer = m_dialogs.showDirectBox(
        this, text(TextId::AskClearBuffer), CaptionKind::Warning, TextId::AskClearBuffer,
        BoxIcon::Question, {BoxButton::Ok, BoxButton::Cancel}, BoxButton::Cancel);
    if (answer == BoxButton::Ok)
        m_sessions.clear();
}

void LoggerWindow::chooseLineColors() {
    m_lineColors->setButtonTexts(QStringLiteral(" Main-Data Color"),
                                 QStringLiteral(" Sub-Data Color"));
    if (m_dialogs.runDialog(*m_lineColors))
        m_graph->drawSession(m_sessions.currentSession());
}

void LoggerWindow::exportData() {
    if (m_sessions.isBusy() || m_sessions.isEmpty())
        return;
    ExportDialog* dlg = m_exportDialog;
    dlg->setTextExportAllowed(true);
    dlg->selectType(ExportType::Text);
    dlg->selectPageScope(PageScope::ThisPage);
    dlg->setPageRange(1, m_sessions.sessionsShown());
    dlg->setFileName(QString());
    dlg->focusBrowse();
    if (!m_dialogs.runDialog(*dlg))
        return;

    const ExportRequest request{dlg->exportType(), dlg->destination(), dlg->pageScope(),
                                dlg->pageFrom(),   dlg->pageTo(),      dlg->fileName()};
    const ExportPlan plan = m_sessions.planExport(request);
    switch (plan.action) {
    case ExportPlan::Action::Nothing:
        return;
    case ExportPlan::Action::MissingFileName:
        m_dialogs.showError(this, TextId::BrowseForFileName);
        return;
    case ExportPlan::Action::Text:
        m_sessions.exportText(request.fileName, plan.pages.first, plan.pages.last, plan.textFormat);
        return;
    case ExportPlan::Action::Picture:
        break;
    }
    QString reason;
    if (m_graph->exportPictures(plan.bitmap, plan.destination, plan.pages.first, plan.pages.last,
                                request.fileName, dlg->pictureWidth(), dlg->pictureHeight(),
                                &reason))
        return;
    QString message = text(TextId::FileSaveError) + QLatin1Char('\n') +
                      QDir::toNativeSeparators(request.fileName);
    if (!reason.isEmpty())
        message += QStringLiteral("\n(%1)").arg(reason);
    showFailure(TextId::FileSaveError, message);
}

// --- window -------------------------------------------------------------------------

void LoggerWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // In a window of its own it takes the screen; a panel takes the room it is given.
    if (isWindow() && !isMaximized())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void LoggerWindow::savedBeforeClose(bool saved) {
    if (std::exchange(m_closeAfterSave, false) && saved)
        close();
}

void LoggerWindow::closeEvent(QCloseEvent* event) {
    if (m_sessions.isBusy() || m_sessions.isWorking()) {
        event->ignore();
        return;
    }
    if (m_sessions.needsSaveQuestion()) {
        const QString question =
            text(TextId::BufferHasData) + QStringLiteral("\n") + text(TextId::AskSaveBeforeExit);
        const BoxButton answer = m_dialogs.showDirectBox(
            this, question, CaptionKind::Warning, TextId::BufferHasData, BoxIcon::Question,
            {BoxButton::Yes, BoxButton::No, BoxButton::Cancel}, BoxButton::Cancel);
        if (answer == BoxButton::Cancel || answer == BoxButton::None) {
            event->ignore();
            return;
        }
        if (answer == BoxButton::Yes) {
            // The window closes once the sessions are written (savedBeforeClose);
            // a cancelled dialog or a failed write keeps it open.
            saveFile();
            m_closeAfterSave = m_sessions.isWorking();
            event->ignore();
            return;
        }
    }
    // Every session goes, the next opening starts empty.
    m_sessions.clear();
    setWindowState(windowState() & ~Qt::WindowMaximized);
    event->accept();
}

} // namespace telmora
