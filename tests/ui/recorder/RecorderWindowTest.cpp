#include "ui/recorder/RecorderWindow.h"
#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "ScriptedDialogs.h"
#include "recorderwindowprobe.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/recordertext.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/StatisticsPanel.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalDialog.h"
#include "ui/recorder/recordertraces.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <vector>

#include <unistd.h>

using namespace telmora;

namespace {

// The meter link the recorder under test samples.
FakeLiveSource g_live;

void publishVolts(double value, bool lowBattery = false, bool withSub = false) {
    DecodedReply r;
    char text[16];
    std::snprintf(text, sizeof text, "%6.3f", value);
    r.main = MeasureDisplay(text, value < 0, 0x6 | (lowBattery ? 0x80000000u : 0u), 0,
                            DisplayKind::Main);
    r.lowBattery = lowBattery;
    if (withSub)
        r.sub = MeasureDisplay("60.00", false, 0x400, 0, DisplayKind::Sub);
    g_live.reading = r;
    g_live.valid = true;
}

// A recorder with its data list, linked to a simulated reading, boxes answered.
struct RecorderFixture : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::vector<BoxRequest> boxes;
    BoxButton answer = BoxButton::Ok;
    std::unique_ptr<RecorderController> controller;
    std::unique_ptr<DataListWindow> list;
    std::unique_ptr<RecorderWindow> form;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        g_live = FakeLiveSource{};
        dialogs.onBox = [this](const BoxRequest& r) {
            boxes.push_back(r);
            return answer;
        };
        controller = std::make_unique<RecorderController>(ReadingsOf(g_live), dir.path());
        list = std::make_unique<DataListWindow>(dialogs, controller.get());
        form = std::make_unique<RecorderWindow>(dialogs, *controller);
    }
    void TearDown() override {
        form.reset();
        list.reset();
        controller.reset();
        g_live = FakeLiveSource{};
    }
    void start() { probe().button("startRecordingButton").click(); }
    void samples(int n, double base = 0.0) {
        for (int i = 0; i < n; ++i) {
            publishVolts(base + (i % 50) * 0.1 - 2.0);
            form->controller().takeScheduledSample();
        }
    }
    void openFile() {
        QSignalSpy done(&form->controller(), &RecorderController::loadFinished);
        form->openRecording();
        if (form->controller().isBusy()) {
            ASSERT_TRUE(done.wait(10000));
        }
    }
    QTimer* samplingTimer() const {
        return controller->findChild<QTimer*>(QStringLiteral("samplingTimer"));
    }
    RecorderWindowProbe probe() const { return RecorderWindowProbe(*form); }
};

} // namespace

TEST_F(RecorderFixture, StartNeedsTheLink) {
    start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error[E9002]");
    EXPECT_EQ(boxes[0].text, text(TextId::LinkBeforeLogging));
    EXPECT_TRUE(probe().button("stopRecordingButton").isChecked());
    EXPECT_FALSE(form->controller().isRecording());
    form->takeManualSample();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(form->recording().isEmpty());
}

