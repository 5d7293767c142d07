#include "ui/recorder/RecorderWindow.h"
#include "meter/AppState.h"
#include "meter/SharedState.h"
#include "recording/RecorderController.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBox.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalDialog.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <vector>

using namespace telmora;

namespace {

QString outDir() {
    const QByteArray env = qgetenv("TELMORA_TEST_TMP");
    return env.isEmpty() ? QStringLiteral(".") : QString::fromLocal8Bit(env);
}

void publishVolts(double value, bool lowBattery = false, bool withSub = false) {
    LiveReading r;
    char text[16];
    std::snprintf(text, sizeof text, "%6.3f", value);
    r.mainText.assign(text);
    r.mainNegative = value < 0 ? 1 : 0;
    r.mainPrefixExponent.assign("0");
    r.mainCode = 0x6 | (lowBattery ? 0x80000000u : 0u);
    r.mainModeLabel.assign("DC");
    r.mainDisplayLine.text.assign(text);
    r.mainDisplayLine.part2.assign("V");
    r.lowBattery = lowBattery ? 1 : 0;
    if (withSub) {
        r.subCode = 0x400;
        r.subText.assign("60.00");
        r.subPrefixExponent.assign("0");
        r.subDisplayLine.text.assign("60.00");
        r.subDisplayLine.part2.assign("Hz");
    }
    Shared().publish(r);
    Shared().setReadingValid(true);
}

LiveReadingSource sharedReadings() {
    return {[] { return Shared().linkActive(); }, [] { return Shared().readingValid(); },
            [] { return Shared().copyReading(); }};
}

// A recorder with its data list, linked to a simulated reading, boxes answered.
struct RecorderFixture : ::testing::Test {
    QTemporaryDir dir;
    std::vector<BoxRequest> boxes;
    BoxButton answer = BoxButton::Ok;
    std::unique_ptr<RecorderController> controller;
    std::unique_ptr<DataListWindow> list;
    std::unique_ptr<RecorderWindow> form;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        App().applicationDirectory = dir.path();
        App().busy = 0;
        Shared().reset();
        SetBoxInterceptor([this](const BoxRequest& r) {
            boxes.push_back(r);
            return answer;
        });
        controller = std::make_unique<RecorderController>(sharedReadings(), dir.path());
        list = std::make_unique<DataListWindow>(controller.get());
        form = std::make_unique<RecorderWindow>(*controller);
    }
    void TearDown() override {
        form.reset();
        list.reset();
        controller.reset();
        SetBoxInterceptor(nullptr);
        Shared().reset();
    }
    void start() {
        form->sbtnRecordStart->setChecked(true);
        form->sbtnRecordStartClick();
    }
    void samples(int n, double base = 0.0) {
        for (int i = 0; i < n; ++i) {
            publishVolts(base + (i % 50) * 0.1 - 2.0);
            form->controller().takeScheduledSample();
        }
    }
    void openFile() {
        QSignalSpy done(&form->controller(), &RecorderController::loadFinished);
        form->sbtnOpenFileClick();
        if (form->controller().isBusy()) {
            ASSERT_TRUE(done.wait(10000));
        }
    }
    QTimer* samplingTimer() const {
        return controller->findChild<QTimer*>(QStringLiteral("TimerLogger"));
    }
    QString status(int i) const { return form->StatusPanels[i]->text(); }
};

} // namespace

TEST_F(RecorderFixture, StartNeedsTheLink) {
    start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error[E9002]");
    EXPECT_EQ(boxes[0].text, text(TextId::LinkBeforeLogging));
    EXPECT_TRUE(form->sbtnRecordStop->isChecked());
    EXPECT_FALSE(form->controller().isRecording());
    form->sbtnManualLoggingClick();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(form->recording().isEmpty());
}

