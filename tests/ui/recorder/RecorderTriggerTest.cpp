// The trigger from the recorder's menu on the live path: the simulated meter's
// quick tour goes from a 12 V supply to 230 V mains, which starts the recording;
// it stops by itself after three samples.
#include "LinkWaits.h"
#include "ScriptedDialogs.h"
#include "UserDirectories.h"
#include "app/Application.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "recorderwindowprobe.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedMeter.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/TriggerDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace telmora;

namespace {

// Answers the trigger dialog: the start condition and a stop after `stopAfter`,
// confirmed with OK (which refuses what it cannot read).
std::function<bool(QDialog&)> answerTrigger(const QString& start, const QString& stopAfter) {
    return [start, stopAfter](QDialog& shown) {
        auto* dialog = qobject_cast<TriggerDialog*>(&shown);
        if (dialog == nullptr)
            return false;
        dialog->startChoice(TriggerStart::Condition).setChecked(true);
        dialog->startConditionEdit().setText(start);
        dialog->stopChoice(TriggerStop::Samples).setChecked(true);
        dialog->stopAfterEdit().setText(stopAfter);
        dialog->confirm();
        return dialog->result() == QDialog::Accepted;
    };
}

} // namespace

TEST(RecorderTrigger, StartsOnTheCrossingAndStopsAfterItsSamples) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    UserDirectories userDirs;
    std::vector<BoxRequest> boxes;
    ScriptedDialogs dialogs;
    dialogs.onBox = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return BoxButton::Ok;
    };
    Application app(std::make_shared<SimulatedMeter>(SimScenario::Cycle, false),
                    LocateUserFiles(dir.path()));
    MainWindow main(app, dialogs);
    main.createWindows();
    RecorderWindow* recorder = main.recorder();
    ASSERT_NE(recorder, nullptr);
    RecorderController& controller = recorder->controller();
    auto* command = recorder->findChild<QAction*>(QStringLiteral("triggerAction"));
    ASSERT_NE(command, nullptr);

    // A level that cannot be read is its numbered error, and nothing changes.
    dialogs.onDialog = answerTrigger(QStringLiteral("M1 > 100 volts"), QStringLiteral("3"));
    command->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().caption, QStringLiteral("Error[E9046]"));
    EXPECT_FALSE(controller.trigger().isSet());

    dialogs.onDialog = answerTrigger(QStringLiteral("M1 > 100 V"), QStringLiteral("3"));
    command->trigger();
    EXPECT_EQ(controller.trigger().startText(), "M1 > 100 V");
    EXPECT_EQ(controller.trigger().stopText(), "after 3");

    main.toggleLink();
    ASSERT_TRUE(WaitForLink(app.link()));
    RecorderWindowProbe probe(*recorder);
    QSignalSpy state(&controller, &RecorderController::recordingStateChanged);
    probe.button("startRecordingButton").click();
    ASSERT_TRUE(controller.waitingForTrigger());
    EXPECT_EQ(probe.text("StatusLogging"), QStringLiteral("Waiting for M1 > 100 V"));
    while (controller.isRecording())
        ASSERT_TRUE(state.wait(60000));
    EXPECT_NE(probe.text("StatusLogging"), QStringLiteral("Waiting for M1 > 100 V"));
    ASSERT_EQ(controller.recording().size(), 3u);
    const TypedReading first =
        ReadingOfRecord(controller.recording().sampleAt(0).main, RecordOrigin::Recorder);
    EXPECT_EQ(first.unit, "V");
    EXPECT_GT(first.value, 100.0);
    main.toggleLink();
    EXPECT_EQ(boxes.size(), 1u);
}