TEST_F(RecorderFixture, RecordingFillsBufferFileGraphListAndPages) {
    g_live.linked = true;
    start();
    ASSERT_TRUE(form->controller().isRecording());
    EXPECT_EQ(probe().text("StatusLogging"), text(TextId::StatusDataLogging));
    EXPECT_FALSE(probe().button("clearButton").isEnabled());
    EXPECT_FALSE(probe().button("intervalButton").isEnabled());

    // A tick without a valid reading takes nothing.
    g_live.valid = false;
    form->controller().takeScheduledSample();
    EXPECT_TRUE(form->recording().isEmpty());

    samples(1);
    EXPECT_TRUE(probe().text("MaxDataPanel").isEmpty()); // extremes show from the second sample
    samples(199);
    EXPECT_EQ(form->controller().lastPage(), 1);
    EXPECT_FALSE(probe().text("MaxDataPanel").isEmpty());
    samples(1);
    EXPECT_EQ(form->recording().sampleCount(), 201);
    EXPECT_EQ(form->controller().lastPage(), 2);
    EXPECT_EQ(probe().text("StatusSampleCount"), "Data in buffer : 201");
    EXPECT_EQ(probe().text("StatusPage"), "Page : 2 of 2");
    EXPECT_EQ(probe().chart().cursorPoint(), 199);
    EXPECT_FALSE(probe().text("ReadingDataPanel").isEmpty());
    EXPECT_EQ(probe().chart().yAxisLabel(), "Reading(V)");

    // Every sample is already on disk, in buffer order.
    const QString tmp = form->controller().temporaryFilePath();
    EXPECT_EQ(QFileInfo(tmp).size(), qint64(201 * kSampleSize));

    // The data list got one line per sample.
    EXPECT_EQ(list->lineCount(), 201);
    EXPECT_TRUE(list->lineText(1, 0).startsWith("1,"));
    EXPECT_TRUE(list->lineText(1, 200).contains(" V  [DC], "));

    probe().button("stopRecordingButton").click();
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(probe().text("StatusLogging").isEmpty());
    EXPECT_TRUE(probe().button("previousPageButton").isEnabled());
    EXPECT_FALSE(probe().button("nextPageButton").isEnabled());

    // Page 1 holds only the oldest sample, right-aligned.
    form->showPreviousPage();
    EXPECT_EQ(form->controller().currentPage(), 1);
    EXPECT_EQ(probe().text("StatusPage"), "Page : 1 of 2");
    EXPECT_EQ(probe().chart().value(199), form->recording().sampleAt(0).main.value);
    EXPECT_EQ(probe().chart().value(198), -99999.0f);
    probe().chart().setCursorPoint(198);
    emit probe().chart().cursorMoved(198);
    EXPECT_TRUE(probe().text("ReadingDataPanel").isEmpty());
    EXPECT_FALSE(probe().button("previousPageButton").isEnabled());
    EXPECT_TRUE(probe().button("nextPageButton").isEnabled());

    // Paging past the ends only informs.
    const std::size_t before = boxes.size();
    form->showPreviousPage();
    ASSERT_EQ(boxes.size(), before + 1);
    EXPECT_EQ(boxes.back().caption, "Warning[W8008]");
    form->showLastPage();
    form->showNextPage();
    EXPECT_EQ(boxes.back().caption, "Warning[W8009]");

    // A sample taken while an earlier page is shown brings the view back.
    form->showFirstPage();
    g_live.linked = true;
    form->controller().setAcquisition(AcquisitionMode::Manual, 500);
    form->takeManualSample();
    QApplication::processEvents();
    EXPECT_EQ(form->controller().currentPage(), form->controller().lastPage());
    EXPECT_EQ(form->recording().sampleCount(), 202);
    EXPECT_EQ(list->lineCount(), 202);
}

TEST_F(RecorderFixture, StatusShowsTheIntervalAndModeDrivesTheButtons) {
    EXPECT_EQ(probe().text("StatusInterval"), text(TextId::IntervalFullSpeed));
    form->controller().setAcquisition(AcquisitionMode::Automatic, 5000);
    EXPECT_EQ(probe().text("StatusInterval"), "Interval in second(s):5S");
    EXPECT_TRUE(probe().button("startRecordingButton").isEnabled());
    EXPECT_FALSE(probe().button("takeSampleButton").isEnabled());
    form->controller().setAcquisition(AcquisitionMode::Manual, 5000);
    EXPECT_EQ(probe().text("StatusInterval"), text(TextId::IntervalManual));
    EXPECT_FALSE(probe().button("startRecordingButton").isEnabled());
    EXPECT_TRUE(probe().button("takeSampleButton").isEnabled());
    EXPECT_FALSE(probe().button("saveButton").isEnabled()); // nothing to save yet
    QSignalSpy saved(controller.get(), &RecorderController::saveFinished);
    controller->startSave(dir.filePath("busy.g53")); // busy until its result is delivered
    EXPECT_FALSE(probe().button("takeSampleButton").isEnabled());
    EXPECT_FALSE(probe().button("openButton").isEnabled());
    ASSERT_TRUE(saved.wait());
    EXPECT_TRUE(probe().button("takeSampleButton").isEnabled());
}

