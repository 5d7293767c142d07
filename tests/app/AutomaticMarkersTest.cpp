// Markers the recorder makes by itself, with simulated meters: a reading that
// crosses a meter's comparator limits (once per crossing) and a cable that is lost
// and comes back, each naming the meter.
#include "LinkWaits.h"
#include "UserDirectories.h"
#include "app/Application.h"
#include "app/Meter.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedCables.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

class MarkersByThemselves : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::shared_ptr<SimulatedMeter>> meters;
        for (int i = 0; i < 2; ++i)
            meters.push_back(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
        m_cables = std::make_shared<SimulatedCables>(std::move(meters));
        m_cables->nameCables();
        m_app = std::make_unique<Application>(m_cables, LocateUserFiles(m_start.path()));
        ASSERT_EQ(LinkAllAndWait(*m_app), 2);
        // Every reading within the limits until a test moves them.
        m_app->setComparatorLimits(3e9, -3e9);
        m_app->meter(1).setLimits(3e9, -3e9);
        recorder().setAcquisition(AcquisitionMode::Manual, 0);
        ASSERT_TRUE(nextReading(0));
        ASSERT_TRUE(recorder().takeManualSample()); // a manual series runs
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
    bool nextReading(int meter) const {
        QSignalSpy fresh(&m_app->meter(meter).link(), &MeterLink::readingReceived);
        return fresh.wait(10000);
    }
    // The notes of the markers of meter `meter` that begin with `kind`. (The demo
    // meter shows an overload now and then, which is above any limit.)
    QStringList notes(int meter, const QString& kind) const {
        QStringList all;
        for (const Marker& marker : recorder().markers().all())
            if (marker.serial == m_app->meter(meter).serial() && marker.note.startsWith(kind))
                all << marker.note;
        return all;
    }

    UserDirectories m_home;
    QTemporaryDir m_start;
    std::shared_ptr<SimulatedCables> m_cables;
    std::unique_ptr<Application> m_app;
};

} // namespace

TEST_F(MarkersByThemselves, ACrossingOfTheLimitsIsMarkedOnceForTheMeter) {
    Meter& second = m_app->meter(1);
    const QString alarm = QStringLiteral("Alarm");
    const QString wentAbove = QStringLiteral("Alarm: Meter 2 went above the upper limit");
    const QString wentBelow = QStringLiteral("Alarm: Meter 2 went below the lower limit");
    const qsizetype before = notes(1, alarm).size(); // an overload may have marked already
    second.setLimits(-2e9, -3e9);                    // every reading lies above
    ASSERT_TRUE(nextReading(1));
    ASSERT_TRUE(nextReading(1)) << "and stays above: no second marker";
    ASSERT_EQ(notes(1, alarm).mid(before), QStringList{wentAbove});
    // Meter 1's own overloads may mark the recording too: find meter 2's marker.
    const std::vector<Marker>& all = recorder().markers().all();
    const auto found = std::find_if(all.rbegin(), all.rend(), [&](const Marker& marker) {
        return marker.serial == second.serial();
    });
    ASSERT_NE(found, all.rend());
    const Marker& above = *found;
    EXPECT_EQ(above.note, wentAbove);
    EXPECT_EQ(above.meter, QStringLiteral("Meter 2"));
    EXPECT_EQ(above.serial, second.serial());
    EXPECT_EQ(above.sample, 0);

    // Below, where an overload of the demo meter still lies above: each crossing
    // after the new limits is marked once.
    second.setLimits(3e9, 2e9);
    for (int i = 0; i < 10 && !notes(1, alarm).mid(before + 1).contains(wentBelow); ++i)
        ASSERT_TRUE(nextReading(1));
    const QStringList crossings = notes(1, alarm).mid(before + 1);
    ASSERT_TRUE(crossings.contains(wentBelow));
    for (qsizetype i = 1; i < crossings.size(); ++i)
        EXPECT_NE(crossings[i], crossings[i - 1]) << "one marker per crossing";
    m_app->setComparatorLimits(-2e9, -3e9); // the first meter's limits are the application's
    ASSERT_TRUE(nextReading(0));
    EXPECT_TRUE(
        notes(0, alarm).contains(QStringLiteral("Alarm: Meter 1 went above the upper limit")));

    // Without a recording nothing is marked.
    recorder().clear();
    second.setLimits(-2e9, -3e9);
    ASSERT_TRUE(nextReading(1));
    EXPECT_TRUE(recorder().markers().empty());
}

TEST_F(MarkersByThemselves, ALostCableAndItsReturnAreMarked) {
    const QString cable = QStringLiteral("The cable");
    m_app->setReconnectAutomatically(true);
    MeterLink& link = m_app->meter(1).link();
    link.setReconnectPause(5ms);
    QSignalSpy waiting(&link, &MeterLink::waitingForCableChanged);
    m_cables->meter(1).setCablePresent(false);
    ASSERT_TRUE(waiting.wait(20000));
    m_cables->meter(1).setCablePresent(true);
    ASSERT_TRUE(waiting.wait(20000));
    EXPECT_EQ(notes(1, cable), (QStringList{QStringLiteral("The cable of Meter 2 was lost"),
                                            QStringLiteral("The cable of Meter 2 is back")}));

    // Without reconnecting, a pulled cable ends the link: marked once.
    m_app->setReconnectAutomatically(false);
    QSignalSpy lost(&m_app->meter(0).link(), &MeterLink::linkLostNotice);
    m_cables->meter(0).setCablePresent(false);
    ASSERT_TRUE(lost.wait(20000));
    EXPECT_EQ(notes(0, cable), QStringList{QStringLiteral("The cable of Meter 1 was lost")});
}