TEST_F(RecorderFixture, RecordingFillsBufferFileGraphListAndPages) {
    Shared().setLinkActive(true);
    start();
    ASSERT_TRUE(form->controller().isRecording());
    EXPECT_EQ(status(0), text(TextId::StatusDataLogging));
    EXPECT_FALSE(form->sbtnClear->isEnabled());
    EXPECT_FALSE(form->sbtnOption->isEnabled());

    // A tick without a valid reading takes nothing.
    Shared().setReadingValid(false);
    form->controller().takeScheduledSample();
    EXPECT_TRUE(form->recording().isEmpty());

    samples(1);
    EXPECT_TRUE(form->MaxDataPanel->text().isEmpty()); // extremes show from the second sample
    samples(199);
    EXPECT_EQ(form->controller().lastPage(), 1);
    EXPECT_FALSE(form->MaxDataPanel->text().isEmpty());
    samples(1);
    EXPECT_EQ(form->recording().sampleCount(), 201);
    EXPECT_EQ(form->controller().lastPage(), 2);
    EXPECT_EQ(status(1), "Data in buffer : 201");
    EXPECT_EQ(status(2), "Page : 2 of 2");
    EXPECT_EQ(form->ChartWidget->cursorPoint(), 199);
    EXPECT_FALSE(form->ReadingDataPanel->text().isEmpty());
    EXPECT_EQ(form->ChartWidget->yAxisLabel(), "Reading(V)");

    // Every sample is already on disk, in buffer order.
    const QString tmp = form->controller().temporaryFilePath();
    EXPECT_EQ(QFileInfo(tmp).size(), qint64(201 * kSampleSize));

    // The data list got one line per sample.
    EXPECT_EQ(list->lineCount(), 201);
    EXPECT_TRUE(list->lineText(1, 0).startsWith("1,"));
    EXPECT_TRUE(list->lineText(1, 200).contains(" V  [DC], "));

    form->sbtnRecordStop->setChecked(true);
    form->sbtnRecordStopClick();
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(status(0).isEmpty());
    EXPECT_TRUE(form->sbtnPageUp->isEnabled());
    EXPECT_FALSE(form->sbtnPageDown->isEnabled());

    // Page 1 holds only the oldest sample, right-aligned.
    form->sbtnPageUpClick();
    EXPECT_EQ(form->controller().currentPage(), 1);
    EXPECT_EQ(status(2), "Page : 1 of 2");
    EXPECT_EQ(form->ChartWidget->value(199), form->recording().buffer()[0].main.value);
    EXPECT_EQ(form->ChartWidget->value(198), -99999.0f);
    form->ChartWidget->setCursorPoint(198);
    form->ChartWidgetCursorMoved();
    EXPECT_TRUE(form->ReadingDataPanel->text().isEmpty());
    EXPECT_FALSE(form->sbtnPageUp->isEnabled());
    EXPECT_TRUE(form->sbtnPageDown->isEnabled());

    // Paging past the ends only informs.
    const std::size_t before = boxes.size();
    form->sbtnPageUpClick();
    ASSERT_EQ(boxes.size(), before + 1);
    EXPECT_EQ(boxes.back().caption, "Warning[W8008]");
    form->sbtnLastPageClick();
    form->sbtnPageDownClick();
    EXPECT_EQ(boxes.back().caption, "Warning[W8009]");

    // A sample taken while an earlier page is shown brings the view back.
    form->sbtnFirstPageClick();
    Shared().setLinkActive(true);
    form->controller().setAcquisition(AcquisitionMode::Manual, 500);
    form->sbtnManualLoggingClick();
    QApplication::processEvents();
    EXPECT_EQ(form->controller().currentPage(), form->controller().lastPage());
    EXPECT_EQ(form->recording().sampleCount(), 202);
    EXPECT_EQ(list->lineCount(), 202);
}

TEST_F(RecorderFixture, StatusShowsTheIntervalAndModeDrivesTheButtons) {
    EXPECT_EQ(status(3), text(TextId::IntervalFullSpeed));
    form->controller().setAcquisition(AcquisitionMode::Automatic, 5000);
    EXPECT_EQ(status(3), "Interval in second(s):5S");
    EXPECT_TRUE(form->sbtnRecordStart->isEnabled());
    EXPECT_FALSE(form->sbtnManualLogging->isEnabled());
    form->controller().setAcquisition(AcquisitionMode::Manual, 5000);
    EXPECT_EQ(status(3), text(TextId::IntervalManual));
    EXPECT_FALSE(form->sbtnRecordStart->isEnabled());
    EXPECT_TRUE(form->sbtnManualLogging->isEnabled());
    EXPECT_FALSE(form->sbtnSaveFile->isEnabled());   // nothing to save yet
    controller->startSave(dir.filePath("busy.g53")); // busy until its result is delivered
    EXPECT_FALSE(form->sbtnManualLogging->isEnabled());
    EXPECT_FALSE(form->sbtnOpenFile->isEnabled());
    controller->waitForJob();
    EXPECT_TRUE(form->sbtnManualLogging->isEnabled());
}

