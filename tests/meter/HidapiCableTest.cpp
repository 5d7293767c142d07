// The real cable backend, run through a stand-in for the hidapi library with a
// simulated meter behind it: finding the cable among other HID interfaces, the
// poll with damaged, late and missing reports, the live link, the About box's
// cable lines and a whole logger download.
#include "HidStub.h"
#include "LinkWaits.h"

#include "logger/LoggerDownload.h"
#include "logger/sessiontext.h"
#include "meter/CableAccess.h"
#include "meter/CableProtocol.h"
#include "meter/HidapiBackend.h"
#include "meter/MeterLink.h"
#include "meter/aboutlines.h"
#include "model/decode.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/DisplayEncoder.h"
#include "sim/SimulatedMeter.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace telmora;
using hidstub::Fault;

namespace {

class HidapiCable : public ::testing::Test {
protected:
    void SetUp() override {
        m_meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
        hidstub::reset(m_meter.get());
        m_backend = std::make_shared<HidapiBackend>();
    }
    void TearDown() override {
        EXPECT_EQ(hidstub::openHandles(), 0) << "every handle is closed again";
        hidstub::reset(nullptr);
    }

    // Every poll reply shows -12.34 V DC.
    void showFixedReading() {
        DesiredReading r;
        SetDisplayText("-12.34", r.main);
        r.main.code = FunctionCodeOf(MeterFunction::VoltsDc);
        const auto reply = EncodeDisplay(r);
        m_meter->setDisplayData(ExtractDataBytes(reply));
    }

    // The poll's result and, when it succeeded, the main display's text.
    static std::pair<std::int32_t, std::string> poll(CableHandle& cable) {
        PollBuffer reply{};
        const std::int32_t result = PollMeter(cable, reply);
        if (result != CableResult::Done)
            return {result, ""};
        EXPECT_EQ(reply[0] | reply[9] | reply[18], 0) << "report numbers in front again";
        DecodedReply r;
        DecodeReply(std::span<const std::uint8_t, kReplySize>(reply.data(), kReplySize), r);
        return {result, r.main.text.str()};
    }

    std::shared_ptr<SimulatedMeter> m_meter;
    std::shared_ptr<HidapiBackend> m_backend;
};

const std::pair<std::int32_t, std::string> kGoodPoll{CableResult::Done, "-12.34"};

} // namespace

TEST_F(HidapiCable, CableIsFoundBehindOtherInterfacesWithinTheSearchedNumbers) {
    const std::vector<HidInterfaceInfo> list = m_backend->interfaces();
    ASSERT_TRUE(hidstub::used()) << "the stand-in, not the real library, answers";
    ASSERT_EQ(list.size(), 6u); // four of the stand-in's, one of the meter's, the cable
    EXPECT_EQ(list.back().attributes.vendorId, kCableVendorId);
    EXPECT_EQ(list[2].attributes.vendorId, kCableVendorId) << "same vendor, other product";

    CableHandle cable = OpenCable(*m_backend);
    ASSERT_TRUE(cable.valid());
    const std::optional<HidAttributes> attributes = cable.device()->attributes();
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(attributes->productId, kCableProductId);
    EXPECT_EQ(attributes->versionNumber, 0x0105);
    EXPECT_EQ(hidstub::openHandles(), 1) << "the other interfaces were closed again";
    cable.close();

    // Interface numbers 0..19 are searched.
    hidstub::reset(m_meter.get(), kInterfaceNumbers - 2);
    EXPECT_TRUE(OpenCable(*m_backend).valid());
    hidstub::reset(m_meter.get(), kInterfaceNumbers - 1);
    EXPECT_FALSE(OpenCable(*m_backend).valid());
}

