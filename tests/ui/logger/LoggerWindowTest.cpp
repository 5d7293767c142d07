#include "ui/logger/LoggerWindow.h"

#include "logger/GatedMeter.h"
#include "logger/LoggerSessions.h"
#include "ui/logger/SessionGraphView.h"
#include "ui/logger/SessionTabs.h"

#include "SwitchableBackend.h"

#include "ScriptedDialogs.h"
#include "logger/LoggerDownload.h"
#include "logger/SessionGraph.h"
#include "logger/sessiontext.h"
#include "meter/CableAccess.h"
#include "meter/CableBackend.h"
#include "recording/RecorderController.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/ProgressWindow.h"
#include "ui/export/ExportDialog.h"
#include "ui/recorder/RecorderWindow.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace telmora;

namespace {

// The window over its sessions, with its controls found by their names and its
// commands run to their end (the work of the sessions runs as jobs: each
// command waits for the signal that ends it).
struct LoggerHarness {
    LoggerHarness(std::shared_ptr<CableBackend> cable, UserDialogs& dialogs)
        : access{std::move(cable)}, sessions{access}, window{dialogs, sessions} {}

    CableAccess access;
    LoggerSessions sessions;
    LoggerWindow window;

    template <class T> T* child(const char* name) const {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QToolButton* openButton = child<QToolButton>("openButton");
    QToolButton* downloadButton = child<QToolButton>("downloadButton");
    QToolButton* saveButton = child<QToolButton>("saveButton");
    QToolButton* clearButton = child<QToolButton>("clearButton");
    QToolButton* exportButton = child<QToolButton>("exportButton");
    QToolButton* undoZoomButton = child<QToolButton>("undoZoomButton");
    QToolButton* firstPageButton = child<QToolButton>("firstPageButton");
    QToolButton* previousPageButton = child<QToolButton>("previousPageButton");
    QToolButton* nextPageButton = child<QToolButton>("nextPageButton");
    QToolButton* lastPageButton = child<QToolButton>("lastPageButton");
    QRadioButton* mainDisplayButton = child<QRadioButton>("mainDisplayButton");
    QRadioButton* subDisplayButton = child<QRadioButton>("subDisplayButton");
    QLabel* mainCursorReading = child<QLabel>("mainCursorReading");
    QLabel* mainCursorTime = child<QLabel>("mainCursorTime");
    QLabel* mainMaximumReading = child<QLabel>("mainMaximumReading");
    QLabel* subMaximumReading = child<QLabel>("subMaximumReading");
    telmora::ChartWidget* chart = &window.graph().chart();
    SessionTabs* sheetTabs = &window.tabs();

    QAction* menuAction(TextId id) const {
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text() == text(id))
                return a;
        ADD_FAILURE() << textNumber(id);
        return nullptr;
    }
    const LoggerSessions& data() const { return sessions; }
    const SessionPlot& plot() const { return window.graph().plot(); }
    int tabCount() const { return window.tabs().tabCount(); }
    QTableView* grid(int i) const { return window.tabs().grid(i); }

