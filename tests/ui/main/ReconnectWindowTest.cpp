// Reconnecting as the user sees it: the Link menu's switch, remembered; a cable
// pulled and plugged in again while recording, with the simulated meter in real
// time. The recording goes on in the same recording with a gap in graph and list.
#include "ScriptedDialogs.h"
#include "app/Application.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "recorder/recorderwindowprobe.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedMeter.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

bool waitForCount(QSignalSpy& spy, int count) {
    while (spy.count() < count)
        if (!spy.wait(10000))
            return false;
    return true;
}

} // namespace

TEST(ReconnectWindow, RecordingGoesOnAcrossAPulledCableWithAGapInGraphAndList) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const UserFiles files = UserFilesIn(dir.path(), dir.path(), dir.path());
    int boxes = 0;
    ScriptedDialogs dialogs;
    dialogs.onBox = [&](const BoxRequest&) {
        ++boxes;
        return BoxButton::Ok;
    };

    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, true);
    meter->setRandomSeed(3);
    Application app(meter, files);
    MeterLink& link = app.link();
    link.setReconnectPause(20ms);
    {
        MainWindow form(app, dialogs);
        form.createWindows();
        EXPECT_FALSE(form.reconnectAction()->isChecked()) << "off unless the user chose it";
        EXPECT_TRUE(form.linkMenu()->actions().contains(form.linkAction()));
        form.reconnectAction()->trigger();
        EXPECT_TRUE(link.reconnectsAutomatically());

        QSignalSpy readings(&link, &MeterLink::readingReceived);
        form.linkButton()->click();
        ASSERT_TRUE(waitForCount(readings, 1));
        RecorderController& recorder = form.recording();
        recorder.setAcquisition(AcquisitionMode::Automatic, 100);
        QSignalSpy samples(&recorder, &RecorderController::sampleAdded);
        ASSERT_TRUE(recorder.startRecording());
        const QString file = recorder.temporaryFilePath();
        ASSERT_TRUE(waitForCount(samples, 3));

        // What the user sees while the cable is away.
        QString status, caption;
        QObject::connect(&link, &MeterLink::waitingForCableChanged, &form, [&](bool waiting) {
            if (!waiting)
                return;
            status =
                form.statusPanel(0)->isVisibleTo(&form) ? form.statusPanel(0)->text() : QString();
            caption = form.digitalMeter()->windowTitle();
        });
        QSignalSpy waiting(&link, &MeterLink::waitingForCableChanged);
        meter->replugAfter(300ms);
        meter->unplugAfterPolls(1);
        ASSERT_TRUE(waitForCount(waiting, 2)) << "the cable went and came back";
        const int atReturn = samples.count();
        ASSERT_TRUE(waitForCount(samples, atReturn + 2));

        EXPECT_EQ(boxes, 0) << "no message while reconnecting";
        EXPECT_EQ(status, QStringLiteral("Waiting for the cable…"));
        EXPECT_TRUE(caption.endsWith(QLatin1String(" : No Device")));
        EXPECT_FALSE(form.statusPanel(0)->isVisibleTo(&form));
        EXPECT_TRUE(form.digitalMeter()->windowTitle().endsWith(QLatin1String(" : USB Device")));
        EXPECT_TRUE(recorder.isRecording());
        EXPECT_EQ(recorder.temporaryFilePath(), file);

        const std::vector<std::size_t>& gaps = recorder.recording().gaps().indexes();
        ASSERT_EQ(gaps.size(), 1u);
        const auto gap = static_cast<int>(gaps[0]);
        const auto count = static_cast<int>(recorder.recording().size());
        ASSERT_LT(gap + 1, count);
        EXPECT_TRUE(form.dataList()->lineFollowsGap(1, gap + 1));
        EXPECT_FALSE(form.dataList()->lineFollowsGap(1, gap));
        EXPECT_FALSE(form.dataList()->lineFollowsGap(1, gap + 2));
        // The newest sample is the page's last point.
        ChartWidget& chart = RecorderWindowProbe(*form.recorder()).chart();
        const int gapPoint = chart.pointCount() - 1 - (count - 1 - gap);
        for (int p = 0; p < chart.pointCount(); ++p)
            EXPECT_EQ(chart.gapAfter(p), p == gapPoint) << p;

        form.linkButton()->click();
        EXPECT_FALSE(link.isLinked());
        EXPECT_FALSE(recorder.isRecording());
    }
    {
        // The next run starts with the switch as it was left.
        Application nextApp(std::make_shared<SimulatedMeter>(SimScenario::NoCable, false), files);
        MeterLink& nextLink = nextApp.link();
        MainWindow next(nextApp, dialogs);
        EXPECT_TRUE(next.reconnectAction()->isChecked());
        EXPECT_TRUE(nextLink.reconnectsAutomatically());
    }
}
