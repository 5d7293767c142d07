// The auto-closing message window, the progress window and the About box.
#include "ScriptedDialogs.h"
#include "jobs/Job.h"
#include "logger/LoggerDownload.h"
#include "meter/CableAccess.h"
#include "meter/CableBackend.h"
#include "meter/aboutlines.h"
#include "sim/SimulatedMeter.h"
#include "ui/common/AboutDialog.h"
#include "ui/common/AppIcon.h"
#include "ui/common/CountdownNotice.h"
#include "ui/common/ProgressWindow.h"
#include "ui/common/WidgetDialogs.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTimer>

#include <memory>

using namespace telmora;

using telmora::CableIdentity;

namespace {

// The notice's parts by object name, as the user finds them.
QTimer* timer(const CountdownNotice& form) {
    return form.findChild<QTimer*>(QStringLiteral("countdownTimer"));
}
QProgressBar* progressBar(const CountdownNotice& form) {
    return form.findChild<QProgressBar*>(QStringLiteral("progressBar"));
}
QPushButton* button(const CountdownNotice& form, const char* name) {
    return form.findChild<QPushButton*>(QLatin1String(name));
}
QLabel* messageLine(const CountdownNotice& form, const char* name) {
    return form.findChild<QLabel*>(QLatin1String(name));
}

// Runs `action` once the modal window is up (inside its event loop).
template <typename F> void whenShown(CountdownNotice& form, F action) {
    QTimer::singleShot(0, &form, [&form, action] {
        ASSERT_TRUE(form.isVisible());
        action();
    });
}

} // namespace

TEST(CountdownNotice, CountdownClosesWithYesAfterThirtyTicks) {
    CountdownNotice form;
    EXPECT_FALSE(timer(form)->isActive()); // off until a caller starts it
    EXPECT_EQ(timer(form)->interval(), 100);
    int ticksBeforeClose = 0;
    whenShown(form, [&] {
        EXPECT_EQ(progressBar(form)->value(), 0);
        EXPECT_TRUE(timer(form)->isActive());
        while (form.isVisible() && ticksBeforeClose < 100) {
            form.tick();
            ++ticksBeforeClose;
        }
    });
    const CountdownNotice::Result result = form.showCountdown(
        CaptionKind::Warning, TextId::MeterBatteryLow,
        QStringLiteral("The battery power of the DMM is low."),
        QStringLiteral("(Will continue automatically in 3 seconds.)"), QString());
    EXPECT_EQ(result, CountdownNotice::Result::TimedOut);
    EXPECT_EQ(ticksBeforeClose, 30);
    EXPECT_FALSE(timer(form)->isActive());
    EXPECT_EQ(form.windowTitle(), "Warning[W8000]");
    EXPECT_EQ(messageLine(form, "firstMessageLine")->text(),
              "The battery power of the DMM is low.");
}

TEST(CountdownNotice, RealTimerRunsTheCountdownOut) {
    CountdownNotice form;
    timer(form)->setInterval(1); // the same countdown, only faster
    EXPECT_EQ(form.showCountdown(CaptionKind::Error, TextId::TransmissionTimeout, "a", "b", "c"),
              CountdownNotice::Result::TimedOut);
    EXPECT_EQ(progressBar(form)->value(), 30);
}

TEST(CountdownNotice, AbortAndContinueEndAtOnceWithTheirResults) {
    CountdownNotice form;
    whenShown(form, [&] {
        form.tick();
        button(form, "cancelButton")->click();
    });
    EXPECT_EQ(form.showCountdown(CaptionKind::Warning, TextId::MeterBatteryLow, "a", "b", ""),
              CountdownNotice::Result::Aborted);
    EXPECT_FALSE(timer(form)->isActive());

    whenShown(form, [&] { button(form, "okButton")->click(); });
    const CountdownNotice::Result result =
        form.showCountdown(CaptionKind::Warning, TextId::MeterBatteryLow, "a", "b", "");
    EXPECT_EQ(result, CountdownNotice::Result::Continued);
    EXPECT_NE(result, CountdownNotice::Result::Aborted);
    EXPECT_FALSE(timer(form)->isActive());

    // Escape means stop, not go on.
    whenShown(form, [&] { form.reject(); });
    EXPECT_EQ(form.showCountdown(CaptionKind::Warning, TextId::MeterBatteryLow, "a", "b", ""),
              CountdownNotice::Result::Aborted);
}