    // Runs `command`; when it started a job, waits for `done`.
    template <class Signal> void runToEnd(const std::function<void()>& command, Signal done) {
        QSignalSpy spy(&sessions, done);
        command();
        if (sessions.isWorking() && spy.isEmpty()) {
            EXPECT_TRUE(spy.wait(60000));
        }
    }
    void download() {
        QSignalSpy spy(&sessions, &LoggerSessions::downloadFinished);
        downloadButton->click();
        EXPECT_TRUE(spy.wait(60000));
    }
    void openFile() {
        runToEnd([this] { openButton->click(); }, &LoggerSessions::fileOpened);
    }
    bool saveFile() {
        runToEnd([this] { window.saveFile(); }, &LoggerSessions::fileSaved);
        return sessions.isSaved();
    }
    void clear() { window.clearData(); }
    void exportText() {
        runToEnd([this] { window.exportData(); }, &LoggerSessions::textExported);
    }
    bool exportTextRange(const QString& path, int first, int last) {
        QSignalSpy spy(&sessions, &LoggerSessions::textExported);
        sessions.exportText(path, first, last);
        return spy.wait(60000) && spy.last().at(0).toBool();
    }
    void exportPictures(int kind, int destination, int first, int last, const QString& path,
                        double width, double height) {
        static constexpr ExportDestination destinations[] = {
            ExportDestination::ClipBoard, ExportDestination::File, ExportDestination::Printer};
        window.graph().exportPictures(kind == 1, destinations[destination], first, last, path,
                                      width, height);
    }
    void drawSession(int s) { window.graph().drawSession(s); }
    void showFirstPage() { sessions.showFirst(); }
    void showPreviousPage() { sessions.pageUp(); }
    void showNextPage() { sessions.pageDown(); }
    void showLastPage() { sessions.showLast(); }
    void chooseSubDisplay() { subDisplayButton->click(); }
    // Closing waits for a save that the close query started.
    bool close() {
        QSignalSpy saved(&sessions, &LoggerSessions::fileSaved);
        const bool closed = window.close();
        if (!closed && sessions.isWorking() && saved.wait(60000)) {
            return !window.isVisible();
        }
        return closed;
    }
    void show() { window.show(); }
    bool isVisible() const { return window.isVisible(); }
    QString windowTitle() const { return window.windowTitle(); }
    void resize(int w, int h) { window.resize(w, h); }
    QPixmap grab() { return window.grab(); }
};

QString cell(const LoggerHarness& harness, int tab, int row, int column) {
    const QAbstractItemModel* m = harness.grid(tab)->model();
    return m->data(m->index(row, column), Qt::DisplayRole).toString();
}

SampleEntry sample(float mainValue, bool withSub = false, float subValue = 0.0f) {
    SampleEntry e;
    e.main.value = mainValue;
    e.hasSub = withSub ? 1 : 0;
    e.sub.value = subValue;
    return e;
}

class ImportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialogs.onBox = [this](const BoxRequest& r) {
            boxes.push_back(r);
            return answer(r);
        };
        m_dialogs.onFile = [this](const FileDialogRequest& r) -> std::optional<QString> {
            fileRequests.push_back(r);
            return nextFile;
        };
        meter(); // the cable the sessions are made with; tests may change it
        harness = std::make_unique<LoggerHarness>(m_cable, m_dialogs);
    }
    void TearDown() override { harness.reset(); }

    BoxButton answer(const BoxRequest& r) const {
        for (BoxButton b : r.buttons)
            if (b == reply)
                return b;
        return r.buttons.empty() ? BoxButton::Ok : r.buttons.front();
    }

    std::shared_ptr<SimulatedMeter> meter() {
        auto m = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
        m_cable->use(m);
        return m;
    }

    // Downloads the demo memory, answering Yes to the question.
    void download() {
        meter();
        reply = BoxButton::Yes;
        harness->download();
        reply = BoxButton::Ok;
    }

    ScriptedDialogs m_dialogs;
    std::vector<BoxRequest> boxes;
    std::vector<FileDialogRequest> fileRequests;
    std::optional<QString> nextFile;
    BoxButton reply = BoxButton::Ok;
    std::unique_ptr<LoggerHarness> harness;
    // The cable of the sessions; tests put another meter behind it.
    std::shared_ptr<SwitchableBackend> m_cable = std::make_shared<SwitchableBackend>();
};