TEST_F(RecorderFixture, ClearAsksOnlyForUnsavedDataAndResetsEverything) {
    form->sbtnClearClick(); // empty: nothing asked
    EXPECT_TRUE(boxes.empty());

    Shared().setLinkActive(true);
    form->controller().setAcquisition(AcquisitionMode::Manual, 500);
    samples(0);
    for (int i = 0; i < 3; ++i) {
        publishVolts(i, false, true);
        form->sbtnManualLoggingClick();
    }
    QApplication::processEvents();
    EXPECT_EQ(list->lineCount(), 3);
    EXPECT_TRUE(form->hasUnsavedData());
    // Manual samples are mirrored to a temporary file as well.
    EXPECT_EQ(QFileInfo(form->controller().temporaryFilePath()).size(), qint64(3 * kSampleSize));

    answer = BoxButton::Cancel;
    form->sbtnClearClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning[W8002]");
    EXPECT_EQ(boxes[0].defaultButton, BoxButton::Cancel);
    EXPECT_EQ(form->recording().sampleCount(), 3);

    answer = BoxButton::Ok;
    form->sbtnClearClick();
    EXPECT_TRUE(form->recording().isEmpty());
    EXPECT_EQ(list->lineCount(), 0);
    EXPECT_EQ(list->pageCount(), 1);
    EXPECT_EQ(status(1), "Data in buffer : 0");
    EXPECT_TRUE(form->MaxDataPanel->text().isEmpty());
    EXPECT_EQ(form->ChartWidget->value(199), -99999.0f);

    // A save whose file dialog is cancelled reports that nothing was saved.
    form->sbtnManualLoggingClick();
    SetFileDialogInterceptor([](const FileDialogRequest&) { return std::optional<QString>(); });
    EXPECT_FALSE(form->saveCommand());
    SetFileDialogInterceptor(nullptr);
    EXPECT_TRUE(form->hasUnsavedData());
}

TEST_F(RecorderFixture, LinkEndAndLowBatteryStopTheRecording) {
    Shared().setLinkActive(true);
    start();
    samples(5);
    form->controller().linkEnded();
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(form->sbtnRecordStop->isChecked());
    EXPECT_FALSE(samplingTimer()->isActive());

    int shown = 0;
    int result = CountdownNotice::mrYes;
    CountdownNotice::setInterceptor([&](CountdownNotice& f) {
        ++shown;
        EXPECT_EQ(f.windowTitle(), "Warning[W8000]");
        return result;
    });
    start();
    publishVolts(1.0, true);
    form->controller().takeScheduledSample(); // countdown ran out: stored, timer running again
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(form->recording().sampleCount(), 6);
    EXPECT_TRUE(samplingTimer()->isActive());
    result = CountdownNotice::mrAbort;
    form->controller().takeScheduledSample(); // abort: stopped, nothing stored
    EXPECT_EQ(form->recording().sampleCount(), 6);
    EXPECT_FALSE(form->controller().isRecording());
    CountdownNotice::setInterceptor(nullptr);
}

TEST_F(RecorderFixture, TemporaryFileThatCannotBeCreatedStopsTheStart) {
    form.reset();
    list.reset();
    controller =
        std::make_unique<RecorderController>(sharedReadings(), dir.filePath("missing/sub"));
    form = std::make_unique<RecorderWindow>(*controller);
    Shared().setLinkActive(true);
    start();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().caption, "Error[E9003]");
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(form->sbtnRecordStop->isChecked());
}

TEST_F(RecorderFixture, TemporaryFilesGoWithTheWindow) {
    Shared().setLinkActive(true);
    start();
    samples(3);
    const QString tmp = form->controller().temporaryFilePath();
    EXPECT_TRUE(QFile::exists(tmp));
    form->close(); // hiding stops the recording but keeps the file
    EXPECT_FALSE(form->controller().isRecording());
    EXPECT_TRUE(QFile::exists(tmp));
    form.reset(); // the files go with the recorder's controller
    list.reset();
    controller.reset();
    EXPECT_FALSE(QFile::exists(tmp));
}

TEST_F(RecorderFixture, Screenshots) {
    Shared().setLinkActive(true);
    start();
    for (int i = 0; i < 260; ++i) {
        publishVolts(5.0 * std::sin(i / 12.0) + (i > 200 ? 2.0 : 0.0), false, i % 3 == 0);
        form->controller().takeScheduledSample();
    }
    QApplication::processEvents();
    form->resize(1100, 620);
    form->show();
    form->ChartWidget->setCursorPoint(150);
    form->ChartWidgetCursorMoved();
    QApplication::processEvents();
    form->grab().save(outDir() + "/recorder.png");
    form->sbtnRecordStop->setChecked(true);
    form->sbtnRecordStopClick();
    form->sbtnFirstPageClick();
    QApplication::processEvents();
    form->grab().save(outDir() + "/recorder-page1.png");
    list->resize(340, 420);
    list->show();
    QApplication::processEvents();
    list->grab().save(outDir() + "/datalist.png");

    IntervalDialog dialog;
    dialog.mode = 0;
    dialog.seconds = 5;
    dialog.FormShow();
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(outDir() + "/intervaldialog.png");
}

