// Every meter of a recording is alike: whatever happens to one meter is handled the
// same way whichever place it has, with two and three meters.
#include "FakeLiveSource.h"
#include "recording/GapSample.h"
#include "recording/RecorderController.h"
#include "recording/RecordingManifest.h"
#include "recording/TemporaryGroupFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <array>
#include <vector>

using namespace telmora;

namespace {

struct EqualMeters : ::testing::TestWithParam<int> {
    QTemporaryDir dir;
    std::array<FakeLiveSource, 3> live;
    RecorderController recorder{ReadingsOf(live[0]), dir.path()};
    QSignalSpy errors{&recorder, &RecorderController::errorRaised};

    int meters() const { return GetParam(); }
    void useMeters() {
        std::vector<RecorderMeter> list;
        for (int m = 0; m < meters(); ++m)
            list.push_back({QStringLiteral("M%1").arg(m + 1), QStringLiteral("S%1").arg(m + 1),
                            ReadingsOf(live[static_cast<std::size_t>(m)])});
        recorder.setMeters(std::move(list));
    }
    void deliverAll(const char* text) {
        for (int m = 0; m < meters(); ++m)
            live[static_cast<std::size_t>(m)].deliver(text);
    }
    // The temporary file of meter `meter`, as the group file names it.
    QString temporaryFileOf(int meter) const {
        const QString groupPath = GroupFilePath(recorder.temporaryFilePath());
        const std::optional<RecordingManifest> group = ReadManifest(groupPath);
        if (!group || meter >= static_cast<int>(group->meters.size()))
            return {};
        return ManifestMemberPath(groupPath, group->meters[static_cast<std::size_t>(meter)].file);
    }
};

} // namespace

TEST_P(EqualMeters, ALowBatteryOfAnyMeterIsToldOnce) {
    for (int low = 0; low < meters(); ++low) {
        recorder.clear();
        useMeters();
        QSignalSpy lowBattery(&recorder, &RecorderController::lowBatteryAppeared);
        deliverAll(" 1.000");
        ASSERT_TRUE(recorder.startRecording());
        recorder.takeScheduledSample();
        EXPECT_EQ(lowBattery.count(), 0);
        deliverAll(" 1.001");
        live[static_cast<std::size_t>(low)].reading.lowBattery = true;
        recorder.takeScheduledSample();
        deliverAll(" 1.002");
        live[static_cast<std::size_t>(low)].reading.lowBattery = true;
        recorder.takeScheduledSample();
        EXPECT_EQ(lowBattery.count(), 1) << "meter " << low + 1;
        recorder.stopRecording();
    }
}

TEST_P(EqualMeters, AnyMetersEndLeavesTheOthersRecording) {
    for (int ended = 0; ended < meters(); ++ended) {
        recorder.clear();
        useMeters();
        deliverAll(" 2.000");
        ASSERT_TRUE(recorder.startRecording());
        recorder.takeScheduledSample();
        live[static_cast<std::size_t>(ended)].linked = false;
        recorder.meterLinkEnded();
        EXPECT_TRUE(recorder.isRecording());
        deliverAll(" 2.500");
        recorder.takeScheduledSample();
        for (int m = 0; m < meters(); ++m) {
            const std::optional<SampleEntry> sample = recorder.meterRecording(m).readSample(1);
            ASSERT_TRUE(sample);
            EXPECT_EQ(IsGapSample(*sample), m == ended) << "meter " << m + 1;
        }
        recorder.stopRecording();
        for (FakeLiveSource& source : live)
            source.linked = true;
    }
}

TEST_P(EqualMeters, AFileCutShortUnderAnyMeterMarksTheRecordingDamaged) {
    for (int cut = 0; cut < meters(); ++cut) {
        RecorderController own(ReadingsOf(live[0]), dir.path());
        std::vector<RecorderMeter> list;
        for (int m = 0; m < meters(); ++m)
            list.push_back({QStringLiteral("M%1").arg(m + 1), QStringLiteral("S%1").arg(m + 1),
                            ReadingsOf(live[static_cast<std::size_t>(m)])});
        own.setMeters(std::move(list));
        QSignalSpy damaged(&own, &RecorderController::recordingDamaged);
        deliverAll(" 3.000");
        ASSERT_TRUE(own.startRecording());
        own.takeScheduledSample();
        deliverAll(" 3.500");
        own.takeScheduledSample();
        const QString groupPath = GroupFilePath(own.temporaryFilePath());
        const std::optional<RecordingManifest> group = ReadManifest(groupPath);
        ASSERT_TRUE(group);
        own.stopRecording();
        const QString victim =
            ManifestMemberPath(groupPath, group->meters[static_cast<std::size_t>(cut)].file);
        ASSERT_TRUE(QFile::resize(victim, 0));
        EXPECT_FALSE(own.meterRecording(cut).readSample(1));
        ASSERT_TRUE(damaged.count() > 0 || damaged.wait(5000)) << "meter " << cut + 1;
        EXPECT_TRUE(own.isDamaged());
    }
}

INSTANTIATE_TEST_SUITE_P(TwoAndThree, EqualMeters, ::testing::Values(2, 3));