TEST_F(ImportWindowTest, EmptyWindowOffersOnlyOpenAndImport) {
    EXPECT_EQ(harness->windowTitle(), text(TextId::ImportWindowCaption));
    EXPECT_TRUE(harness->openButton->isEnabled());
    EXPECT_TRUE(harness->downloadButton->isEnabled());
    EXPECT_FALSE(harness->saveButton->isEnabled());
    EXPECT_FALSE(harness->clearButton->isEnabled());
    EXPECT_FALSE(harness->exportButton->isEnabled());
    EXPECT_FALSE(harness->menuAction(TextId::MenuFilePrintPage)->isEnabled());
    EXPECT_FALSE(harness->subDisplayButton->isEnabled());
    EXPECT_FALSE(harness->undoZoomButton->isVisible());
    EXPECT_EQ(harness->chart->pointCount(), kSessionGraphBlankPoints);

    // Clear and close on an empty window ask nothing.
    harness->clear();
    harness->show();
    EXPECT_TRUE(harness->close());
    EXPECT_TRUE(boxes.empty());

    // While the sessions are busy nothing else can start.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("e.slr"));
    ASSERT_EQ(SaveSessionFile(path, {}), SessionFileStatus::Ok);
    bool openOffered = true;
    bool printerSetupOffered = true;
    QObject::connect(&harness->sessions, &LoggerSessions::stateChanged, &harness->window, [&] {
        if (harness->sessions.isBusy()) {
            openOffered = harness->openButton->isEnabled();
            printerSetupOffered = harness->menuAction(TextId::MenuFilePrinterSetup)->isEnabled();
        }
    });
    nextFile = path;
    harness->openFile();
    EXPECT_FALSE(openOffered);
    EXPECT_FALSE(printerSetupOffered);
    EXPECT_TRUE(harness->openButton->isEnabled());
}

TEST_F(ImportWindowTest, DownloadShowsEverySessionOfTheMemory) {
    download();
    const auto expected = DemoLoggerSessions();
    const int count = static_cast<int>(expected.size());
    ASSERT_EQ(boxes.size(), 1u); // the question only
    EXPECT_EQ(boxes[0].caption, warningCaption(TextId::AskProceed));
    EXPECT_EQ(boxes[0].defaultButton, BoxButton::No);
    ASSERT_EQ(harness->data().sessionCount(), count);
    ASSERT_EQ(harness->tabCount(), count);
    EXPECT_FALSE(harness->data().isBusy());

    // The last session is on the graph and its tab is active.
    EXPECT_EQ(harness->sheetTabs->currentIndex(), count - 1);
    EXPECT_EQ(harness->sheetTabs->tabText(2), QStringLiteral("Session3"));
    EXPECT_EQ(harness->data().currentSession(), count - 1);
    EXPECT_TRUE(harness->saveButton->isEnabled());
    EXPECT_TRUE(harness->previousPageButton->isEnabled());
    EXPECT_FALSE(harness->nextPageButton->isEnabled());

    bool sawOhm = false, sawNoSub = false;
    for (int s = 0; s < count; ++s) {
        const QAbstractItemModel* m = harness->grid(s)->model();
        const auto n = static_cast<int>(expected[static_cast<std::size_t>(s)].main.size());
        ASSERT_EQ(m->rowCount(), n + 1) << s; // one empty last row
        EXPECT_EQ(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Main-Data"));
        EXPECT_EQ(cell(*harness, s, 0, 0), QStringLiteral("1"));
        EXPECT_TRUE(cell(*harness, s, n, 0).isEmpty());
        const SampleEntry& first = harness->data().session(s)[0];
        if (first.hasSub == 0) {
            sawNoSub = true;
            EXPECT_TRUE(cell(*harness, s, 0, 3).isEmpty());
        }
        if (first.main.function() == 0x80 || first.main.function() == 0x180) {
            sawOhm = true;
            EXPECT_TRUE(cell(*harness, s, 0, 2).endsWith(QStringLiteral(" Ohm"))) << s;
        }
    }
    EXPECT_TRUE(sawOhm);
    EXPECT_TRUE(sawNoSub);

    // Paging: past the ends only a warning; the tabs stay where they are.
    harness->showNextPage();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes.back().caption, warningCaption(TextId::AtLastPage));
    harness->showFirstPage();
    EXPECT_EQ(harness->data().currentSession(), 0);
    EXPECT_EQ(harness->sheetTabs->currentIndex(), count - 1);
    EXPECT_FALSE(harness->firstPageButton->isEnabled());
    harness->showPreviousPage();
    EXPECT_EQ(boxes.back().caption, warningCaption(TextId::AtFirstPage));
    harness->showNextPage();
    EXPECT_EQ(harness->data().currentSession(), 1);

    // The read-out follows the cursor, which sits on the last point after drawing.
    const int s = harness->data().currentSession();
    const int lastRow = static_cast<int>(harness->data().session(s).size());
    EXPECT_EQ(harness->mainCursorReading->text(), cell(*harness, s, lastRow - 1, 2));
    EXPECT_EQ(harness->mainCursorTime->text(), cell(*harness, s, lastRow - 1, 1));
}

