#include "logger/LoggerDownload.h"
#include "logger/sessiontext.h"
#include "meter/CableBackend.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/SimulatedMeter.h"

#include <gtest/gtest.h>

using namespace telmora;

namespace {

// Answers and records what the download asks.
class Recorder : public MemoryDownloadObserver {
public:
    bool answer = true;
    int abortAfterBlocks = -1;
    int questions = 0;
    bool started = false;
    std::vector<DownloadStage> stages;
    std::vector<std::string> details;
    int blocks = 0;
    // The stop the download is given; asked for after block abortAfterBlocks.
    std::stop_source stop;

    bool confirmDownload() override {
        ++questions;
        return answer;
    }
    void downloadStarting() override { started = true; }
    void stageChanged(DownloadStage s) override { stages.push_back(s); }
    void blockProgress(std::size_t, std::size_t, const std::string& detail) override {
        details.push_back(detail);
        ++blocks;
        if (abortAfterBlocks >= 0 && blocks > abortAfterBlocks)
            stop.request_stop();
    }
};

class MemoryDownloadTest : public ::testing::Test {
protected:
    std::shared_ptr<SimulatedMeter> meter(SimScenario scenario = SimScenario::Demo) {
        auto m = std::make_shared<SimulatedMeter>(scenario, false);
        m_backend = m;
        return m;
    }
    static int memoryCommands(const SimulatedMeter& m, std::uint8_t command) {
        int n = 0;
        for (const auto& c : m.commands()) {
            n += (c[0] == 0x52 && c[1] == command) ? 1 : 0;
        }
        return n;
    }

    // The cable the downloads read: the meter made last.
    std::shared_ptr<CableBackend> m_backend;
};

} // namespace

TEST_F(MemoryDownloadTest, DemoMemoryGivesExactlyItsSessions) {
    auto m = meter();
    Recorder r;
    DownloadResult result = DownloadMemory(*m_backend, r);
    ASSERT_EQ(result.status, DownloadResult::Status::Done);
    EXPECT_EQ(result.messageId, std::nullopt);
    EXPECT_EQ(r.questions, 1);
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.stages, (std::vector{DownloadStage::Acquiring, DownloadStage::Processing}));

    const auto expected = DemoLoggerSessions();
    ASSERT_EQ(result.sessions.size(), expected.size());
    for (std::size_t s = 0; s < expected.size(); ++s) {
        EXPECT_EQ(result.sessions[s].size(), expected[s].main.size()) << s;
    }
    // The download gives the same sessions as converting the image directly.
    const ConvertedMemory direct = ConvertLoggerImage(DemoLoggerImage());
    EXPECT_EQ(SessionsText(result.sessions, 1, 999), SessionsText(direct.sessions, 1, 999));
    const std::size_t length = DemoLoggerImage().size();
    ASSERT_GT(length, result.announcedLength); // the last block is padded
    const std::string total = std::to_string(result.announcedLength);
    EXPECT_EQ(r.details.back(), "Read Bytes : " + total + " Of " + total);
    EXPECT_EQ(memoryCommands(*m, 0x89), static_cast<int>(length / 24 - 1));
}

TEST_F(MemoryDownloadTest, NothingChangesBeforeTheUserAgrees) {
    {
        auto m = meter();
        m->setStatusByte(0x82);
        Recorder r;
        const DownloadResult result = DownloadMemory(*m_backend, r);
        EXPECT_EQ(result.status, DownloadResult::Status::NoDataLogger);
        EXPECT_EQ(result.messageId, TextId::MeterOffOrNoLogger);
        EXPECT_EQ(r.questions, 0);
    }
    {
        meter(SimScenario::NoCable);
        Recorder r;
        const DownloadResult result = DownloadMemory(*m_backend, r);
        EXPECT_EQ(result.status, DownloadResult::Status::NoCable);
        EXPECT_EQ(result.messageId, TextId::CableNotFound);
        EXPECT_EQ(r.questions, 0);
    }
    {
        auto m = meter();
        Recorder r;
        r.answer = false;
        const DownloadResult result = DownloadMemory(*m_backend, r);
        EXPECT_EQ(result.status, DownloadResult::Status::Declined);
        EXPECT_EQ(result.messageId, std::nullopt);
        EXPECT_FALSE(r.started);
        EXPECT_EQ(memoryCommands(*m, 0x88), 0);
    }
}