TEST(CountdownNotice, EveryShowingCountsDownFromTheStart) {
    CountdownNotice form;
    whenShown(form, [&] {
        for (int i = 0; i < 20; ++i)
            form.tick();
        EXPECT_EQ(progressBar(form)->value(), 20);
        button(form, "okButton")->click();
    });
    form.showCountdown(CaptionKind::Warning, TextId::MeterBatteryLow, "a", "b", "");

    int ticks = 0;
    whenShown(form, [&] {
        EXPECT_EQ(progressBar(form)->value(), 0);
        while (form.isVisible() && ticks < 100) {
            form.tick();
            ++ticks;
        }
    });
    EXPECT_EQ(form.showCountdown(CaptionKind::Warning, TextId::MeterBatteryLow, "a", "b", ""),
              CountdownNotice::Result::TimedOut);
    EXPECT_EQ(ticks, 30);
}

// The desktop's dialogs show the notice as asked; the user's Abort is the answer.
TEST(CountdownNotice, DesktopDialogsShowTheNoticeAndGiveTheUsersAnswer) {
    WidgetDialogs dialogs;
    QString seenTitle;
    QString seenLine2;
    QPointer<CountdownNotice> shown;
    QTimer::singleShot(0, [&] {
        shown = qobject_cast<CountdownNotice*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        seenTitle = shown->windowTitle();
        seenLine2 = messageLine(*shown, "secondMessageLine")->text();
        button(*shown, "cancelButton")->click();
    });
    const CountdownResult result = dialogs.showCountdown(
        {nullptr, CaptionKind::Error, TextId::CableNotFound, {"one", "two", "three"}});
    EXPECT_EQ(result, CountdownNotice::Result::Aborted);
    EXPECT_EQ(seenTitle, "Error[E9015]");
    EXPECT_EQ(seenLine2, "two");
    EXPECT_TRUE(shown.isNull()) << "the notice is gone once answered";
}

// The scripted dialogs of the tests answer in order, then by handler, then by
// default, and keep every question.
TEST(ScriptedDialogs, AnswerInOrderAndRecordWhatWasAsked) {
    ScriptedDialogs dialogs;
    dialogs.boxAnswers = {BoxButton::No, BoxButton::Cancel};
    dialogs.fileAnswers = {QStringLiteral("/tmp/a.g53")};
    dialogs.countdownAnswers = {CountdownResult::Aborted};
    EXPECT_EQ(dialogs.showDirectBox(nullptr, "q1", CaptionKind::Warning, TextId::AskProceed,
                                    BoxIcon::Question, {BoxButton::Yes, BoxButton::No}),
              BoxButton::No);
    EXPECT_EQ(dialogs.showDirectBox(nullptr, "q2", CaptionKind::Warning, TextId::AskProceed,
                                    BoxIcon::Question, {BoxButton::Yes, BoxButton::Cancel}),
              BoxButton::Cancel);
    dialogs.onBox = [](const BoxRequest& r) { return r.buttons.back(); };
    EXPECT_EQ(dialogs.showDirectBox(nullptr, "q3", CaptionKind::Error, TextId::AskProceed,
                                    BoxIcon::Error, {BoxButton::Ok, BoxButton::Retry}),
              BoxButton::Retry);
    dialogs.onBox = nullptr;
    dialogs.showWarning(nullptr, TextId::FileDamaged); // answered OK by default

    FileDialogRequest open;
    open.mode = FileDialogRequest::Mode::Open;
    EXPECT_EQ(dialogs.chooseFile(open), QStringLiteral("/tmp/a.g53"));
    EXPECT_EQ(dialogs.chooseFile(open), std::nullopt) << "nothing scripted: cancelled";
    EXPECT_FALSE(dialogs.choosePrinter({}));
    EXPECT_EQ(dialogs.showCountdown({}), CountdownResult::Aborted);
    EXPECT_EQ(dialogs.showCountdown({}), CountdownResult::TimedOut);

    ASSERT_EQ(dialogs.boxes.size(), 4u);
    EXPECT_EQ(dialogs.boxes[0].text, "q1");
    EXPECT_EQ(dialogs.boxes[2].text, "q3");
    EXPECT_EQ(dialogs.boxes[3].caption, "Warning[W9001]");
    EXPECT_EQ(dialogs.files.size(), 2u);
    EXPECT_EQ(dialogs.prints.size(), 1u);
    EXPECT_EQ(dialogs.countdowns.size(), 2u);
}