TEST_F(ImportWindowTest, LongSessionIsReducedAndSubDataCanBePlotted) {
    download();
    int longSession = -1, subSession = -1;
    for (int s = 0; s < harness->data().sessionCount(); ++s) {
        if (harness->data().session(s).size() >= 8192)
            longSession = s;
        if (harness->data().session(s)[0].hasSub != 0 && harness->data().session(s).size() < 8192)
            subSession = s;
    }
    ASSERT_GE(longSession, 0);
    ASSERT_GE(subSession, 0);
    harness->drawSession(longSession);
    EXPECT_FALSE(harness->plot().direct);
    EXPECT_GE(harness->chart->pointCount(), 8192);
    EXPECT_LE(harness->chart->pointCount(), 12286);
    EXPECT_EQ(harness->chart->cursorPoint(), harness->chart->pointCount() - 1);

    harness->subDisplayButton->setEnabled(true);
    harness->subDisplayButton->setChecked(true);
    harness->drawSession(subSession);
    EXPECT_TRUE(harness->plot().direct);
    EXPECT_TRUE(harness->subDisplayButton->isChecked());
    EXPECT_FLOAT_EQ(harness->chart->value(0), harness->data().session(subSession)[0].sub.value);
    EXPECT_FALSE(harness->subMaximumReading->text().isEmpty());
    EXPECT_FALSE(harness->mainMaximumReading->text().isEmpty());
}

TEST_F(ImportWindowTest, FailedOrAbortedDownloadLeavesAnEmptyWindow) {
    download();
    ASSERT_GT(harness->data().sessionCount(), 0);
    boxes.clear();

    // A checksum that stays wrong: TransmissionTimeout, and the sessions held before are gone.
    auto m = meter();
    m->corruptNextChecksums(1000);
    reply = BoxButton::Yes;
    harness->download();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, errorCaption(TextId::TransmissionTimeout));
    EXPECT_TRUE(boxes[1].text.startsWith(text(TextId::TransmissionTimeout)));
    EXPECT_TRUE(harness->data().isEmpty());
    EXPECT_EQ(harness->tabCount(), 0);
    EXPECT_FALSE(harness->data().isBusy());
    EXPECT_TRUE(harness->downloadButton->isEnabled());

    // Abort pressed in the progress window while the blocks arrive: the worker is
    // held at a block until Abort has been pressed; empty window, no message, the
    // progress window gone.
    boxes.clear();
    auto gated = std::make_shared<GatedMeter>(meter());
    m_cable->use(gated);
    ProgressWindow& progress = harness->window.progressWindow();
    bool abortEnabled = false;
    QObject::connect(
        &harness->sessions.job(), &Job::progressed, &harness->window,
        [&] {
            if (!progress.isVisible() || abortEnabled)
                return;
            abortEnabled = progress.isAbortEnabled();
            gated->waitAtGate();
            progress.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
            gated->release();
        },
        Qt::QueuedConnection);
    gated->gateAt(200);
    QSignalSpy finished(&harness->sessions, &LoggerSessions::downloadFinished);
    harness->download();
    EXPECT_TRUE(abortEnabled);
    EXPECT_EQ(finished.last().at(0).value<DownloadResult::Status>(),
              DownloadResult::Status::Aborted);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(harness->data().isEmpty());
    EXPECT_EQ(harness->tabCount(), 0);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(harness->data().isBusy());
    EXPECT_TRUE(harness->downloadButton->isEnabled());

    // No cable: CableNotFound before anything is asked.
    boxes.clear();
    m_cable->use(std::make_shared<SimulatedMeter>(SimScenario::NoCable, false));
    harness->download();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, errorCaption(TextId::CableNotFound));
}

