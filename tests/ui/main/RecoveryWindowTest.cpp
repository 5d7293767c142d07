// Start-up after a recording process was killed: its recording is offered with
// Open, Save As… and Discard, and nothing is deleted unless the user chose so.
#include "CrashedRecorder.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "recording/RecorderController.h"
#include "recording/RecorderFile.h"
#include "recording/TemporaryStorage.h"
#include "sim/SimulatedMeter.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingRecovery.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

using namespace telmora;

namespace {

class RecoveryWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // Settings, desktop state and temporary recordings all in the test's folder.
        m_files = UserFilesIn(m_dir.path(), m_dir.path(), m_dir.path());
        m_dialogs.onBox = [this](const BoxRequest& r) {
            m_captions.push_back(r.caption);
            m_questions.push_back(r.text);
            m_buttons.push_back(r.buttons);
            const BoxButton answer = m_answers.empty() ? BoxButton::None : m_answers.front();
            if (!m_answers.empty())
                m_answers.erase(m_answers.begin());
            return answer;
        };
    }

    QString temporaryFile(int n) const { return TemporaryFilePath(m_dir.path(), n); }

    // Starts the program, answers the offers with `answers` and waits until they
    // have been carried out.
    void startAndAnswer(MainWindow& form, std::vector<BoxButton> answers) {
        m_answers = std::move(answers);
        form.createWindows();
        form.recordingRecovery()->setSaveNameAsker(
            [this] { return std::optional<QString>(m_saveTarget); });
        QSignalSpy finished(form.recordingRecovery(), &RecordingRecovery::finished);
        form.offerOrphanedRecordings();
        if (finished.isEmpty()) {
            ASSERT_TRUE(finished.wait(30000));
        }
    }

    QTemporaryDir m_dir;
    UserFiles m_files;
    QString m_saveTarget = m_dir.filePath(QStringLiteral("kept.g53"));
    std::vector<QString> m_captions; // of every box, beside its text
    std::vector<QString> m_questions;
    std::vector<std::vector<BoxButton>> m_buttons;
    std::vector<BoxButton> m_answers;
    std::shared_ptr<CableBackend> m_backend =
        std::make_shared<SimulatedMeter>(SimScenario::NoCable, false);
    ScriptedDialogs m_dialogs;
};

} // namespace

TEST_F(RecoveryWindow, OpenLoadsTheKilledRecordingAsUnsaved) {
    CrashWhileRecording(m_dir.path(), 7);
    {
        MainUnderTest parts(m_backend, m_dialogs, m_files);
        MainWindow& form = parts.window;
        startAndAnswer(form, {BoxButton::Open});
        ASSERT_EQ(m_questions.size(), 1u);
        EXPECT_TRUE(m_questions[0].startsWith(
            QStringLiteral("Telmora ended unexpectedly while recording. Open the recording of ")));
        EXPECT_TRUE(m_questions[0].endsWith(QStringLiteral(" with 7 samples?")));
        const RecorderController& recorder = form.recording();
        EXPECT_EQ(recorder.recording().size(), 7u);
        EXPECT_TRUE(recorder.hasUnsavedData());
        EXPECT_EQ(form.dataList()->lineCount(), 7);
        EXPECT_TRUE(form.recorder()->isVisibleTo(&form)) << "the recorder shows what it holds";
        EXPECT_TRUE(QFile::exists(temporaryFile(1))) << "still on disk while the program runs";

        // Continued, the recording goes on in the file it was taken up from.
        form.recording().setAcquisition(AcquisitionMode::Manual, 0);
        form.recording().addSample(SampleEntry{});
        EXPECT_EQ(form.recording().temporaryFilePath(), temporaryFile(1));
        EXPECT_EQ(QFileInfo(temporaryFile(1)).size(), qint64(8 * kSampleSize));
        EXPECT_FALSE(QFile::exists(temporaryFile(2)));
    }
    // The user took it into the recorder: it went with the run's own files.
    EXPECT_FALSE(QFile::exists(temporaryFile(1)));
}