// The Save command runs the save as a job: it returns with the save still running,
// the window goes on answering (a timer fires) while the file is written, and the
// end comes by signal; a close waiting for it can then go on.
TEST_F(RecorderFixture, SaveCommandLeavesTheWindowAnsweringWhileItWrites) {
    SampleList many;
    for (int i = 0; i < 60000; ++i) {
        SampleEntry e;
        e.main.value = float(i % 100);
        e.main.functionCode = 0x6;
        e.main.displayText.assign(std::to_string(i % 100));
        e.main.unitText.assign("V");
        many.append(e);
    }
    const QString opened = dir.filePath(QStringLiteral("opened.g53"));
    ASSERT_TRUE(SaveRecorderFile(opened, many));
    QSignalSpy loaded(controller.get(), &RecorderController::loadFinished);
    ASSERT_TRUE(form->loadRecording(opened));
    ASSERT_TRUE(loaded.wait());
    const QString target = dir.filePath(QStringLiteral("large.g53"));
    dialogs.onFile = [&](const FileDialogRequest&) { return std::optional(target); };
    QSignalSpy ended(form.get(), &RecorderWindow::saveCommandFinished);
    int ticks = 0;
    int ticksAtEnd = -1;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    QObject::connect(form.get(), &RecorderWindow::saveCommandFinished, [&] { ticksAtEnd = ticks; });
    ticker.start();
    form->saveCommand();
    dialogs.onFile = nullptr;
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(form->saveCommandRunning());
    EXPECT_TRUE(controller->isBusy());
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_GT(ticksAtEnd, 0) << "the event loop ran while the file was written";
    EXPECT_TRUE(ended.last().at(0).toBool());
    EXPECT_FALSE(form->saveCommandRunning());
    EXPECT_FALSE(form->hasUnsavedData());
    EXPECT_EQ(QFileInfo(target).size(), 4 + 169 * qint64(60000));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(RecorderFixture, ClearAsksOnlyForUnsavedDataAndResetsEverything) {
    form->clearRecording(); // empty: nothing asked
    EXPECT_TRUE(boxes.empty());

    g_live.linked = true;
    form->controller().setAcquisition(AcquisitionMode::Manual, 500);
    samples(0);
    for (int i = 0; i < 3; ++i) {
        publishVolts(i, false, true);
        form->takeManualSample();
    }
    QApplication::processEvents();
    EXPECT_EQ(list->lineCount(), 3);
    EXPECT_TRUE(form->hasUnsavedData());
    // Manual samples are mirrored to a temporary file as well.
    EXPECT_EQ(QFileInfo(form->controller().temporaryFilePath()).size(), qint64(3 * kSampleSize));

    answer = BoxButton::Cancel;
    form->clearRecording();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning[W8002]");
    EXPECT_EQ(boxes[0].defaultButton, BoxButton::Cancel);
    EXPECT_EQ(form->recording().sampleCount(), 3);

    answer = BoxButton::Ok;
    form->clearRecording();
    EXPECT_TRUE(form->recording().isEmpty());
    EXPECT_EQ(list->lineCount(), 0);
    EXPECT_EQ(list->pageCount(), 1);
    EXPECT_EQ(probe().text("StatusSampleCount"), "Data in buffer : 0");
    EXPECT_TRUE(probe().text("MaxDataPanel").isEmpty());
    EXPECT_EQ(probe().chart().value(199), -99999.0f);

    // A save whose file dialog is cancelled reports that nothing was saved.
    form->takeManualSample();
    dialogs.onFile = [](const FileDialogRequest&) { return std::optional<QString>(); };
    EXPECT_FALSE(RunSaveCommand(*form));
    dialogs.onFile = nullptr;
    EXPECT_TRUE(form->hasUnsavedData());
}

TEST_F(RecorderFixture, LinkEndAndLowBatteryStopTheRecording) {
    g_live.linked = true;
    start();
    samples(5);
    form->controller().linkEnded();
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(probe().button("stopRecordingButton").isChecked());
    EXPECT_FALSE(samplingTimer()->isActive());

    // Low battery: the notice comes once when it appears, stays out of the way and
    // every scheduled sample is still taken while it is up.
    QSignalSpy appeared(controller.get(), &RecorderController::lowBatteryAppeared);
    start();
    for (int i = 0; i < 4; ++i) {
        publishVolts(1.0, true);
        form->controller().takeScheduledSample();
    }
    EXPECT_EQ(form->recording().sampleCount(), 9);
    EXPECT_EQ(appeared.count(), 1);
    CountdownNotice& notice = form->lowBatteryNotice();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the notice does not block";
    EXPECT_EQ(notice.windowTitle(), "Warning[W8000]");
    EXPECT_TRUE(samplingTimer()->isActive());

    // Cleared and back again: told again. Continue lets the recording go on.
    publishVolts(1.0, false);
    form->controller().takeScheduledSample();
    publishVolts(1.0, true);
    form->controller().takeScheduledSample();
    EXPECT_EQ(appeared.count(), 2);
    notice.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    EXPECT_FALSE(notice.isVisible());
    EXPECT_TRUE(form->controller().isRecording());

    // Abort stops the recording and keeps what was sampled.
    form->controller().stopRecording();
    start();
    publishVolts(1.0, true);
    form->controller().takeScheduledSample();
    EXPECT_EQ(appeared.count(), 3) << "a new recording tells again";
    notice.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(probe().button("stopRecordingButton").isChecked());
    EXPECT_EQ(form->recording().sampleCount(), 12);
}

TEST_F(RecorderFixture, TemporaryFileThatCannotBeCreatedStopsTheStart) {
    form.reset();
    list.reset();
    controller =
        std::make_unique<RecorderController>(ReadingsOf(g_live), dir.filePath("missing/sub"));
    form = std::make_unique<RecorderWindow>(dialogs, *controller);
    g_live.linked = true;
    start();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().caption, "Error[E9003]");
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(probe().button("stopRecordingButton").isChecked());
}