// The message routine: the caption kind decides caption and icon, the name gives
// the text and the caption number; a direct box may number its caption after
// another text than the one it shows.
TEST(MessageRoutine, BoxesByNameCarryCaptionTextIconAndButtons) {
    std::vector<BoxRequest> boxes;
    ScriptedDialogs dialogs;
    dialogs.onBox = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return r.buttons.back();
    };
    dialogs.showError(nullptr, TextId::FileOpenError);
    dialogs.showWarning(nullptr, TextId::FileDamaged);
    const BoxButton answer = dialogs.showDirectBox(
        nullptr, text(TextId::NoDataReceived), CaptionKind::Error, TextId::CableNotFound,
        BoxIcon::Question, {BoxButton::Yes, BoxButton::No}, BoxButton::No);

    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, "Error[E9004]");
    EXPECT_EQ(boxes[0].text, "File open error.");
    EXPECT_EQ(boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(boxes[0].buttons, std::vector<BoxButton>{BoxButton::Ok});
    EXPECT_EQ(boxes[1].caption, "Warning[W9001]");
    EXPECT_EQ(boxes[1].text, text(TextId::FileDamaged));
    EXPECT_EQ(boxes[1].icon, BoxIcon::Warning);
    EXPECT_EQ(boxes[2].caption, "Error[E9015]");
    EXPECT_EQ(boxes[2].text, "No data received.");
    EXPECT_EQ(boxes[2].icon, BoxIcon::Question);
    EXPECT_EQ(boxes[2].defaultButton, BoxButton::No);
    EXPECT_EQ(answer, BoxButton::No);
}

TEST(ProgressWindow, AbortOnlyAsksTheOperationToStop) {
    ProgressWindow form;
    QSignalSpy abort(&form, &ProgressWindow::abortRequested);
    form.begin("[W8005] Reading data from selected file. Please wait ...", Qt::red, 64);
    EXPECT_EQ(form.minimum(), 0);
    EXPECT_EQ(form.maximum(), 64);
    EXPECT_TRUE(form.isVisible());
    form.setValue(40);
    auto* button = form.findChild<QPushButton*>(QStringLiteral("cancelButton"));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(abort.count(), 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.value(), 40);
    EXPECT_EQ(form.message(), "[W8005] Reading data from selected file. Please wait ...");

    // Escape acts as Abort and keeps the window; a disabled Abort ignores it.
    form.setAbortEnabled(false);
    form.reject();
    EXPECT_EQ(abort.count(), 1);
    form.setAbortEnabled(true);
    form.reject();
    EXPECT_EQ(abort.count(), 2);
    EXPECT_TRUE(form.isVisible());
    form.end(); // the operation closes it, Abort ready for the next one
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.isAbortEnabled());

    // Positions of any size are scaled into the bar.
    form.setProgress(1008, 2016);
    EXPECT_EQ(form.value() * 2, form.maximum());
}