TEST_F(ImportWindowTest, RecorderOpensTheWindowModallyAndItStartsEmptyAgain) {
    QTemporaryDir recorderDir;
    RecorderController controller(DecodedReplySource{}, recorderDir.path());
    RecorderWindow recorder(m_dialogs, controller);
    // What the owner of both windows connects.
    QObject::connect(&recorder, &RecorderWindow::importRequested, &harness->window, [&] {
        harness->window.setWindowModality(Qt::ApplicationModal);
        harness->window.show();
    });
    recorder.requestImport();
    const bool modal = harness->isVisible() && harness->window.isModal();
    download();
    const int sessions = harness->data().sessionCount();
    reply = BoxButton::No; // leave without saving
    harness->close();
    EXPECT_TRUE(modal);
    EXPECT_GT(sessions, 0);
    EXPECT_FALSE(harness->isVisible());
    EXPECT_TRUE(harness->data().isEmpty());
    EXPECT_EQ(harness->tabCount(), 0);
}

TEST_F(ImportWindowTest, FlakyMeterGivesAllSessionsOrAnEmptyWindow) {
    // Seeds where the flaky meter's misbehaviour is recovered and seeds where the
    // download ends with an error box: both must occur. A recovered download shows
    // every session; a failed one leaves the window empty, except that a reply cut
    // short at the first look (a meter without a logger) changes nothing.
    int done = 0;
    int failed = 0;
    for (std::uint32_t seed = 1; seed <= 40 && (done == 0 || failed == 0); ++seed) {
        auto meter = std::make_shared<SimulatedMeter>(SimScenario::Flaky, false);
        meter->setRandomSeed(seed);
        m_cable->use(meter);
        boxes.clear();
        reply = BoxButton::Yes;
        const int before = harness->data().sessionCount();
        harness->download();
        EXPECT_FALSE(harness->data().isBusy()) << "seed " << seed;
        const bool errorShown = !boxes.empty() && boxes.back().caption.startsWith("Error[");
        if (errorShown) {
            ++failed;
            const bool firstLook = boxes.back().caption == errorCaption(TextId::MeterOffOrNoLogger);
            EXPECT_EQ(harness->data().sessionCount(), firstLook ? before : 0) << "seed " << seed;
            EXPECT_EQ(harness->tabCount(), harness->data().sessionCount()) << "seed " << seed;
        } else {
            ++done;
            EXPECT_EQ(harness->data().sessionCount(), static_cast<int>(DemoLoggerSessions().size()))
                << "seed " << seed;
            EXPECT_EQ(harness->tabCount(), harness->data().sessionCount()) << "seed " << seed;
        }
    }
    EXPECT_GT(done, 0);
    EXPECT_GT(failed, 0);
}

TEST_F(ImportWindowTest, DecliningKeepsTheSessions) {
    download();
    const int count = harness->data().sessionCount();
    meter();
    reply = BoxButton::No;
    harness->download();
    EXPECT_EQ(harness->data().sessionCount(), count);
    EXPECT_EQ(harness->tabCount(), count);
}