TEST_F(HidapiCable, PollSurvivesEmptyShortAndMissingReports) {
    showFixedReading();
    CableHandle cable = OpenCable(*m_backend);
    EXPECT_EQ(poll(cable), kGoodPoll);

    // Reads that come back empty before their time is up are read again.
    hidstub::faultOnReport(1, Fault::Empty);
    EXPECT_EQ(poll(cable), kGoodPoll);
    hidstub::faultOnReport(2, Fault::Empty);
    EXPECT_EQ(poll(cable), kGoodPoll);

    // A short report still counts as a whole one and does not shift the next reply.
    hidstub::faultOnReport(2, Fault::Short, 3);
    EXPECT_EQ(poll(cable).first, CableResult::Done);
    EXPECT_EQ(poll(cable), kGoodPoll);

    // A lost or late last report cuts the reply short; a late one must not be
    // taken for the first report of the next reply.
    hidstub::faultOnReport(3, Fault::Lost);
    EXPECT_EQ(poll(cable).first, CableResult::ShortReply);
    EXPECT_EQ(poll(cable), kGoodPoll);
    hidstub::faultOnReport(3, Fault::Late);
    EXPECT_EQ(poll(cable).first, CableResult::ShortReply);
    EXPECT_EQ(poll(cable), kGoodPoll);
    EXPECT_EQ(poll(cable), kGoodPoll);

    hidstub::faultOnReport(1, Fault::Error);
    EXPECT_EQ(poll(cable).first, CableResult::Failed);
    EXPECT_EQ(poll(cable), kGoodPoll);
    EXPECT_EQ(hidstub::pendingFaults(), 0);
}

TEST_F(HidapiCable, CablePulledMidReplyFailsEveryFurtherUseUntilPluggedAgain) {
    showFixedReading();
    CableHandle cable = OpenCable(*m_backend);
    hidstub::faultOnReport(2, Fault::Pull);
    EXPECT_EQ(poll(cable).first, CableResult::Failed);
    EXPECT_EQ(poll(cable).first, CableResult::Failed);
    EXPECT_FALSE(cable.device()->serialNumber().has_value());
    EXPECT_FALSE(OpenCable(*m_backend).valid());
    cable.close();

    hidstub::plugCable();
    CableHandle again = OpenCable(*m_backend);
    EXPECT_EQ(poll(again), kGoodPoll);
}

TEST_F(HidapiCable, LiveLinkDeliversReadingsThroughFaultsUntilTheCableIsPulled) {
    showFixedReading();
    // Reply n (from 1) is made of reports 3n-2 .. 3n while nothing goes wrong.
    hidstub::faultOnReport(12, Fault::Late);
    hidstub::faultOnReport(16, Fault::Empty);
    hidstub::faultOnReport(27, Fault::Lost);
    hidstub::faultOnReport(122, Fault::Pull);

    CableAccess cable(m_backend);

    MeterLink link(cable);
    QSignalSpy readings(&link, &MeterLink::readingReceived);
    QSignalSpy lost(&link, &MeterLink::linkLostNotice);
    ASSERT_TRUE(LinkAndWait(link));
    EXPECT_TRUE(lost.wait(20000)) << "the pulled cable ends the link";
    EXPECT_FALSE(link.isLinked());

    EXPECT_EQ(hidstub::pendingFaults(), 0);
    EXPECT_GE(m_meter->polls(), 40) << "polling went on after each fault";
    ASSERT_FALSE(readings.isEmpty());
    for (const QList<QVariant>& signal : readings)
        EXPECT_EQ(signal.at(0).value<DecodedReply>().main.text, "-12.34");
}

TEST_F(HidapiCable, LiveLinkShowsTheDemoMeter) {
    CableAccess cable(m_backend);
    MeterLink link(cable);
    QSignalSpy readings(&link, &MeterLink::readingReceived);
    ASSERT_TRUE(LinkAndWait(link));
    while (readings.size() < 5)
        ASSERT_TRUE(readings.wait(10000));
    link.unlink();
    const DecodedReply r = readings.first().at(0).value<DecodedReply>();
    EXPECT_EQ(r.main.functionCode(), FunctionCodeOf(MeterFunction::VoltsDc));
    EXPECT_EQ(r.main.unitLabel, "V");
}