// Bound to a job the window shows each report in its words, Abort cancels the job
// and the job's end hides the window.
TEST(ProgressWindow, BoundToAJobItShowsItsReportsAndAbortCancelsIt) {
    Job job;
    ProgressWindow form;
    form.bind(job);
    QSignalSpy progress(&job, &Job::progressed);
    QSignalSpy finished(&job, &Job::finished);
    JobOutcome outcome = JobOutcome::Done;
    job.start(
        [](const JobControl& control) {
            control.report(JobStage::AcquiringMemory, 48, 1000);
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock(mutex);
            wake.wait_for(lock, control.token(), std::chrono::seconds(30), [] { return false; });
            return 0;
        },
        [&](int, JobOutcome how) { outcome = how; },
        JobProgress{JobStage::AcquiringMemory, 0, 1000});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.message(), DownloadStageTitle(DownloadStage::Acquiring));
    EXPECT_TRUE(form.detail().isEmpty()) << "no bytes counted before the first block";
    ASSERT_TRUE(progress.size() > 1 || progress.wait());
    EXPECT_EQ(form.detail(), "Read Bytes : 48 Of 1000");
    EXPECT_EQ(form.value() * 1000 / form.maximum(), 48);
    form.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
    ASSERT_TRUE(finished.wait());
    EXPECT_EQ(outcome, JobOutcome::Cancelled);
    EXPECT_FALSE(form.isVisible());

    // The other stages in their words.
    form.showProgress({JobStage::ProcessingMemory, 1, 4});
    EXPECT_EQ(form.message(), DownloadStageTitle(DownloadStage::Processing));
    EXPECT_EQ(form.detail(), text(TextId::Translating));
    form.showProgress({JobStage::ReadingFile, 5, 10});
    EXPECT_EQ(form.message(), noticeLine(TextId::ReadingSelectedFile));
    EXPECT_EQ(form.detail(), "Reading Data : 5 of 10");
    EXPECT_TRUE(form.isAbortEnabled());
    form.showProgress({JobStage::AddingToRecording, 10, 10});
    EXPECT_EQ(form.message(), noticeLine(TextId::AddingDataToBuffer));
    EXPECT_EQ(form.detail(), "Reading Data : 10 of 10");
    EXPECT_EQ(form.value(), form.maximum());
    EXPECT_FALSE(form.isAbortEnabled());
    form.showProgress({JobStage::WritingFile, 0, 0});
    EXPECT_EQ(form.message(), "Writing the file…");
    EXPECT_EQ(form.maximum(), 0) << "samples not counted yet: the bar only moves";
    form.showProgress({JobStage::WritingFile, 5, 10});
    EXPECT_EQ(form.detail(), "5 of 10 samples written");
    EXPECT_TRUE(form.isAbortEnabled());
}

TEST(ProgressWindow, AdvanceOneStepAddsTheStepSizeAndStartsAgainPastTheMaximum) {
    ProgressWindow form;
    form.setRange(0, 64);
    form.setValue(0);
    form.setStepSize(24);
    form.advanceOneStep();
    form.advanceOneStep();
    EXPECT_EQ(form.value(), 48);
    form.advanceOneStep();
    EXPECT_EQ(form.value(), 0);
    form.setStepSize(1);
    form.setValue(64);
    form.advanceOneStep();
    EXPECT_EQ(form.value(), 0);
}

TEST(AboutLines, CableFirmwareAndSerialFormats) {
    EXPECT_EQ(telmora::CableFirmwareLine(0x0105), "Cable Firmware ver.:01.05");
    EXPECT_EQ(telmora::CableFirmwareLine(0xAB0C), "Cable Firmware ver.:AB.0C");
    EXPECT_EQ(telmora::CableSerialLine({1, 2, 3, 4, 5, 6, 7, 8}), "Cable SN : 0807060504030201");
    EXPECT_EQ(telmora::CableSerialLine({0xFE, 0, 0, 0, 0, 0, 0, 0x0A}),
              "Cable SN : 0A000000000000FE");
}

TEST(AboutLines, SystemLineNamesTheSystemAndItsKernel) {
    EXPECT_EQ(telmora::SystemLine("Debian GNU/Linux 12 (bookworm)", "linux", "6.1.0-18-amd64"),
              "System: Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64");
    EXPECT_EQ(telmora::SystemLine("", "linux", "5.15"), "System: linux, kernel 5.15");
    EXPECT_EQ(telmora::SystemLine("Windows 10 Version 22H2", "winnt", ""),
              "System: Windows 10 Version 22H2");
}