TEST_F(RecoveryWindow, DiscardDeletesAndSaveAsKeepsTheSamplesInTheChosenFile) {
    CrashWhileRecording(m_dir.path(), 3);
    CrashWhileRecording(m_dir.path(), 4); // the second run passed over the first's file
    ASSERT_TRUE(QFile::exists(temporaryFile(2)));
    MainUnderTest parts(m_backend, m_dialogs, m_files);
    MainWindow& form = parts.window;
    startAndAnswer(form, {BoxButton::Discard, BoxButton::SaveAs});
    ASSERT_EQ(m_questions.size(), 2u);
    EXPECT_TRUE(m_questions[0].endsWith(QStringLiteral(" with 3 samples?")));
    EXPECT_TRUE(m_questions[1].endsWith(QStringLiteral(" with 4 samples?")));
    EXPECT_FALSE(QFile::exists(temporaryFile(1)));
    EXPECT_FALSE(QFile::exists(temporaryFile(2)));
    SampleList saved;
    EXPECT_EQ(LoadRecorderFile(m_dir.filePath(QStringLiteral("kept.g53")), saved).loaded, 4);
    EXPECT_FALSE(form.recording().hasUnsavedData());
}

TEST_F(RecoveryWindow, EveryRecordingLeftBehindIsOfferedOneAfterAnother) {
    CrashWhileRecording(m_dir.path(), 3);
    CrashWhileRecording(m_dir.path(), 4);
    {
        MainUnderTest parts(m_backend, m_dialogs, m_files);
        MainWindow& form = parts.window;
        startAndAnswer(form, {BoxButton::Open, BoxButton::SaveAs});
        ASSERT_EQ(m_questions.size(), 2u) << "the second recording is offered too";
        EXPECT_TRUE(m_questions[0].endsWith(QStringLiteral(" with 3 samples?")));
        EXPECT_TRUE(
            m_questions[1].startsWith(QStringLiteral("Telmora also left the recording of ")));
        EXPECT_TRUE(m_questions[1].contains(QStringLiteral(" with 4 samples.")));
        // The recorder holds one recording: the one chosen for Open.
        EXPECT_EQ(m_buttons[1], (std::vector<BoxButton>{BoxButton::SaveAs, BoxButton::Discard}));
        EXPECT_EQ(form.recording().recording().size(), 3u);
        EXPECT_TRUE(form.recording().hasUnsavedData());
        SampleList saved;
        EXPECT_EQ(LoadRecorderFile(m_saveTarget, saved).loaded, 4);
        EXPECT_FALSE(QFile::exists(temporaryFile(2))) << "its samples are in the saved file";
        EXPECT_TRUE(QFile::exists(temporaryFile(1)));
    }
    EXPECT_FALSE(QFile::exists(temporaryFile(1)));
}

TEST_F(RecoveryWindow, ARecordingLeftUnansweredAfterAnOpenIsOfferedAtTheNextStart) {
    CrashWhileRecording(m_dir.path(), 3);
    CrashWhileRecording(m_dir.path(), 4);
    {
        MainUnderTest parts(m_backend, m_dialogs, m_files);
        MainWindow& form = parts.window;
        startAndAnswer(form, {BoxButton::Open, BoxButton::None});
        ASSERT_EQ(m_questions.size(), 2u);
        EXPECT_EQ(form.recording().recording().size(), 3u);
    }
    EXPECT_FALSE(QFile::exists(temporaryFile(1))) << "the opened one went with the run";
    EXPECT_TRUE(QFile::exists(temporaryFile(2)));
    MainUnderTest nextParts(m_backend, m_dialogs, m_files);
    MainWindow& next = nextParts.window;
    startAndAnswer(next, {BoxButton::Open});
    ASSERT_EQ(m_questions.size(), 3u) << "only the one left is offered";
    EXPECT_TRUE(m_questions[2].endsWith(QStringLiteral(" with 4 samples?")));
    EXPECT_EQ(next.recording().recording().size(), 4u);
}