TEST_F(HidapiCable, AboutBoxCableLinesForSerialStringsOfAnyLength) {
    const auto lines = [this] {
        CableHandle cable = OpenCable(*m_backend);
        const CableIdentity identity = QueryCableIdentity(cable);
        const CableLines l = CableIdentityLines(cable.valid(), identity);
        return std::pair(l.firmware.toStdString(), l.serial.toStdString());
    };
    const std::string firmware = "Cable Firmware ver.:01.05";
    // The cable named as everywhere else: the text it reports, as far as the
    // identity holds it; no plain text keeps the hex of its bytes.
    EXPECT_EQ(lines(), std::pair(firmware, std::string("Cable SN : 5310")));

    const std::pair<std::wstring, std::string> serials[] = {
        {L"1", "1"},
        {L"531", "531"},
        {L"53109", "5310"},
        {std::wstring(71, L'7'), "7777"},
        {L"", "0000000000000000"},
        {L"12\U0001F600", "DE00D83D00320031"},
    };
    for (const auto& [serial, digits] : serials) {
        hidstub::setSerial(serial);
        EXPECT_EQ(lines(), std::pair(firmware, "Cable SN : " + digits)) << serial.size();
    }
    hidstub::setSerial(L"", false);
    EXPECT_EQ(lines(), std::pair(firmware, std::string()));
    hidstub::pullCable();
    EXPECT_EQ(lines(), std::pair(std::string(), std::string()));
}

namespace {

class AgreeingObserver : public MemoryDownloadObserver {
public:
    bool confirmDownload() override { return true; }
};

} // namespace

TEST_F(HidapiCable, WholeLoggerMemoryDownloadsThroughDamagedAndLateReports) {
    // The memory check's poll takes reports 1..3, the header 4..7 (three data
    // reports and the checksum), block b (from 1) the four after 3 + 4b.
    const auto block = [](int b, int report) { return 3 + 4 * b + report; };
    hidstub::faultOnReport(block(10, 2), Fault::Short, 5); // wrong checksum: read again
    hidstub::faultOnReport(block(20, 1), Fault::Empty);
    hidstub::faultOnReport(block(30, 4), Fault::Late); // the checksum report is late
    hidstub::faultOnReport(block(40, 2), Fault::Lost);

    AgreeingObserver observer;
    const DownloadResult result = DownloadMemory(*m_backend, observer);
    ASSERT_EQ(result.status, DownloadResult::Status::Done);
    EXPECT_EQ(result.messageId, std::nullopt);
    EXPECT_EQ(hidstub::pendingFaults(), 0);
    const ConvertedMemory direct = ConvertLoggerImage(DemoLoggerImage());
    ASSERT_EQ(result.sessions.size(), direct.sessions.size());
    EXPECT_EQ(SessionsText(result.sessions, 1, 999), SessionsText(direct.sessions, 1, 999));
}

TEST_F(HidapiCable, CablePulledDuringTheDownloadGivesCableNotFound) {
    hidstub::faultOnReport(3 + 4 * 25 + 3, Fault::Pull);
    AgreeingObserver observer;
    const DownloadResult result = DownloadMemory(*m_backend, observer);
    EXPECT_EQ(result.status, DownloadResult::Status::TransferFailed);
    EXPECT_EQ(result.cableResult, CableResult::Failed);
    EXPECT_EQ(result.messageId, TextId::CableNotFound);
    EXPECT_TRUE(result.sessions.empty());
}

// A read that waits for a reply is cut short by a cancel from another thread,
// within one read slice instead of the whole time-out; a read without the cancel
// still waits its time out.
TEST_F(HidapiCable, CancelEndsAWaitingReadAtOnce) {
    m_meter->setMeterOn(false);
    CableHandle cable = OpenCable(*m_backend);
    ASSERT_TRUE(cable.valid());
    std::array<std::uint8_t, kInputReportSize> report{};
    EXPECT_EQ(cable.device()->read(report, std::chrono::milliseconds(120)).result,
              CableResult::TimedOut);

    const auto start = std::chrono::steady_clock::now();
    ReadOutcome outcome;
    std::thread reader(
        [&] { outcome = cable.device()->read(report, std::chrono::milliseconds(4000)); });
    cable.device()->cancelReads();
    reader.join();
    EXPECT_EQ(outcome.result, CableResult::Abandoned);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(cable.device()->read(report, std::chrono::milliseconds(4000)).result,
              CableResult::Abandoned)
        << "the interface is given up: later reads end at once too";
}