TEST_F(MemoryDownloadTest, BlocksUpToTheAnnouncedLength) {
    auto m = meter();
    std::vector<std::uint8_t> image(48, 0);
    image[1] = 24;
    m->setMemory(image);
    Recorder r;
    DownloadResult result = DownloadMemory(*m_backend, r);
    EXPECT_EQ(result.status, DownloadResult::Status::Done);
    EXPECT_EQ(memoryCommands(*m, 0x89), 0);
    EXPECT_TRUE(result.sessions.empty());

    image[1] = 25; // L' = 48: one more block
    m->setMemory(image);
    result = DownloadMemory(*m_backend, r);
    EXPECT_EQ(memoryCommands(*m, 0x89), 1);
    // The count stops at the announced length, although the whole block was read.
    EXPECT_EQ(r.details.back(), "Read Bytes : 25 Of 25");

    image.assign(1008, 0);
    image[1] = 1000 & 0xFF;
    image[2] = 1000 >> 8;
    m->setMemory(image);
    result = DownloadMemory(*m_backend, r);
    EXPECT_EQ(r.details.back(), "Read Bytes : 1000 Of 1000");
    EXPECT_EQ(r.details[r.details.size() - 2], "Read Bytes : 984 Of 1000");
}

TEST_F(MemoryDownloadTest, FailuresAndAbort) {
    {
        auto m = meter();
        Recorder r;
        m->ignoreNextMemoryCommands(3); // the header never comes
        const DownloadResult result = DownloadMemory(*m_backend, r);
        EXPECT_EQ(result.status, DownloadResult::Status::HeaderFailed);
        EXPECT_EQ(result.messageId, TextId::TransmissionTimeout);
        EXPECT_FALSE(result.resetRequested);
        EXPECT_TRUE(r.started);
    }
    {
        auto m = meter();
        Recorder r;
        r.abortAfterBlocks = 5;
        const DownloadResult result = DownloadMemory(*m_backend, r, r.stop.get_token());
        EXPECT_EQ(result.status, DownloadResult::Status::Aborted);
        EXPECT_EQ(result.messageId, std::nullopt);
        EXPECT_TRUE(result.resetRequested);
        EXPECT_TRUE(result.sessions.empty());
        EXPECT_EQ(memoryCommands(*m, 0x89), 5);
    }
    {
        // A block whose checksum stays wrong through every attempt.
        auto m = meter();
        Recorder r;
        class Corrupter : public Recorder {
        public:
            std::shared_ptr<SimulatedMeter> meter;
            void blockProgress(std::size_t p, std::size_t m, const std::string& d) override {
                Recorder::blockProgress(p, m, d);
                if (blocks == 3) {
                    meter->corruptNextChecksums(4);
                }
            }
        } c;
        c.meter = m;
        const DownloadResult result = DownloadMemory(*m_backend, c);
        EXPECT_EQ(result.status, DownloadResult::Status::TransferFailed);
        EXPECT_EQ(result.messageId, TextId::TransmissionTimeout);
        EXPECT_TRUE(result.resetRequested);
        EXPECT_TRUE(result.sessions.empty());
    }
}

TEST_F(MemoryDownloadTest, AbortWhileConvertingGivesNothingAndAResetAndHeaderAbortToo) {
    auto m = meter();
    class AbortOnStage : public Recorder {
    public:
        DownloadStage stopAt = DownloadStage::Processing;
        void stageChanged(DownloadStage s) override {
            Recorder::stageChanged(s);
            if (s == stopAt)
                stop.request_stop();
        }
    } r;
    DownloadResult result = ReadLoggerMemory(*m, r, r.stop.get_token());
    EXPECT_EQ(result.status, DownloadResult::Status::Aborted);
    EXPECT_TRUE(result.resetRequested);
    EXPECT_TRUE(result.sessions.empty());
    EXPECT_EQ(r.stages, (std::vector{DownloadStage::Acquiring, DownloadStage::Processing}));
    // Every block was read before the conversion stopped.
    EXPECT_EQ(memoryCommands(*m, 0x89), static_cast<int>(DemoLoggerImage().size() / 24 - 1));

    AbortOnStage early;
    early.stop.request_stop(); // aborted while the header was on its way
    result = ReadLoggerMemory(*m, early, early.stop.get_token());
    EXPECT_EQ(result.status, DownloadResult::Status::Aborted);
    EXPECT_TRUE(early.stages.empty());
}