TEST_F(RecorderFixture, ClosingWhileRecordingAsksWhetherToGoOn) {
    g_live.linked = true;
    form->show();
    start();
    samples(3);

    // Cancel keeps the window open and the recording running.
    answer = BoxButton::Cancel;
    form->close();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning[W8016]");
    EXPECT_EQ(boxes[0].defaultButton, BoxButton::Yes);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->controller().isRecording());

    // Yes hides the window; the samples asked for are still taken.
    answer = BoxButton::Yes;
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->controller().isRecording());
    samples(2);
    EXPECT_EQ(form->recording().sampleCount(), 5);
    form->show();
    EXPECT_EQ(probe().text("StatusLogging"), text(TextId::StatusDataLogging));

    // No ends the recording and hides the window, keeping what was taken.
    answer = BoxButton::No;
    form->close();
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_EQ(form->recording().sampleCount(), 5);

    // Nothing is asked when nothing is recording.
    form->show();
    form->close();
    EXPECT_EQ(boxes.size(), 3u);
}

TEST_F(RecorderFixture, TemporaryFilesGoWithTheWindow) {
    g_live.linked = true;
    form->show();
    start();
    samples(3);
    const QString tmp = form->controller().temporaryFilePath();
    EXPECT_TRUE(QFile::exists(tmp));
    answer = BoxButton::No;
    form->close(); // stopping keeps the file
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(QFile::exists(tmp));
    form.reset(); // the files go with the recorder's controller
    list.reset();
    controller.reset();
    EXPECT_FALSE(QFile::exists(tmp));
}

