// Several cables at once through the real cable backend and the hidapi stand-in:
// each cable is known by its serial number, or by its path when the serial numbers
// are missing or shared; each has a link of its own, and pulling one ends only its
// link.
#include "HidStub.h"
#include "LinkWaits.h"

#include "meter/CableAccess.h"
#include "meter/HidapiBackend.h"
#include "meter/MeterLink.h"
#include "meter/cablelist.h"
#include "model/decode.h"
#include "sim/DisplayEncoder.h"
#include "sim/SimulatedCables.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

class SeveralCables : public ::testing::Test {
protected:
    void SetUp() override {
        m_cables = std::make_shared<SimulatedCables>(std::vector<std::shared_ptr<SimulatedMeter>>{
            std::make_shared<SimulatedMeter>(SimScenario::Demo, false),
            std::make_shared<SimulatedMeter>(SimScenario::Demo, false)});
        m_cables->nameCables();
        hidstub::reset(m_cables.get(), 2);
        m_backend = std::make_shared<HidapiBackend>();
    }
    void TearDown() override {
        EXPECT_EQ(hidstub::openHandles(), 0) << "every handle is closed again";
        hidstub::reset(nullptr);
    }

    // Every poll reply of meter `index` shows `text` volts.
    void showReading(std::size_t index, const char* text) {
        DesiredReading r;
        SetDisplayText(text, r.main);
        r.main.code = FunctionCodeOf(MeterFunction::VoltsDc);
        m_cables->meter(index).setDisplayData(ExtractDataBytes(EncodeDisplay(r)));
    }

    std::shared_ptr<SimulatedCables> m_cables;
    std::shared_ptr<HidapiBackend> m_backend;
};

TEST_F(SeveralCables, EachCableIsKnownBySerialOrByPathWhenSerialsAreMissingOrShared) {
    std::vector<CableEntry> cables = ListCables(*m_backend);
    ASSERT_EQ(cables.size(), 2u) << "the cable-like foreign interfaces are not listed";
    EXPECT_EQ(cables[0].key, "5310");
    EXPECT_EQ(cables[1].key, "5311");
    EXPECT_TRUE(OpenCableByKey(*m_backend, "5311").valid());
    EXPECT_FALSE(OpenCableByKey(*m_backend, "9999").valid());

    hidstub::setSerial(L"A7");
    cables = ListCables(*m_backend);
    ASSERT_EQ(cables.size(), 2u);
    EXPECT_EQ(cables[0].serial, "A7");
    EXPECT_NE(cables[0].key, cables[1].key) << "a shared serial number is no key";
    EXPECT_EQ(cables[1].key, cables[1].path);
    EXPECT_TRUE(OpenCableByKey(*m_backend, cables[1].key).valid());

    hidstub::setSerial(L"", false);
    cables = ListCables(*m_backend);
    ASSERT_EQ(cables.size(), 2u);
    EXPECT_EQ(cables[0].key, cables[0].path) << "no serial number: the path";
}

TEST_F(SeveralCables, TwoLinksReadTheirOwnMetersAndAPulledCableEndsOnlyItsLink) {
    showReading(0, "1.000");
    showReading(1, "2.000");
    CableAccess firstCable(m_backend, "5310");
    CableAccess secondCable(m_backend, "5311");
    MeterLink first(firstCable);
    MeterLink second(secondCable);
    QSignalSpy firstReadings(&first, &MeterLink::readingReceived);
    QSignalSpy secondReadings(&second, &MeterLink::readingReceived);
    QSignalSpy secondLost(&second, &MeterLink::linkLostNotice);
    ASSERT_TRUE(LinkAndWait(first));
    ASSERT_TRUE(LinkAndWait(second));
    while (firstReadings.size() < 3 || secondReadings.size() < 3)
        ASSERT_TRUE((firstReadings.size() < 3 ? firstReadings : secondReadings).wait(10000));
    EXPECT_EQ(firstReadings.last().at(0).value<DecodedReply>().main.text, "1.000");
    EXPECT_EQ(secondReadings.last().at(0).value<DecodedReply>().main.text, "2.000");

    m_cables->meter(1).setCablePresent(false);
    ASSERT_TRUE(secondLost.wait(20000));
    EXPECT_FALSE(second.isLinked());
    EXPECT_TRUE(first.isLinked()) << "the other meter goes on";
    const qsizetype before = firstReadings.size();
    ASSERT_TRUE(firstReadings.wait(10000));
    EXPECT_GT(firstReadings.size(), before);

    QSignalSpy stopped(&first, &MeterLink::stopped);
    QSignalSpy secondStopped(&second, &MeterLink::stopped);
    first.unlink();
    ASSERT_TRUE(stopped.wait(10000));
    if (second.isStopping()) {
        ASSERT_TRUE(secondStopped.wait(10000));
    }
}

} // namespace