TEST_F(RecoveryWindow, AnUnansweredOfferKeepsTheFileForTheNextStart) {
    CrashWhileRecording(m_dir.path(), 2);
    {
        MainUnderTest parts(m_backend, m_dialogs, m_files);
        MainWindow& form = parts.window;
        startAndAnswer(form, {BoxButton::None});
        EXPECT_EQ(m_questions.size(), 1u);
        EXPECT_TRUE(form.recording().recording().isEmpty());
    }
    EXPECT_TRUE(QFile::exists(temporaryFile(1)));
    MainUnderTest nextParts(m_backend, m_dialogs, m_files);
    MainWindow& next = nextParts.window;
    startAndAnswer(next, {BoxButton::Open});
    EXPECT_EQ(m_questions.size(), 2u) << "offered again";
    EXPECT_EQ(next.recording().recording().size(), 2u);
}

TEST_F(RecoveryWindow, ASaveThatFailsSaysWhyAndKeepsTheFileForTheNextStart) {
    CrashWhileRecording(m_dir.path(), 3);
    // A folder that is not there: the save fails whatever the save routine does.
    m_saveTarget = m_dir.filePath(QStringLiteral("missing/kept.g53"));
    {
        MainUnderTest parts(m_backend, m_dialogs, m_files);
        MainWindow& form = parts.window;
        startAndAnswer(form, {BoxButton::SaveAs, BoxButton::Ok});
        ASSERT_EQ(m_captions.size(), 2u);
        EXPECT_EQ(m_captions[1], errorCaption(TextId::FileSaveError))
            << "the recorder's message for a failed save";
        EXPECT_TRUE(m_questions[1].contains(QStringLiteral("kept.g53")));
    }
    EXPECT_TRUE(QFile::exists(temporaryFile(1))) << "kept: nothing was saved";
    EXPECT_FALSE(QFile::exists(m_saveTarget));
    MainUnderTest nextParts(m_backend, m_dialogs, m_files);
    MainWindow& next = nextParts.window;
    startAndAnswer(next, {BoxButton::Open});
    ASSERT_EQ(m_questions.size(), 3u);
    EXPECT_TRUE(m_questions[2].endsWith(QStringLiteral(" with 3 samples?")));
    EXPECT_EQ(next.recording().recording().size(), 3u);
}

#ifdef Q_OS_LINUX
TEST_F(RecoveryWindow, ARecordingThatCannotBeTakenUpNowIsToldAndKept) {
    // A disk on which not even a lock file fits: every inode is in use.
    SmallDisk disk("size=64k,nr_inodes=2,mode=0700");
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk to fill: " << disk.whyNot();
    const QString left = TemporaryFilePath(disk.root(), 1);
    {
        QFile f(left);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // Four DC readings as the recorder writes them.
        SampleEntry entry;
        entry.main.functionCode = 0x6;
        entry.main.value = 1.5f;
        entry.main.valueText.assign("1.500");
        entry.main.displayText.assign("1.500");
        entry.main.timeText.assign(" 10:00:00.0");
        entry.main.unitText.assign("V");
        entry.main.modeText.assign("DC");
        std::array<std::uint8_t, kSampleSize> bytes{};
        EncodeSample(entry, bytes);
        for (int i = 0; i < 4; ++i)
            f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
    m_files = UserFilesIn(m_dir.path(), disk.root(), m_dir.path());
    {
        MainUnderTest parts(m_backend, m_dialogs, m_files);
        MainWindow& form = parts.window;
        startAndAnswer(form, {BoxButton::Ok});
        ASSERT_EQ(m_captions.size(), 1u) << "told, not offered";
        EXPECT_EQ(m_captions[0], warningCaption(TextId::RecordingKeptForLater));
        EXPECT_TRUE(m_questions[0].startsWith(text(TextId::RecordingKeptForLater)));
        EXPECT_TRUE(m_questions[0].contains(left + QStringLiteral(" (4 samples)")));
        EXPECT_TRUE(form.recording().recording().isEmpty());
    }
    EXPECT_EQ(QFileInfo(left).size(), qint64(4 * kSampleSize));
    ASSERT_TRUE(disk.remount("nr_inodes=16"));
    MainUnderTest nextParts(m_backend, m_dialogs, m_files);
    MainWindow& next = nextParts.window;
    startAndAnswer(next, {BoxButton::Open});
    ASSERT_EQ(m_questions.size(), 2u);
    EXPECT_TRUE(m_questions[1].endsWith(QStringLiteral(" with 4 samples?")));
    EXPECT_EQ(next.recording().recording().size(), 4u);
}
#endif