TEST_F(MemoryDownloadTest, ChainLeavingTheMemoryKeepsTheSessionsBefore) {
    auto m = meter();
    std::vector<LoggerSession> sessions(3);
    for (auto& s : sessions) {
        s.main.assign(10, PackStoredReading({0, 0, 1234}));
    }
    auto image = BuildLoggerImage(sessions);
    image[6 + 14 + 30 + 13] = 0x10; // the second session claims a megabyte
    m->setMemory(image);
    Recorder r;
    const DownloadResult result = DownloadMemory(*m_backend, r);
    EXPECT_EQ(result.status, DownloadResult::Status::Done);
    EXPECT_EQ(result.messageId, TextId::TransmissionTimeout);
    EXPECT_EQ(result.sessions.size(), 1u);
}

TEST_F(MemoryDownloadTest, FlakyCableRecoversOrFailsCleanly) {
    // Over a range of seeds the flaky cable's cut replies and bad checksums are
    // either recovered by the retries (every session read) or end the download
    // cleanly with its message and nothing kept. A reply cut short at the first
    // look at the memory reads as a meter without a logger. Both a recovered and
    // a failed run must really occur. (A checksum that stays wrong is scripted in
    // its own test.)
    const auto expected = SessionsText(ConvertLoggerImage(DemoLoggerImage()).sessions, 1, 999);
    int done = 0;
    int failed = 0;
    for (std::uint32_t seed = 1; seed <= 40 && (done == 0 || failed == 0); ++seed) {
        meter(SimScenario::Flaky)->setRandomSeed(seed);
        Recorder r;
        const DownloadResult result = DownloadMemory(*m_backend, r);
        if (result.status == DownloadResult::Status::Done) {
            ++done;
            EXPECT_EQ(result.sessions.size(), DemoLoggerSessions().size()) << "seed " << seed;
            EXPECT_EQ(SessionsText(result.sessions, 1, 999), expected) << "seed " << seed;
            continue;
        }
        ++failed;
        const TextId message = result.status == DownloadResult::Status::NoDataLogger
                                   ? TextId::MeterOffOrNoLogger
                                   : TextId::TransmissionTimeout;
        EXPECT_EQ(result.messageId, message) << "seed " << seed;
        EXPECT_TRUE(result.sessions.empty()) << "seed " << seed;
    }
    EXPECT_GT(done, 0);
    EXPECT_GT(failed, 0);
}

TEST(DownloadTexts, TitlesQuestionAndMessages) {
    EXPECT_EQ(DownloadStageTitle(DownloadStage::Acquiring).toStdString(),
              "[W8012] Acquiring  data from DMM ... please wait ...");
    EXPECT_EQ(DownloadStageTitle(DownloadStage::Processing).toStdString(),
              "W[8013] Processing data ... please wait ...");
    EXPECT_EQ(DownloadQuestionText().toStdString(),
              "All existing data in buffer will be destroyed.\nDo you really want to proceed?");
    EXPECT_EQ(DownloadMessageText(TextId::TransmissionTimeout).toStdString(),
              "Data transmission timeout.\nPlease check meter and cable connection as well as "
              "meter power.");
    EXPECT_EQ(MessageForCableResult(-1), TextId::CableNotFound);
    EXPECT_EQ(MessageForCableResult(128), TextId::TransmissionTimeout);
    EXPECT_EQ(MessageForCableResult(258), TextId::TransmissionTimeout);
    EXPECT_EQ(MessageForCableResult(387), TextId::CableNotFound);
}
