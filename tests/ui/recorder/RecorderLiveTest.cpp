// The recorder on the live path: main window, acquisition thread and the
// simulated meter; the recording survives in its temporary file.
#include "LinkWaits.h"
#include "ScriptedDialogs.h"
#include "app/Application.h"
#include "app/UserFiles.h"
#include "meter/CableBackend.h"
#include "meter/MeterLink.h"
#include "recorderwindowprobe.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedMeter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CountdownNotice.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include "UserDirectories.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <QSignalSpy>

#include <array>
#include <cstring>

using namespace telmora;

TEST(RecorderLive, RecordsFromTheSimulatedMeterUntilTheLinkEnds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    UserDirectories userDirs;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    std::vector<BoxRequest> boxes;
    ScriptedDialogs dialogs;
    dialogs.onBox = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return BoxButton::Ok;
    };
    QString tmp;
    {
        Application app(std::make_shared<SimulatedMeter>(SimScenario::Demo, false),
                        LocateUserFiles(QDir::currentPath()));
        MeterLink& link = app.link();
        MainWindow main(app, dialogs);
        main.createWindows();
        RecorderWindow* recorder = main.recorder();
        ASSERT_NE(recorder, nullptr);

        main.toggleLink();
        ASSERT_TRUE(WaitForLink(link));
        RecorderWindowProbe probe(*recorder);
        QSignalSpy added(&recorder->controller(), &RecorderController::sampleAdded);
        probe.button("startRecordingButton").click();
        ASSERT_TRUE(recorder->controller().isRecording());
        tmp = recorder->controller().temporaryFilePath();
        EXPECT_TRUE(tmp.startsWith(UserDirectories::appDataDirectory())) << tmp.toStdString();

        // The sampling timer takes the simulator's readings as they arrive.
        while (recorder->recording().sampleCount() < 4)
            ASSERT_TRUE(added.wait(10000));
        // Unlinking tells the recorder, which stops with its file closed.
        main.toggleLink();
        EXPECT_FALSE(recorder->controller().isRecording());
        EXPECT_TRUE(probe.button("stopRecordingButton").isChecked());
        QCoreApplication::processEvents();

        const Recording& buffer = recorder->recording();
        QFile file(tmp);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_EQ(bytes.size(), qsizetype(buffer.size() * kSampleSize));
        for (std::size_t i = 0; i < buffer.size(); ++i) {
            std::array<std::uint8_t, kSampleSize> expected{};
            EncodeSample(buffer.sampleAt(static_cast<std::int64_t>(i)), expected);
            EXPECT_EQ(
                0, std::memcmp(bytes.constData() + i * kSampleSize, expected.data(), kSampleSize));
        }
        EXPECT_EQ(main.dataList()->lineCount(), qint64(buffer.size()));
        EXPECT_TRUE(recorder->hasUnsavedData());
    }
    // The recorder went with the main window, and its temporary file with it.
    EXPECT_FALSE(QFile::exists(tmp));
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    QDir::setCurrent(oldDir);
}

// A meter with a low battery, recording at full speed: one notice, and the
// sampling timer keeps taking the readings while it is up.
TEST(RecorderLive, LowBatteryNoticeDoesNotHoldUpSampling) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        ScriptedDialogs dialogs;
        Application app(std::make_shared<SimulatedMeter>(SimScenario::LowBatt, false),
                        LocateUserFiles(QDir::currentPath()));
        MeterLink& link = app.link();
        MainWindow main(app, dialogs);
        main.createWindows();
        RecorderWindow* recorder = main.recorder();
        main.toggleLink();
        ASSERT_TRUE(WaitForLink(link));
        QSignalSpy added(&recorder->controller(), &RecorderController::sampleAdded);
        QSignalSpy told(&recorder->controller(), &RecorderController::lowBatteryAppeared);
        RecorderWindowProbe(*recorder).button("startRecordingButton").click();
        ASSERT_EQ(recorder->controller().sampleInterval(), RecorderController::kFullSpeedMs);
        while (recorder->recording().sampleCount() < 4)
            ASSERT_TRUE(added.wait(10000));
        EXPECT_EQ(told.count(), 1);
        EXPECT_TRUE(recorder->lowBatteryNotice().isVisible());
        EXPECT_TRUE(recorder->controller().isRecording());
        main.toggleLink();
    }
    QDir::setCurrent(oldDir);
}
