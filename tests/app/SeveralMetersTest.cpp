// The application with several simulated cables: Link all gives each cable a meter
// of its own with a default name, names are remembered per serial number, a meter
// keeps its place when its cable goes, and one cable links exactly as one meter
// always has.
#include "CrashedRecorder.h"
#include "JobWaits.h"
#include "LinkWaits.h"
#include "UserDirectories.h"
#include "app/Application.h"
#include "app/Meter.h"
#include "app/UserFiles.h"
#include "app/cablebackends.h"
#include "logger/LoggerSessions.h"
#include "meter/MeterLink.h"
#include "recording/GapSample.h"
#include "recording/OrphanedRecordings.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedCables.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

class SeveralMeters : public ::testing::Test {
protected:
    std::shared_ptr<SimulatedCables> makeCables(int count) {
        std::vector<std::shared_ptr<SimulatedMeter>> meters;
        for (int i = 0; i < count; ++i)
            meters.push_back(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
        auto cables = std::make_shared<SimulatedCables>(std::move(meters));
        cables->nameCables();
        return cables;
    }
    UserFiles files() const { return LocateUserFiles(m_start.path()); }

    static void unlinkAndWait(Application& app) {
        for (int i = 0; i < app.meterCount(); ++i) {
            MeterLink& link = app.meter(i).link();
            QSignalSpy stopped(&link, &MeterLink::stopped);
            link.unlink();
            if (link.isStopping()) {
                ASSERT_TRUE(stopped.wait(10000));
            }
        }
    }

    // Waits until every linked meter has delivered a reading, then takes a manual
    // sample of all of them.
    static void sampleEveryMeter(Application& app) {
        std::vector<std::unique_ptr<QSignalSpy>> fresh;
        for (Meter* meter : app.linkedMeters())
            fresh.push_back(
                std::make_unique<QSignalSpy>(&meter->link(), &MeterLink::readingReceived));
        for (auto& spy : fresh)
            if (spy->isEmpty()) {
                ASSERT_TRUE(spy->wait(10000));
            }
        ASSERT_TRUE(app.recording().takeManualSample());
    }
    // Whether the newest sample of every meter of the recording holds a reading.
    static void expectNewestSampleOfEveryMeter(const RecorderController& recorder, int meters) {
        ASSERT_EQ(recorder.meterCount(), meters);
        const auto newest = static_cast<std::int64_t>(recorder.recording().size()) - 1;
        for (int m = 0; m < meters; ++m) {
            ASSERT_EQ(recorder.meterRecording(m).size(), recorder.recording().size()) << m;
            EXPECT_FALSE(IsGapSample(recorder.meterRecording(m).sampleAt(newest)))
                << "meter " << m + 1 << " recorded a gap";
        }
    }
    static bool openAndWait(RecorderController& recorder, const QString& path) {
        QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
        return recorder.startLoad(path) && loaded.wait(30000) &&
               loaded.first().at(0).value<LoadOutcome>() == LoadOutcome::Loaded;
    }
    // Records two ticks of `count` meters, saves them as one recording and opens it
    // again; a sample taken then must hold a reading of every meter.
    void openedRecordingGoesOnWithEveryMeter(int count) {
        auto cables = makeCables(count);
        Application app(cables, files());
        ASSERT_EQ(LinkAllAndWait(app), count);
        RecorderController& recorder = app.recording();
        recorder.setAcquisition(AcquisitionMode::Manual, 0);
        for (int i = 0; i < 2; ++i)
            sampleEveryMeter(app);
        const QString path = m_start.filePath(QStringLiteral("several.telmora"));
        ASSERT_TRUE(SaveAndWait(recorder, path));
        recorder.clear();
        ASSERT_TRUE(openAndWait(recorder, path));
        ASSERT_EQ(recorder.meterCount(), count);
        sampleEveryMeter(app);
        expectNewestSampleOfEveryMeter(recorder, count);
        recorder.clear();
        unlinkAndWait(app);
    }

    UserDirectories m_home;
    QTemporaryDir m_start;
};

TEST_F(SeveralMeters, LinkAllNamesEachCableAndRemembersRenames) {
    auto cables = makeCables(3);
    {
        Application app(cables, files());
        ASSERT_EQ(app.meterCount(), 1);
        EXPECT_EQ(app.meter(0).name(), "Meter 1");
        QSignalSpy changed(&app, &Application::metersChanged);
        EXPECT_EQ(LinkAllAndWait(app), 3);
        EXPECT_FALSE(changed.isEmpty());
        ASSERT_EQ(app.meterCount(), 3);
        EXPECT_EQ(app.meter(1).name(), "Meter 2");
        EXPECT_EQ(app.meter(2).serial(), "5312");
        EXPECT_EQ(LinkAllAndWait(app), 3) << "linking all again adds nobody twice";
        EXPECT_EQ(app.meterCount(), 3);

        const auto present = app.presentCables();
        ASSERT_EQ(present.size(), 3u);
        for (const auto& cable : present)
            EXPECT_TRUE(cable.linked);
        app.renameMeter(1, QStringLiteral("  Shunt  "));
        app.renameMeter(2, QStringLiteral("   ")); // an empty name is refused
        EXPECT_EQ(app.meter(1).name(), "Shunt");
        EXPECT_EQ(app.meter(2).name(), "Meter 3");
        unlinkAndWait(app);
    }
    Application again(cables, files());
    EXPECT_TRUE(again.linkCable("5311"));
    EXPECT_EQ(WaitForLinks(again), 1);
    ASSERT_EQ(again.meterCount(), 1) << "the first meter takes the cable while it is free";
    EXPECT_EQ(again.meter(0).name(), "Shunt") << "the name belongs to the serial number";
    unlinkAndWait(again);
}

TEST_F(SeveralMeters, AMeterWhoseCableWentKeepsItsPlaceAndTakesItBack) {
    auto cables = makeCables(2);
    Application app(cables, files());
    ASSERT_EQ(LinkAllAndWait(app), 2);
    MeterLink& second = app.meter(1).link();
    QSignalSpy lost(&second, &MeterLink::linkLostNotice);
    cables->meter(1).setCablePresent(false);
    ASSERT_TRUE(lost.wait(20000));
    EXPECT_EQ(app.linkedMeters().size(), 1u);
    EXPECT_TRUE(app.link().isLinked()) << "the first meter goes on";
    EXPECT_EQ(app.presentCables().size(), 1u);

    cables->meter(1).setCablePresent(true);
    EXPECT_EQ(LinkAllAndWait(app), 2);
    EXPECT_EQ(app.meterCount(), 2) << "the cable comes back to its own meter";
    EXPECT_TRUE(second.isLinked());
    unlinkAndWait(app);
}

TEST_F(SeveralMeters, APulledCableDuringARecordingLeavesGapsForItsMeterOnly) {
    auto cables = makeCables(2);
    Application app(cables, files());
    ASSERT_EQ(LinkAllAndWait(app), 2);
    RecorderController& recorder = app.recording();
    ASSERT_EQ(recorder.meterCount(), 2) << "the further linked meter joins the recorder";
    EXPECT_EQ(recorder.meterName(1), "Meter 2");
    recorder.setAcquisition(AcquisitionMode::Manual, 0);

    // One sample per fresh reading of the second meter, so that each tick has both.
    MeterLink& second = app.meter(1).link();
    const auto takeWhenFresh = [&] {
        QSignalSpy fresh(&second, &MeterLink::readingReceived);
        ASSERT_TRUE(fresh.wait(10000));
        ASSERT_TRUE(recorder.takeManualSample());
    };
    for (int i = 0; i < 3; ++i)
        takeWhenFresh();

    QSignalSpy lost(&second, &MeterLink::linkLostNotice);
    cables->meter(1).setCablePresent(false);
    ASSERT_TRUE(lost.wait(20000));
    QSignalSpy firstFresh(&app.link(), &MeterLink::readingReceived);
    ASSERT_TRUE(firstFresh.wait(10000));
    ASSERT_TRUE(recorder.takeManualSample()) << "the first meter goes on";

    ASSERT_EQ(recorder.meterRecording(0).size(), 4u);
    ASSERT_EQ(recorder.meterRecording(1).size(), 4u) << "every meter has a sample per tick";
    for (std::int64_t i = 0; i < 3; ++i)
        EXPECT_FALSE(IsGapSample(recorder.meterRecording(1).sampleAt(i))) << i;
    EXPECT_TRUE(IsGapSample(recorder.meterRecording(1).sampleAt(3)));
    EXPECT_FALSE(IsGapSample(recorder.meterRecording(0).sampleAt(3)));
    std::int64_t counted = 0;
    for (const StatisticsGroup& group : recorder.meterStatistics(1).groups())
        counted += group.values.count() + group.overloads;
    EXPECT_EQ(counted, 3) << "the gap counts in no statistics";
    recorder.clear();
    unlinkAndWait(app);
}

TEST_F(SeveralMeters, AnOpenedRecordingOfTwoMetersGoesOnWithBoth) {
    openedRecordingGoesOnWithEveryMeter(2);
}

TEST_F(SeveralMeters, AnOpenedRecordingOfThreeMetersGoesOnWithAllThree) {
    openedRecordingGoesOnWithEveryMeter(3);
}

TEST_F(SeveralMeters, ARecordingTakenUpAfterACrashGoesOnWithEveryMeter) {
    auto cables = makeCables(2);
    Application app(cables, files());
    const QString directory = app.userFiles().temporaryDirectory;
    CrashWhileRecording(directory, 4, true);
    std::vector<OrphanedRecording> orphans = ClaimOrphanedRecordings(directory);
    ASSERT_EQ(orphans.size(), 1u);
    RecorderController& recorder = app.recording();
    ASSERT_TRUE(openAndWait(recorder, orphans[0].path));
    recorder.adoptTemporaryFile(orphans[0].path, std::move(orphans[0].claim));
    ASSERT_EQ(LinkAllAndWait(app), 2);
    recorder.setAcquisition(AcquisitionMode::Manual, 0);
    sampleEveryMeter(app);
    expectNewestSampleOfEveryMeter(recorder, 2);
    EXPECT_EQ(recorder.recording().size(), 5u);
    recorder.clear();
    unlinkAndWait(app);
}

TEST_F(SeveralMeters, OneCableLinksTheFirstMeterAsAlways) {
    Application app(std::make_shared<SimulatedMeter>(SimScenario::Demo, false), files());
    EXPECT_EQ(LinkAllAndWait(app), 1);
    EXPECT_EQ(app.meterCount(), 1);
    EXPECT_TRUE(app.link().isLinked());
    EXPECT_TRUE(app.meter(0).cableKey().empty()) << "the first cable found, as before";
    unlinkAndWait(app);
}

TEST(SimulateOption, ACommaListSimulatesOneCableEachWithItsOwnSerial) {
    std::string error;
    const auto backend = MakeCableBackend("--simulate=demo,replug,demo", &error);
    ASSERT_TRUE(backend) << error;
    std::vector<std::string> serials;
    for (const HidInterfaceInfo& info : backend->interfaces())
        if (!info.serial.empty())
            serials.push_back(info.serial);
    EXPECT_EQ(serials, (std::vector<std::string>{"5310", "5311", "5312"}));
    EXPECT_FALSE(MakeCableBackend("--simulate=demo,,demo", &error));
    EXPECT_NE(error.find("unknown simulation ''"), std::string::npos) << error;
    EXPECT_FALSE(MakeCableBackend("--simulate=demo,bogus", &error));
    EXPECT_NE(error.find("'bogus'"), std::string::npos) << error;
}

} // namespace