TEST_F(ImportWindowTest, SaveOpenClearAndCloseQuery) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.slr"));
    download();
    const int count = harness->data().sessionCount();
    harness->show();

    // Unsaved import: the close asks; Cancel keeps the window open.
    boxes.clear();
    reply = BoxButton::Cancel;
    EXPECT_FALSE(harness->close());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, warningCaption(TextId::BufferHasData));
    EXPECT_EQ(boxes[0].text,
              text(TextId::BufferHasData) + QStringLiteral("\n") + text(TextId::AskSaveBeforeExit));
    // Yes with a cancelled save dialog keeps it open as well.
    reply = BoxButton::Yes;
    nextFile.reset();
    EXPECT_FALSE(harness->close());

    nextFile = path;
    ASSERT_TRUE(harness->saveFile());
    EXPECT_EQ(fileRequests.back().fileName, QStringLiteral("Untitled.slr"));
    EXPECT_TRUE(harness->data().isSaved());
    const std::string before = SessionsText(harness->data().sessions(), 1, 999);

    // Clear asks AskClearBuffer; Cancel keeps the data, OK empties the window.
    boxes.clear();
    reply = BoxButton::Cancel;
    harness->clear();
    EXPECT_EQ(harness->tabCount(), count);
    reply = BoxButton::Ok;
    harness->clear();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, warningCaption(TextId::AskClearBuffer));
    EXPECT_EQ(harness->tabCount(), 0);
    EXPECT_TRUE(harness->data().isEmpty());
    EXPECT_TRUE(harness->mainCursorReading->text().isEmpty());
    EXPECT_TRUE(harness->mainMaximumReading->text().isEmpty());

    // Open brings the same sessions back, saved: the close asks nothing.
    nextFile = path;
    harness->openFile();
    ASSERT_EQ(harness->tabCount(), count);
    EXPECT_EQ(SessionsText(harness->data().sessions(), 1, 999), before);
    EXPECT_EQ(harness->data().currentSession(), count - 1);
    boxes.clear();
    EXPECT_TRUE(harness->close());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(harness->tabCount(), 0); // closing discards the sessions

    // A damaged file: FileOpenError and an empty window.
    QFile bad(path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("\x02\x00\x00\x00\x05\x00", 6);
    bad.close();
    harness->openFile();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, errorCaption(TextId::FileOpenError));
    EXPECT_EQ(harness->tabCount(), 0);
    EXPECT_TRUE(harness->data().isEmpty());
}

TEST_F(ImportWindowTest, ExportsTextAndPictures) {
    QTemporaryDir dir;
    download();
    const int count = harness->data().sessionCount();
    const QString text = dir.filePath(QStringLiteral("all.csv"));
    // A range past the sessions is clamped to them.
    ASSERT_TRUE(harness->exportTextRange(text, 0, count + 5));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), SessionsText(harness->data().sessions(), 1, count));

    const QString png = dir.filePath(QStringLiteral("g.png"));
    harness->exportPictures(1, 1, 1, 1, png, 640, 400);
    QImage image(png);
    EXPECT_EQ(image.size(), QSize(640, 400));
    // The graph shows the current session again afterwards.
    EXPECT_EQ(harness->plot().points,
              static_cast<int>(harness->data().session(count - 1).size()) >= 8192
                  ? harness->plot().points
                  : static_cast<int>(harness->data().session(count - 1).size()));

    if (qEnvironmentVariableIsSet("TELMORA_IMPORT_SHOT")) {
        harness->showFirstPage();
        harness->resize(1400, 850);
        QCoreApplication::processEvents();
        const QString shot = qEnvironmentVariable("TELMORA_IMPORT_SHOT");
        harness->grab().save(shot);
        // The longest session, reduced, with its sub values when it has them.
        int longest = 0;
        for (int s = 1; s < count; ++s)
            if (harness->data().session(s).size() > harness->data().session(longest).size())
                longest = s;
        harness->showLastPage();
        while (harness->data().currentSession() != longest)
            harness->showPreviousPage();
        if (harness->subDisplayButton->isEnabled()) {
            harness->subDisplayButton->setChecked(true);
            harness->chooseSubDisplay();
        }
        QCoreApplication::processEvents();
        harness->grab().save(
            QString(shot).replace(QStringLiteral(".png"), QStringLiteral("-long.png")));
    }
}

TEST_F(ImportWindowTest, ExportDialogIsPreparedAndItsChoiceCarriedOut) {
    QTemporaryDir dir;
    download();
    const int count = harness->data().sessionCount();
    const QString path = dir.filePath(QStringLiteral("pages.csv"));
    bool prepared = false;
    auto choose = [&](bool withName) {
        m_dialogs.onDialog = [&, withName](QDialog& shown) {
            auto* dlg = qobject_cast<ExportDialog*>(&shown);
            EXPECT_NE(dlg, nullptr);
            if (dlg == nullptr)
                return false;
            prepared = dlg->exportType() == ExportType::Text &&
                       dlg->pageScope() == PageScope::ThisPage && dlg->pageFrom() == 1 &&
                       dlg->pageTo() == count && dlg->fileName().isEmpty();
            dlg->selectPageScope(PageScope::Range);
            dlg->setPageRange(2, 3);
            if (withName)
                dlg->setFileName(path);
            return true;
        };
        harness->exportText();
    };
    choose(false);
    EXPECT_TRUE(prepared);
    ASSERT_EQ(boxes.size(), 2u); // the question, then BrowseForFileName
    EXPECT_EQ(boxes[1].caption, errorCaption(TextId::BrowseForFileName));
    EXPECT_FALSE(QFile::exists(path));

    choose(true);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), SessionsText(harness->data().sessions(), 2, 3));
}