TEST(DataList, LinesAndPagesOf32000) {
    SampleList buffer;
    SampleEntry e;
    e.main.timeText.assign(" 14:05:09.3");
    e.main.displayText.assign("1.234");
    e.main.prefixText.assign("m");
    e.main.unitText.assign("V");
    e.main.modeText.assign("DC");
    for (int i = 0; i < 32001; ++i)
        buffer.append(e);
    buffer[5].main.functionCode = 0x80;
    buffer[5].main.unitText.assign("W");
    buffer[5].hasSub = 1;
    buffer[5].sub.displayText.assign("60.00");
    buffer[5].sub.unitText.assign("Hz");
    buffer[5].sub.modeText.assign("AC");

    DataListWindow list;
    list.setBuffer(&buffer);
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
    EXPECT_EQ(list.PageControl->tabText(1), "Sheet2");
    EXPECT_EQ(list.PageControl->widget(1)->objectName(), "tsSheet2");

    list.addLine(7);     // already listed: ignored
    list.addLine(99999); // past the buffer: ignored
    EXPECT_EQ(list.lineCount(), 32001);

    list.clearList(); // what the recorder's cleared() does
    EXPECT_EQ(list.pageCount(), 1);
    EXPECT_EQ(list.lineCount(), 0);
    EXPECT_EQ(list.PageControl->tabText(0), "Sheet1");
}

TEST(IntervalDialog, CustomisationInputLoop) {
    std::vector<BoxRequest> boxes;
    SetBoxInterceptor([&](const BoxRequest& r) {
        boxes.push_back(r);
        return BoxButton::Ok;
    });
    std::vector<QString> answers;
    std::vector<QString> prefills;
    IntervalDialog::setInputProvider([&](const QString& prefill) -> std::optional<QString> {
        prefills.push_back(prefill);
        if (answers.empty())
            return std::nullopt;
        QString a = answers.front();
        answers.erase(answers.begin());
        return a;
    });
    IntervalDialog d;
    d.mode = 0;
    d.seconds = 0;
    d.FormShow();
    EXPECT_EQ(d.cbxInterval->currentIndex(), 0);

    // -3 is refused and asked again pre-filled with -3; then 7 is taken.
    answers = {"-3", "7"};
    d.cbxInterval->setCurrentIndex(1);
    d.cbxIntervalChange();
    EXPECT_EQ(d.seconds, 7);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error[E9007]");
    EXPECT_EQ(prefills, (std::vector<QString>{"0", "-3"}));

    // 2.5 is refused and keeps the previous seconds.
    answers = {"2.5"};
    d.cbxIntervalChange();
    EXPECT_EQ(d.seconds, 7);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(d.cbxInterval->currentIndex(), 1);

    // 0 stays on "Customization..." with 0 seconds (full speed for the recorder).
    answers = {"0"};
    d.cbxIntervalChange();
    EXPECT_EQ(d.seconds, 0);
    EXPECT_EQ(d.cbxInterval->currentIndex(), 1);

    // Cancel after a negative answer returns to the earlier seconds instead of looping.
    d.seconds = 4;
    answers = {"-1"};
    d.cbxIntervalChange();
    EXPECT_EQ(d.seconds, 4);

    // An interval that would overflow the millisecond count is refused.
    answers = {"99999999"};
    d.cbxIntervalChange();
    EXPECT_EQ(d.seconds, 4);

    d.cbxInterval->setCurrentIndex(0);
    d.cbxIntervalChange();
    EXPECT_EQ(d.seconds, 0);

    // Manual disables the list; automatic enables it again with the earlier choice.
    d.rbtnManual->setChecked(true);
    d.rbtnClick();
    EXPECT_EQ(d.mode, 1);
    EXPECT_FALSE(d.cbxInterval->isEnabled());
    d.rbtnAutomatic->setChecked(true);
    d.rbtnClick();
    EXPECT_TRUE(d.cbxInterval->isEnabled());
    EXPECT_EQ(d.cbxInterval->currentIndex(), 0);

    IntervalDialog::setInputProvider(nullptr);
    SetBoxInterceptor(nullptr);
}