TEST_F(SeveralMeters, TheLoggerDownloadsFromTheMeterChosenBySerialNumber) {
    auto cables = makeCables(3);
    Application app(cables, files());
    EXPECT_EQ(&app.loggerMeter(), &app.meter(0)) << "one meter: its logger, as always";
    ASSERT_EQ(LinkAllAndWait(app), 3);
    EXPECT_EQ(&app.loggerMeter(), &app.meter(0)) << "by default the first linked meter";
    app.chooseLoggerMeter(2);
    unlinkAndWait(app);
    ASSERT_EQ(&app.loggerMeter(), &app.meter(2)) << "the choice outlives the links";

    const std::size_t firstBefore = cables->meter(0).commands().size();
    const std::size_t chosenBefore = cables->meter(2).commands().size();
    LoggerSessions& logger = app.loggerSessions();
    QSignalSpy question(&logger, &LoggerSessions::downloadConfirmationNeeded);
    QSignalSpy finished(&logger, &LoggerSessions::downloadFinished);
    logger.startDownload();
    ASSERT_TRUE(question.wait(10000));
    logger.confirmDownload(true);
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(finished.at(0).at(0).value<DownloadResult::Status>(), DownloadResult::Status::Done);
    EXPECT_GT(logger.sessionCount(), 0);
    EXPECT_GT(cables->meter(2).commands().size(), chosenBefore) << "read from the chosen meter";
    EXPECT_EQ(cables->meter(0).commands().size(), firstBefore) << "the first meter is left alone";

    // Linked again, the choice still names that meter by its serial number.
    ASSERT_EQ(LinkAllAndWait(app), 3);
    EXPECT_EQ(app.loggerMeter().serial(), "5312");
    unlinkAndWait(app);
}
