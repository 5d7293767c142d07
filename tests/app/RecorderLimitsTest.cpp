// Each meter's comparator limits count the recorder's recording of that meter,
// with simulated meters: found by serial number, each with its own limits, a meter
// without limits counted not at all, a meter that is gone counted no further.
#include "LinkWaits.h"
#include "UserDirectories.h"
#include "app/Application.h"
#include "app/Meter.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "recording/GapSample.h"
#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"
#include "recording/RecordingStatistics.h"
#include "sim/SimulatedCables.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

// The limit counts of a recording and its gaps, worked out here sample by sample.
struct Expected {
    LimitCounts counts;
    int gaps = 0;
};

Expected countAgainst(const Recording& recording, double low, double high) {
    Expected out;
    bool outside = false;
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(recording.size()); ++i) {
        const SampleEntry sample = recording.sampleAt(i);
        const TypedReading reading = RecorderMainReading(sample);
        if (!reading.hasValue() && !reading.overloaded()) {
            out.gaps += IsGapSample(sample) ? 1 : 0;
            continue;
        }
        const bool over = reading.overloaded() || reading.value > high;
        const bool under = !over && reading.value < low;
        if (over || under) {
            ++(over ? out.counts.above : out.counts.below);
            out.counts.excursions += outside ? 0 : 1;
        } else {
            ++out.counts.inside;
        }
        outside = over || under;
    }
    return out;
}

class RecorderLimits : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::shared_ptr<SimulatedMeter>> meters;
        for (int i = 0; i < 2; ++i)
            meters.push_back(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
        m_cables = std::make_shared<SimulatedCables>(std::move(meters));
        m_cables->nameCables();
        m_app = std::make_unique<Application>(m_cables, LocateUserFiles(m_start.path()));
        ASSERT_EQ(LinkAllAndWait(*m_app), 2);
        recorder().setAcquisition(AcquisitionMode::Manual, 0);
    }
    void TearDown() override {
        if (!m_app)
            return;
        recorder().clear();
        for (int i = 0; i < m_app->meterCount(); ++i) {
            MeterLink& link = m_app->meter(i).link();
            QSignalSpy stopped(&link, &MeterLink::stopped);
            link.unlink();
            if (link.isStopping())
                stopped.wait(10000);
        }
    }
    RecorderController& recorder() const { return m_app->recording(); }
    RecordingLimits& limits() const { return recorder().limitCounts(); }
    bool nextReading(int meter) const {
        QSignalSpy fresh(&m_app->meter(meter).link(), &MeterLink::readingReceived);
        return fresh.wait(10000);
    }
    bool counted() const {
        QSignalSpy changed(&limits(), &RecordingLimits::countsChanged);
        while (limits().pending())
            if (!changed.wait(30000))
                return false;
        return true;
    }
    // The track of the recording that meter `meter` records.
    int track(int meter) const { return recorder().meterOfSerial(m_app->meter(meter).serial()); }

    UserDirectories m_home;
    QTemporaryDir m_start;
    std::shared_ptr<SimulatedCables> m_cables;
    std::unique_ptr<Application> m_app;
};

} // namespace

TEST_F(RecorderLimits, EachMeterIsCountedAgainstItsOwnLimitsFoundBySerial) {
    // Whatever the demo meters show, the counts are those worked out here; the
    // first meter's wide limits hold nearly everything, the second's narrow ones
    // little. (The first comparator's limits are the first meter's.)
    m_app->setComparatorLimits(1e6, -1e6);
    m_app->meter(1).setLimits(2.0, 1.0);
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(nextReading(1));
        ASSERT_TRUE(recorder().takeManualSample());
    }
    // The second meter goes: it has gaps from then on, counted nowhere.
    QSignalSpy stopped(&m_app->meter(1).link(), &MeterLink::stopped);
    m_app->meter(1).link().unlink();
    ASSERT_TRUE(stopped.wait(10000));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(nextReading(0));
        ASSERT_TRUE(recorder().takeManualSample());
    }
    ASSERT_TRUE(counted());
    ASSERT_EQ(recorder().meterCount(), 2);
    for (const int meter : {0, 1}) {
        const Meter& live = m_app->meter(meter);
        const Expected expected = countAgainst(recorder().meterRecording(track(meter)),
                                               live.lowLimit(), live.highLimit());
        const LimitTest* counts = limits().counts(track(meter));
        ASSERT_NE(counts, nullptr) << meter;
        EXPECT_EQ(counts->low(), live.lowLimit());
        EXPECT_EQ(counts->high(), live.highLimit());
        EXPECT_EQ(counts->counts().inside, expected.counts.inside) << meter;
        EXPECT_EQ(counts->counts().above, expected.counts.above) << meter;
        EXPECT_EQ(counts->counts().below, expected.counts.below) << meter;
        EXPECT_EQ(counts->counts().excursions, expected.counts.excursions) << meter;
        if (meter == 1) {
            EXPECT_GE(expected.gaps, 3);
        }
    }

    // New limits count the whole recording again; limits of 0 and 0 count nothing.
    m_app->meter(1).setLimits(1e6, -1e6);
    ASSERT_TRUE(counted());
    const LimitTest* widened = limits().counts(track(1));
    ASSERT_NE(widened, nullptr);
    const Expected all = countAgainst(recorder().meterRecording(track(1)), -1e6, 1e6);
    EXPECT_EQ(widened->counts().inside, all.counts.inside);
    EXPECT_EQ(widened->counts().above, all.counts.above) << "overloads only";
    m_app->setComparatorLimits(0, 0);
    ASSERT_TRUE(counted());
    EXPECT_EQ(limits().counts(track(0)), nullptr);
    EXPECT_NE(limits().counts(track(1)), nullptr) << "the other meter keeps its own";
}