// --- the session graph rules ---

TEST(SessionGraphTest, YRangeGrowsByAThird) {
    SessionPlot p;
    p.extendRange(10.0f, 0);
    EXPECT_FLOAT_EQ(p.upper, 13.3f);
    EXPECT_FLOAT_EQ(p.lower, -13.3f);
    p.extendRange(5.0f, 1);
    EXPECT_FLOAT_EQ(p.upper, 13.3f);
    p.extendRange(20.0f, 2);
    EXPECT_FLOAT_EQ(p.upper, 26.6f);
    EXPECT_FLOAT_EQ(p.lower, -13.3f);
    p.extendRange(-30.0f, 3);
    EXPECT_FLOAT_EQ(p.lower, -39.9f);
    p.extendRange(0.0f, 0);
    EXPECT_FLOAT_EQ(p.upper, 1.0f);
    EXPECT_FLOAT_EQ(p.lower, -1.0f);
}

TEST(SessionGraphTest, ReductionBoundsAndOrder) {
    auto session = [](std::size_t n, auto value) {
        SampleList list;
        for (std::size_t i = 0; i < n; ++i)
            list.append(sample(value(i)));
        return list;
    };
    SessionPlot p;
    ChooseSessionPoints(p, session(8191, [](std::size_t) { return 1.0f; }), false);
    EXPECT_TRUE(p.direct);
    EXPECT_EQ(p.points, 8191);
    EXPECT_EQ(p.sampleOfPoint(8190), 8190);
    EXPECT_EQ(p.sampleOfPoint(8191), -1);

    // Equal values: each bucket start twice.
    ChooseSessionPoints(p, session(8192, [](std::size_t) { return 1.0f; }), false);
    EXPECT_FALSE(p.direct);
    ASSERT_EQ(p.points, 8192);
    EXPECT_EQ(p.indexes[0], 0);
    EXPECT_EQ(p.indexes[1], 0);
    EXPECT_EQ(p.indexes[2], 2);

    // k = 3, N mod 3 = 1: the last sample is left out. A bucket falling then
    // rising lists its minimum (the smaller index) first.
    const float values[] = {5.0f, 1.0f, 9.0f};
    ChooseSessionPoints(p, session(12289, [&](std::size_t i) { return values[i % 3]; }), false);
    EXPECT_EQ(p.points, 8192);
    EXPECT_EQ(p.indexes[0], 1);
    EXPECT_EQ(p.indexes[1], 2);
    EXPECT_EQ(p.indexes.back(), 12287);

    // The sub values decide when the sub data are plotted.
    SampleList mixed;
    for (std::size_t i = 0; i < 8192; ++i)
        mixed.append(sample(i % 2 == 0 ? 1.0f : 0.0f, true, i % 2 == 0 ? 0.0f : 1.0f));
    ChooseSessionPoints(p, mixed, true);
    EXPECT_EQ(p.indexes[0], 0);
    EXPECT_EQ(p.indexes[1], 1);
}

TEST(SessionGraphTest, LastOfEqualExtremesWins) {
    std::int64_t hi = 5, lo = 5;
    TrackExtreme(hi, lo, 0, 3.0f, 0.0f, 0.0f);
    EXPECT_EQ(hi, 0);
    EXPECT_EQ(lo, 0);
    TrackExtreme(hi, lo, 1, 3.0f, 3.0f, 3.0f);
    EXPECT_EQ(hi, 1);
    EXPECT_EQ(lo, 0);
    TrackExtreme(hi, lo, 2, 2.0f, 3.0f, 3.0f);
    EXPECT_EQ(lo, 2);
}

} // namespace