TEST(AboutLines, FailedPartsOfTheQueryLeaveTheirLinesEmpty) {
    CableIdentity id;
    id.attributesOk = true;
    id.versionNumber = 0x0105;
    id.serialOk = true;
    id.serial = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto notOpened = telmora::CableIdentityLines(false, id);
    EXPECT_TRUE(notOpened.firmware.isEmpty());
    EXPECT_TRUE(notOpened.serial.isEmpty());
    id.serialOk = false;
    const auto noSerial = telmora::CableIdentityLines(true, id);
    EXPECT_EQ(noSerial.firmware, "Cable Firmware ver.:01.05");
    EXPECT_TRUE(noSerial.serial.isEmpty());
}

namespace {

// A control of the About box by its object name.
template <class Control> Control* part(const AboutDialog& form, const char* name) {
    auto* control = form.findChild<Control*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

void clickIcon(AboutDialog& form) {
    QLabel* icon = part<QLabel>(form, "appIcon");
    const QPointF centre = QRectF(icon->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, icon->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, icon->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(icon, &press);
    QApplication::sendEvent(icon, &release);
}

// Clicks the icon and waits until the identity the box asked its cable for has
// arrived (at once when it has no cable).
void clickIconAndWait(AboutDialog& form, CableAccess* cable) {
    if (cable == nullptr) {
        clickIcon(form);
        return;
    }
    QSignalSpy arrived(cable, &CableAccess::identityArrived);
    clickIcon(form);
    ASSERT_TRUE(arrived.wait(5000));
}

QStringList memoLines(const AboutDialog& form) {
    return part<QPlainTextEdit>(form, "systemInformation")->toPlainText().split(QLatin1Char('\n'));
}

} // namespace

TEST(AboutDialog, IconClickFillsCableLinesAndEveryShowEmptiesThem) {
    auto meter = std::make_shared<telmora::SimulatedMeter>(telmora::SimScenario::Demo, false);
    meter->setCableIdentity(0x0105, {1, 2, 3, 4, 5, 6, 7, 8});
    CableAccess cable(meter);
    QSignalSpy queries(&cable, &CableAccess::identityArrived);
    AboutDialog form(&cable);
    EXPECT_TRUE(part<QPlainTextEdit>(form, "systemInformation")->isReadOnly());
    EXPECT_TRUE(part<QLabel>(form, "logo")->isHidden());

    for (int showing = 0; showing < 2; ++showing) {
        form.show();
        QStringList lines = memoLines(form);
        ASSERT_EQ(lines.size(), 9);
        EXPECT_TRUE(lines[6].startsWith("System: ")) << lines[6].toStdString();
        EXPECT_TRUE(lines[7].isEmpty());
        EXPECT_TRUE(lines[8].isEmpty());

        clickIconAndWait(form, &cable);
        lines = memoLines(form);
        ASSERT_EQ(lines.size(), 9);
        EXPECT_EQ(lines[7], "Cable Firmware ver.:01.05");
        EXPECT_EQ(lines[8], "Cable SN : 0807060504030201");
        part<QPushButton>(form, "okButton")->click();
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(queries.count(), 2);

    // The labelled button reads the cable as the icon does.
    form.show();
    part<QPushButton>(form, "cableInfoButton")->click();
    ASSERT_TRUE(queries.wait(5000));
    EXPECT_EQ(queries.count(), 3);
    EXPECT_EQ(memoLines(form)[8], "Cable SN : 0807060504030201");
}

// The serial number reads as the cable reports it, the way the meter lists and
// captions name the cable ("5310", not the hex of its UTF-16 bytes); a serial
// that is no plain text keeps the hex form.
TEST(AboutDialog, SerialNumberIsShownAsTheCableReportsIt) {
    auto meter = std::make_shared<telmora::SimulatedMeter>(telmora::SimScenario::Demo, false);
    meter->setCableIdentity(0x0105, {'5', 0, '3', 0, '1', 0, '0', 0});
    CableAccess cable(meter);
    AboutDialog form(&cable);
    form.show();
    clickIconAndWait(form, &cable);
    EXPECT_EQ(form.lines()[8], "Cable SN : 5310");
    EXPECT_EQ(memoLines(form)[8], "Cable SN : 5310");

    meter->setCableIdentity(0x0105, {'A', 0, '7', 0, 0, 0, 0, 0});
    clickIconAndWait(form, &cable);
    EXPECT_EQ(form.lines()[8], "Cable SN : A7");

    meter->setCableIdentity(0x0105, {0x01, 0x02, 0, 0, 0, 0, 0, 0});
    clickIconAndWait(form, &cable);
    EXPECT_EQ(form.lines()[8], "Cable SN : 0000000000000201");
}

TEST(AboutDialog, CableThatCannotBeOpenedLeavesTheLinesEmpty) {
    {
        AboutDialog form(nullptr); // no cable to ask
        form.show();
        clickIcon(form);
        EXPECT_TRUE(form.lines()[7].isEmpty());
    }

    auto meter = std::make_shared<telmora::SimulatedMeter>(telmora::SimScenario::Demo, false);
    meter->setCableIdentity(0x0105, {1, 2, 3, 4, 5, 6, 7, 8}, false);
    CableAccess cable(meter);
    AboutDialog form(&cable);
    form.show();
    clickIconAndWait(form, &cable);
    EXPECT_EQ(form.lines()[7], "Cable Firmware ver.:01.05");
    EXPECT_TRUE(form.lines()[8].isEmpty()); // serial query failed

    meter->setCablePresent(false);
    clickIconAndWait(form, &cable);
    EXPECT_TRUE(form.lines()[7].isEmpty());
    EXPECT_TRUE(form.lines()[8].isEmpty());
    EXPECT_FALSE(form.lines()[0].isEmpty());
    EXPECT_EQ(memoLines(form), form.lines());
}

TEST(AppIcon, IsDrawnFromTheBuiltInPicture) {
    // An unregistered resource would leave a fully transparent picture.
    const QImage image = telmora::AppIconPixmap(32).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(qAlpha(image.pixel(16, 16)), 0);
    EXPECT_FALSE(telmora::AppIcon().isNull());
}

TEST(AboutDialog, ReadsTheSimulatedCableAndClosesItAgain) {
    auto meter = std::make_shared<telmora::SimulatedMeter>(telmora::SimScenario::Demo, false);
    meter->setCableIdentity(0x0105, {1, 2, 3, 4, 5, 6, 7, 8});

    CableAccess cable(meter);
    AboutDialog form(&cable);
    form.show();
    clickIconAndWait(form, &cable);
    EXPECT_EQ(form.lines()[7], "Cable Firmware ver.:01.05");
    EXPECT_EQ(form.lines()[8], "Cable SN : 0807060504030201");
    EXPECT_EQ(meter->openDevices(), 0);

    meter->setCablePresent(false);
    clickIconAndWait(form, &cable);
    EXPECT_TRUE(form.lines()[7].isEmpty());
    EXPECT_TRUE(form.lines()[8].isEmpty());
    EXPECT_EQ(meter->opens(), meter->closes());
}

// A short text makes a narrow box; its caption must still fit beside the title
// bar's icon and buttons instead of being cut to "Error…015]".
TEST(MessageBoxRoutine, ABoxIsWideEnoughForItsWholeCaption) {
    WidgetDialogs dialogs;
    int shownWidth = 0;
    QTimer::singleShot(0, [&shownWidth] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownWidth = box->width();
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.showDirectBox(nullptr, QStringLiteral("No data."), CaptionKind::Error,
                          TextId::CableNotFound, BoxIcon::Error, {BoxButton::Ok});
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int titleBar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    EXPECT_GE(shownWidth,
              QFontMetrics(titleFont).horizontalAdvance(QStringLiteral("Error[E9015]")) +
                  4 * titleBar);
}
