// Each meter's limit counts over the recorder's recording: followed sample by
// sample, counted again over the whole recording when the limits change, a
// recording is opened or cleared.
#include "recording/RecordingLimits.h"
#include "FakeLiveSource.h"
#include "JobWaits.h"
#include "recording/RecorderController.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace telmora;

namespace {

struct LimitCountsOfMeters : ::testing::Test {
    QTemporaryDir dir;
    FakeLiveSource first, second;
    RecorderController recorder{ReadingsOf(first), dir.path()};

    void SetUp() override {
        recorder.setMeters({{QStringLiteral("A"), QStringLiteral("S1"), ReadingsOf(first)},
                            {QStringLiteral("B"), QStringLiteral("S2"), ReadingsOf(second)}});
    }
    RecordingLimits& limits() { return recorder.limitCounts(); }
    // Waits for a count of the whole recording.
    bool counted() {
        if (!limits().pending())
            return true;
        QSignalSpy changed(&limits(), &RecordingLimits::countsChanged);
        while (limits().pending())
            if (!changed.wait(30000))
                return false;
        return true;
    }
    // One tick; an empty text leaves that meter without a fresh reading (a gap).
    void tick(std::string_view a, std::string_view b) {
        if (!a.empty())
            first.deliver(a);
        if (!b.empty())
            second.deliver(b);
        recorder.takeScheduledSample();
    }
    static LimitCounts counts(const LimitTest* test) {
        return test != nullptr ? test->counts() : LimitCounts{-1, -1, -1, -1};
    }
};

} // namespace

namespace telmora {
void PrintTo(const LimitCounts& c, std::ostream* out) {
    *out << c.inside << " inside, " << c.above << " above, " << c.below << " below, "
         << c.excursions << " excursions";
}
} // namespace telmora

TEST_F(LimitCountsOfMeters, EachMeterCountsAgainstItsOwnLimits) {
    limits().setLimits(
        {LimitTest(1.0, 2.0, LimitUnits::Comparator), LimitTest(0.0, 5.0, LimitUnits::Comparator)});
    ASSERT_TRUE(counted());
    first.deliver(" 1.500");
    second.deliver(" 9.000");
    ASSERT_TRUE(recorder.startRecording());
    recorder.takeScheduledSample(); // A inside, B above
    tick(" 0.L", "");               // A overload (above), B a gap
    tick(" 2.500", " 4.000");       // A still outside: the same excursion
    tick(" 0.500", " 6.000");       // A below, same run; B a new excursion
    tick(" 1.000", " 5.000");       // both on a limit: inside
    EXPECT_EQ(counts(limits().counts(0)), (LimitCounts{2, 2, 1, 1}));
    EXPECT_EQ(counts(limits().counts(1)), (LimitCounts{2, 2, 0, 2}));

    // New limits count the whole recording again, and go on with it.
    QSignalSpy changed(&limits(), &RecordingLimits::countsChanged);
    limits().setLimits({LimitTest(1.0, 2.0, LimitUnits::Comparator), std::nullopt});
    EXPECT_TRUE(limits().pending());
    EXPECT_EQ(limits().counts(0), nullptr) << "nothing shown while counting";
    ASSERT_TRUE(counted());
    EXPECT_EQ(counts(limits().counts(0)), (LimitCounts{2, 2, 1, 1}));
    EXPECT_EQ(limits().counts(1), nullptr) << "a meter without limits";
    limits().setLimits({LimitTest(0.0, 3.0, LimitUnits::Comparator), std::nullopt});
    ASSERT_TRUE(counted());
    EXPECT_EQ(counts(limits().counts(0)), (LimitCounts{4, 1, 0, 1}));
    tick(" 3.500", " 1.000");
    EXPECT_EQ(counts(limits().counts(0)), (LimitCounts{4, 2, 0, 2}));
    EXPECT_GT(changed.count(), 0);

    recorder.stopRecording();
    recorder.clear();
    EXPECT_EQ(counts(limits().counts(0)), (LimitCounts{}));
}

TEST_F(LimitCountsOfMeters, AnOpenedRecordingIsCountedAndSamplesTakenMeanwhileJoin) {
    limits().setLimits({LimitTest(1.0, 2.0, LimitUnits::Comparator), std::nullopt});
    first.deliver(" 1.500");
    second.deliver(" 1.000");
    ASSERT_TRUE(recorder.startRecording());
    recorder.takeScheduledSample();
    tick(" 3.000", " 1.000");
    recorder.stopRecording();
    const QString path = dir.filePath(QStringLiteral("two.telmora"));
    ASSERT_TRUE(SaveAndWait(recorder, path));
    recorder.clear();

    QSignalSpy loaded(&recorder, &RecorderController::loadFinished);
    ASSERT_TRUE(recorder.startLoad(path));
    ASSERT_TRUE(loaded.wait(30000));
    ASSERT_TRUE(counted());
    EXPECT_EQ(counts(limits().counts(0)), (LimitCounts{1, 1, 0, 1}));
    // The recording goes on: its new samples are counted on top (still the same
    // excursion: it went from above to below).
    ASSERT_TRUE(recorder.startRecording());
    tick(" 0.100", " 1.000");
    EXPECT_EQ(counts(limits().counts(0)), (LimitCounts{1, 1, 1, 1}));
}