TEST_F(RecorderFixture, CursorReadOutAndPagesFollowASwingingReading) {
    g_live.linked = true;
    start();
    for (int i = 0; i < 260; ++i) {
        publishVolts(5.0 * std::sin(i / 12.0) + (i > 200 ? 2.0 : 0.0), false, i % 3 == 0);
        form->controller().takeScheduledSample();
    }
    const Recording& buffer = form->recording();
    ChartWidget& chart = probe().chart();

    // The last page shows the newest 200 samples; the cursor reads the sample under it.
    EXPECT_EQ(chart.value(0), buffer.sampleAt(60).main.value);
    EXPECT_EQ(chart.value(199), buffer.sampleAt(259).main.value);
    chart.setCursorPoint(150);
    emit chart.cursorMoved(150);
    EXPECT_EQ(probe().text("TimePanel"), RecordText(buffer.sampleAt(210).main.timeText).trimmed());
    EXPECT_EQ(probe().text("ReadingDataPanel"),
              RecordText(buffer.sampleAt(210).main.displayText).trimmed());
    EXPECT_EQ(probe().text("ReadingUnitPanel"), "V");

    // The extremes are the recording's largest and smallest samples.
    const Recording& r = form->recording();
    EXPECT_EQ(probe().text("MaxDataPanel"),
              RecordText(r.mainAt(r.maxIndex()).displayText).trimmed());
    EXPECT_EQ(probe().text("MinDataPanel"),
              RecordText(r.mainAt(r.minIndex()).displayText).trimmed());
    EXPECT_GT(r.mainAt(r.maxIndex()).value, 6.5f); // after the step of +2
    EXPECT_LT(r.mainAt(r.minIndex()).value, -4.5f);

    // Stopped, page 1 holds the oldest 60 samples right-aligned after 140 empty points.
    probe().button("stopRecordingButton").click();
    form->showFirstPage();
    EXPECT_EQ(probe().text("StatusPage"), "Page : 1 of 2");
    EXPECT_EQ(chart.value(139), -99999.0f);
    EXPECT_EQ(chart.value(140), buffer.sampleAt(0).main.value);
    EXPECT_EQ(chart.pointLabel(199), RecordText(buffer.sampleAt(59).main.timeText));
    EXPECT_EQ(list->lineCount(), 260);

    // Page keys on the graph page like the buttons, but not while recording.
    emit chart.keyPressed(Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(form->controller().currentPage(), 2);
    start();
    emit chart.keyPressed(Qt::Key_PageUp, Qt::NoModifier);
    EXPECT_EQ(form->controller().currentPage(), 2);
}

TEST_F(RecorderFixture, StatisticsPanelShowsTheCursorsGroupForRecordingAndPage) {
    g_live.linked = true;
    start();
    samples(250); // -2.0 .. +2.9 V in steps of 0.1, five times
    const auto figure = [this](const char* name) { return probe().text(name); };
    EXPECT_EQ(figure("StatisticsWhole0"), "250"); // count
    EXPECT_EQ(figure("StatisticsShown0"), "200"); // the newest page
    // The display shows volts with three decimals: the figures add one digit, in
    // volts; the deviation has two significant digits.
    EXPECT_EQ(figure("StatisticsWhole1"), "0.4500 V"); // mean of -2.0 .. 2.9
    EXPECT_EQ(figure("StatisticsWhole2"), "1.4 V");
    EXPECT_EQ(figure("StatisticsWhole3"), "-2.0000 V");
    EXPECT_EQ(figure("StatisticsWhole4"), "2.9000 V");
    EXPECT_EQ(figure("StatisticsWhole5"), "0");
    auto* panel = form->findChild<QGroupBox*>(QStringLiteral("StatisticsPanel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->title(), QStringLiteral("Statistics \u2013 V DC"));

    // The older page: its 50 samples.
    form->showFirstPage();
    EXPECT_EQ(figure("StatisticsShown0"), "50");
    EXPECT_EQ(figure("StatisticsWhole0"), "250");

    // A figure can be selected (and copied) while the pointer is on it.
    auto* mean = form->findChild<QLabel*>(QStringLiteral("StatisticsWhole1"));
    ASSERT_NE(mean, nullptr);
    const Qt::TextInteractionFlags resting = mean->textInteractionFlags();
    EXPECT_FALSE(resting.testFlag(Qt::TextSelectableByMouse));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(mean, &enter);
    EXPECT_EQ(mean->textInteractionFlags(), Qt::TextSelectableByMouse);
    mean->setSelection(0, 6);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(mean, &leave);
    EXPECT_EQ(mean->selectedText(), QStringLiteral("0.4500")) << "a selection is kept";
    mean->setSelection(0, 0);
    QApplication::sendEvent(mean, &leave);
    EXPECT_EQ(mean->textInteractionFlags(), resting);

    form->controller().clear();
    EXPECT_EQ(figure("StatisticsWhole0"), QStringLiteral("\u2013"));
}

// The temporary file of a finished recording is cut short while it is shown: one
// error box, the lines the file no longer holds carry a marker, the graph has no
// points for them and the page statistics count only the samples that can be read.
TEST_F(RecorderFixture, RecordingWhoseFileIsCutShortIsToldOnceAndShowsNoInventedValues) {
    g_live.linked = true;
    start();
    const QString tmp = form->controller().temporaryFilePath();
    samples(250); // -2.0 .. +2.9 V in steps of 0.1, five times
    probe().button("stopRecordingButton").click();
    ASSERT_EQ(::truncate(QFile::encodeName(tmp).constData(), 100 * 169), 0);

    form->showFirstPage();
    form->showLastPage(); // samples 50 .. 249
    QCoreApplication::sendPostedEvents(controller.get());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, errorCaption(TextId::RecordingFileCutShort));
    EXPECT_EQ(boxes[0].text, text(TextId::RecordingFileCutShort));

    const Recording& buffer = form->recording();
    ChartWidget& chart = probe().chart();
    EXPECT_EQ(chart.value(49), buffer.valueAt(99));
    EXPECT_EQ(chart.value(50), -99999.0f);
    EXPECT_EQ(chart.value(199), -99999.0f);
    EXPECT_EQ(list->lineText(1, 99), DataListLineOf(*buffer.readSample(99), 99));
    EXPECT_EQ(list->lineText(1, 100), UnreadableDataListLine(100));
    EXPECT_EQ(list->lineText(1, 249), UnreadableDataListLine(249));

    // The cursor on a sample that can be read: the page counts its 50 readable samples,
    // the recording all 250 it took.
    chart.setCursorPoint(10);
    emit chart.cursorMoved(10);
    EXPECT_EQ(probe().text("StatisticsShown0"), "50");
    EXPECT_EQ(probe().text("StatisticsWhole0"), "250");
    // On a sample that cannot be read the read-outs show nothing.
    chart.setCursorPoint(150);
    emit chart.cursorMoved(150);
    EXPECT_EQ(probe().text("ReadingDataPanel"), QString());

    // Paging on reads the lost samples again: no second box.
    form->showFirstPage();
    form->showLastPage();
    QCoreApplication::sendPostedEvents(controller.get());
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(RecorderFixture, MenuItemsRunTheCommandsOfTheirButtons) {
    auto item = [&](TextId id) {
        for (QAction* a : form->menuBar()->findChildren<QAction*>())
            if (a->text() == text(id))
                return a;
        ADD_FAILURE() << "no menu item " << text(id).toStdString();
        return static_cast<QAction*>(nullptr);
    };
    QAction* startItem = item(TextId::MenuAcquisitionStart);
    QAction* stopItem = item(TextId::MenuAcquisitionStop);
    ASSERT_TRUE(startItem && stopItem);
    EXPECT_EQ(startItem->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(stopItem->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_TRUE(startItem->isEnabled());
    EXPECT_FALSE(stopItem->isEnabled());

    g_live.linked = true;
    startItem->trigger();
    EXPECT_TRUE(form->controller().isRecording());
    EXPECT_TRUE(probe().button("startRecordingButton").isChecked());
    EXPECT_FALSE(startItem->isEnabled());
    EXPECT_TRUE(stopItem->isEnabled());
    samples(201);
    stopItem->trigger();
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(probe().button("stopRecordingButton").isChecked());

    // With two pages, Fit All asks the owner for the overview; Undo Zoom starts disabled.
    QSignalSpy overview(form.get(), &RecorderWindow::overviewRequested);
    item(TextId::MenuViewFitAll)->trigger();
    probe().button("fitViewButton").click();
    EXPECT_EQ(overview.count(), 2);
    EXPECT_FALSE(item(TextId::MenuViewUndoZoom)->isEnabled());
    EXPECT_FALSE(probe().button("undoZoomButton").isEnabled());
    emit probe().chart().zoomed();
    EXPECT_TRUE(item(TextId::MenuViewUndoZoom)->isEnabled());
    probe().button("undoZoomButton").click();
    EXPECT_FALSE(item(TextId::MenuViewUndoZoom)->isEnabled());
}

// Fit all data is there from the second sample on, a recording shorter than one
// page included, and not while recording.
TEST_F(RecorderFixture, FitAllDataFromTheSecondSample) {
    QAction* fitItem = nullptr;
    for (QAction* a : form->menuBar()->findChildren<QAction*>())
        if (a->text() == text(TextId::MenuViewFitAll))
            fitItem = a;
    ASSERT_NE(fitItem, nullptr);
    QToolButton& fitButton = probe().button("fitViewButton");
    const auto fitEnabled = [&] {
        EXPECT_EQ(fitItem->isEnabled(), fitButton.isEnabled());
        return fitButton.isEnabled();
    };
    EXPECT_FALSE(fitEnabled());

    g_live.linked = true;
    form->controller().setAcquisition(AcquisitionMode::Manual, 500);
    publishVolts(1.0);
    form->takeManualSample();
    EXPECT_FALSE(fitEnabled());
    publishVolts(2.0);
    form->takeManualSample();
    EXPECT_EQ(form->controller().lastPage(), 1);
    EXPECT_TRUE(fitEnabled());
    QSignalSpy overview(form.get(), &RecorderWindow::overviewRequested);
    fitButton.click();
    EXPECT_EQ(overview.count(), 1);

    form->controller().setAcquisition(AcquisitionMode::Automatic, 1000);
    start();
    ASSERT_TRUE(form->controller().isRecording());
    samples(2);
    EXPECT_FALSE(fitEnabled());
    probe().button("stopRecordingButton").click();
    EXPECT_TRUE(fitEnabled());

    answer = BoxButton::Ok;
    form->clearRecording();
    EXPECT_TRUE(form->recording().isEmpty());
    EXPECT_FALSE(fitEnabled());
}

TEST(StatisticsFigures, WrittenInTheDisplaysPrefixAndResolution) {
    const QString ohm = QStringLiteral("\u03A9");
    EXPECT_EQ(StatisticsPanel::formatInPrefix(4770.0, ohm, 3, 4), "4.7700 k" + ohm);
    EXPECT_EQ(StatisticsPanel::formatInPrefix(22.0, QStringLiteral("\u00B0C"), 0, 2),
              QStringLiteral("22.00 \u00B0C"));
    EXPECT_EQ(StatisticsPanel::formatInPrefix(0.999, QStringLiteral("V"), -3, 2), "999.00 mV");
    EXPECT_EQ(StatisticsPanel::twoSignificantDecimals(12.3, 3), 3);  // 0.012 k
    EXPECT_EQ(StatisticsPanel::twoSignificantDecimals(1.44, 0), 1);  // 1.4
    EXPECT_EQ(StatisticsPanel::twoSignificantDecimals(250.0, 0), 0); // 250
    EXPECT_EQ(StatisticsPanel::twoSignificantDecimals(0.0, 0), 0);
}

TEST(DataList, LinesAndPagesOf32000) {
    Recording recording;
    SampleEntry e;
    e.main.timeText.assign(" 14:05:09.3");
    e.main.displayText.assign("1.234");
    e.main.prefixText.assign("m");
    e.main.unitText.assign("V");
    e.main.modeText.assign("DC");
    for (int i = 0; i < 32001; ++i) {
        SampleEntry s = e;
        if (i == 5) {
            s.main.functionCode = 0x80;
            s.main.unitText.assign("W");
            s.hasSub = 1;
            s.sub.displayText.assign("60.00");
            s.sub.unitText.assign("Hz");
            s.sub.modeText.assign("AC");
        }
        recording.addSample(s);
    }

    ScriptedDialogs dialogs;
    DataListWindow list(dialogs);
    list.setRecording(&recording);
    list.addLine(0);
    EXPECT_EQ(list.lineText(1, 0), "1, 14:05:09.3,1.234 mV  [DC], ");
    list.addLine(31999); // lines 2..32000 are filled in as well
    EXPECT_EQ(list.lineCount(), 32000);
    EXPECT_EQ(list.lineText(1, 5), "6, 14:05:09.3,1.234 mOhm  [DC],60.00 Hz  [AC]");
    EXPECT_EQ(list.lineText(1, 31999).left(6), "32000,");
    EXPECT_EQ(list.pageCount(), 2); // page 2 opens as soon as page 1 is full
    EXPECT_EQ(list.currentPageNumber(), 2);
    list.addLine(32000);
    EXPECT_EQ(list.lineText(2, 0).left(6), "32001,");
    EXPECT_EQ(list.findChild<QTabWidget*>(QStringLiteral("sheetTabs"))->tabText(1), "Sheet2");
    EXPECT_EQ(list.findChild<QTabWidget*>(QStringLiteral("sheetTabs"))->widget(1)->objectName(),
              "tsSheet2");

    list.addLine(7);     // already listed: ignored
    list.addLine(99999); // past the buffer: ignored
    EXPECT_EQ(list.lineCount(), 32001);

    // Jumps: to a sample on another page, past either end, and by the keys.
    auto* tabs = list.findChild<QTabWidget*>(QStringLiteral("sheetTabs"));
    EXPECT_TRUE(list.goToSample(6));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(list.selectedSample(), 6);
    EXPECT_TRUE(list.goToSample(1'000'000));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(list.selectedSample(), 32001);
    dialogs.numberAnswers.push_back(31999);
    list.findChild<QToolButton*>(QStringLiteral("goToSampleButton"))->click();
    ASSERT_EQ(dialogs.numbers.size(), 1u);
    EXPECT_EQ(dialogs.numbers[0].owner, &list);
    EXPECT_EQ(dialogs.numbers[0].value, 32001) << "offered: the selected sample";
    EXPECT_EQ(dialogs.numbers[0].minimum, 1);
    EXPECT_EQ(dialogs.numbers[0].maximum, 32001);
    EXPECT_EQ(list.selectedSample(), 31999);
    list.askSampleToGoTo(); // Cancel stays where it was
    EXPECT_EQ(dialogs.numbers.size(), 2u);
    EXPECT_EQ(list.selectedSample(), 31999);
    list.show();
    list.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
    QTest::keyClick(&list, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(list.selectedSample(), 32001);
    QTest::keyClick(&list, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(list.selectedSample(), 1);
    EXPECT_EQ(tabs->currentIndex(), 0);

    list.clearList(); // what the recorder's cleared() does
    EXPECT_EQ(list.pageCount(), 1);
    EXPECT_EQ(list.lineCount(), 0);
    EXPECT_EQ(list.findChild<QTabWidget*>(QStringLiteral("sheetTabs"))->tabText(0), "Sheet1");
}

TEST(IntervalDialog, CustomisationInputLoop) {
    ScriptedDialogs dialogs;
    std::vector<BoxRequest> boxes;
    dialogs.onBox = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return BoxButton::Ok;
    };
    std::vector<QString> answers;
    std::vector<QString> prefills;
    IntervalDialog d(dialogs);
    d.setInputProvider([&](const QString& prefill) -> std::optional<QString> {
        prefills.push_back(prefill);
        if (answers.empty())
            return std::nullopt;
        QString a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
    auto* list = d.findChild<QComboBox*>(QStringLiteral("intervalBox"));
    auto* manual = d.findChild<QRadioButton*>(QStringLiteral("manualButton"));
    auto* automatic = d.findChild<QRadioButton*>(QStringLiteral("automaticButton"));
    ASSERT_TRUE(list && manual && automatic);
    // What the user does: picking an entry of the list.
    auto pick = [list](int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    };
    d.showSettings(AcquisitionMode::Automatic, 0);
    EXPECT_EQ(list->currentIndex(), 0);

    // -3 is refused and asked again pre-filled with -3; then 7 is taken.
    answers = {"-3", "7"};
    pick(1);
    EXPECT_EQ(d.seconds(), 7);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error[E9030]");
    EXPECT_EQ(boxes[0].text, "The interval must be a whole number of seconds from 0 to 2147483.");
    EXPECT_EQ(prefills, (std::vector<QString>{"0", "-3"}));

    // 2.5 is refused and keeps the previous seconds.
    answers = {"2.5"};
    pick(1);
    EXPECT_EQ(d.seconds(), 7);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "Error[E9030]");
    EXPECT_EQ(list->currentIndex(), 1);

    // 0 stays on "Customization..." with 0 seconds (full speed for the recorder).
    answers = {"0"};
    pick(1);
    EXPECT_EQ(d.seconds(), 0);
    EXPECT_EQ(list->currentIndex(), 1);

    // Cancel after a negative answer returns to the earlier seconds instead of looping.
    d.showSettings(AcquisitionMode::Automatic, 4);
    EXPECT_EQ(list->currentIndex(), 1);
    answers = {"-1"};
    pick(1);
    EXPECT_EQ(d.seconds(), 4);

    // An interval that would overflow the millisecond count is refused.
    answers = {"99999999"};
    pick(1);
    EXPECT_EQ(d.seconds(), 4);

    pick(0);
    EXPECT_EQ(d.seconds(), 0);

    // Manual disables the list; automatic enables it again with the earlier choice.
    manual->click();
    EXPECT_EQ(d.mode(), AcquisitionMode::Manual);
    EXPECT_FALSE(list->isEnabled());
    automatic->click();
    EXPECT_EQ(d.mode(), AcquisitionMode::Automatic);
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(list->currentIndex(), 0);

    // Settings shown for manual sampling check the manual button and disable the list.
    d.showSettings(AcquisitionMode::Manual, 9);
    EXPECT_TRUE(manual->isChecked());
    EXPECT_FALSE(list->isEnabled());
    EXPECT_EQ(list->currentIndex(), 1);
}
