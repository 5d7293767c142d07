#include "logger/SessionFile.h"
#include "SmallDisk.h"
#include "logger/sessionrows.h"
#include "logger/sessiontext.h"
#include "logger/sessiontidy.h"
#include "model/storedreading.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace telmora;

namespace {

SampleEntry Entry(std::uint16_t count, bool sub, std::uint32_t code = 0x6) {
    const UnpackedReading r{0, 0, count};
    SessionFunctions f{code, 2, 0x5, 1};
    return ConvertSample(r, f, sub, UnpackedReading{0, 1, static_cast<std::uint16_t>(count + 1)},
                         "0:00'1.000\"");
}

std::vector<SampleList> Sessions(std::initializer_list<std::pair<int, bool>> shape) {
    std::vector<SampleList> v;
    for (auto [n, sub] : shape) {
        SampleList& list = v.emplace_back();
        for (int i = 0; i < n; ++i) {
            list.append(Entry(static_cast<std::uint16_t>(1000 + i), sub));
        }
    }
    return v;
}

QByteArray Bytes(std::span<const SampleList> sessions) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteSessions(buffer, sessions));
    return data;
}

SessionFileStatus Parse(const QByteArray& data, std::vector<SampleList>& out) {
    return ParseSessionBytes(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                      static_cast<std::size_t>(data.size())),
        out);
}

void ExpectSameRecord(const ReadingRecord& a, const ReadingRecord& b) {
    EXPECT_EQ(a.valueText, b.valueText);
    EXPECT_EQ(a.exponentText, b.exponentText);
    EXPECT_EQ(a.functionCode, b.functionCode);
    EXPECT_EQ(a.timeText, b.timeText);
    EXPECT_EQ(a.displayText, b.displayText);
    EXPECT_EQ(a.prefixText, b.prefixText);
    EXPECT_EQ(a.unitText, b.unitText);
    EXPECT_EQ(a.value, b.value);
}

} // namespace

TEST(SessionFile, SizesAndRoundTrip) {
    EXPECT_EQ(Bytes({}).size(), 4);
    const auto sessions = Sessions({{3, true}, {0, false}, {5, false}});
    const QByteArray data = Bytes(sessions);
    EXPECT_EQ(data.size(), 4 + (4 + 153 * 3) + 4 + (4 + 77 * 5));

    std::vector<SampleList> back;
    ASSERT_EQ(Parse(data, back), SessionFileStatus::Ok);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[1].size(), 0u);
    ASSERT_EQ(back[2].size(), 5u);
    for (std::size_t s = 0; s < 3; ++s) {
        for (std::size_t i = 0; i < sessions[s].size(); ++i) {
            EXPECT_EQ(back[s][i].hasSub, sessions[s][i].hasSub);
            ExpectSameRecord(back[s][i].main, sessions[s][i].main);
            if (sessions[s][i].hasSub) {
                ExpectSameRecord(back[s][i].sub, sessions[s][i].sub);
            }
        }
    }
}

TEST(SessionFile, FullFieldsKeepTheirTerminator) {
    std::vector<SampleList> sessions(1);
    SampleEntry e;
    e.main.unitText.assign("123456789012345678"); // cut to 15 characters
    e.main.valueText.assign("-12345678");
    sessions[0].append(e);
    const QByteArray data = Bytes(sessions);
    ASSERT_EQ(data.size(), 4 + 4 + 77);
    EXPECT_EQ(data[8 + 1 + 56 + 15], '\0');
    EXPECT_EQ(data[8 + 1 + 7], '\0');
    std::vector<SampleList> back;
    ASSERT_EQ(Parse(data, back), SessionFileStatus::Ok);
    EXPECT_EQ(back[0][0].main.unitText.view(), "123456789012345");
}

TEST(SessionFile, DamagedFilesLoadNothing) {
    const QByteArray good = Bytes(Sessions({{2, true}, {3, false}}));
    std::vector<SampleList> out = Sessions({{1, false}});
    // Cut short anywhere.
    for (qsizetype n = 0; n < good.size(); ++n) {
        ASSERT_EQ(Parse(good.left(n), out), SessionFileStatus::Damaged) << n;
        ASSERT_EQ(out.size(), 1u);
    }
    auto patched = [&](int at, std::uint32_t v) {
        QByteArray d = good;
        for (int i = 0; i < 4; ++i) {
            d[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        }
        return d;
    };
    EXPECT_EQ(Parse(patched(0, 1000), out), SessionFileStatus::Damaged);
    EXPECT_EQ(Parse(patched(0, 0xFFFFFFFF), out), SessionFileStatus::Damaged);
    EXPECT_EQ(Parse(patched(4, 0x80000000), out), SessionFileStatus::Damaged);
    EXPECT_EQ(Parse(patched(4, 0x7FFFFFFF), out), SessionFileStatus::Damaged);
    QByteArray flag = good;
    flag[8] = 2;
    EXPECT_EQ(Parse(flag, out), SessionFileStatus::Damaged);
    EXPECT_EQ(out.size(), 1u);
    // 999 sessions is the most a file may hold.
    std::vector<SampleList> many(999);
    EXPECT_EQ(Parse(Bytes(many), out), SessionFileStatus::Ok);
    EXPECT_EQ(out.size(), 999u);
}

TEST(SessionFile, AFifoIsNeitherReadNorReplaced) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.slr"));
    const QByteArray native = QFile::encodeName(fifo);
    ASSERT_EQ(::mkfifo(native.constData(), 0600), 0);
    // A writer with a valid empty session file waiting in the FIFO: the file is
    // still refused for what it is.
    const int writer = ::open(native.constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "\0\0\0\0", 4), 4);

    std::vector<SampleList> out = Sessions({{1, false}});
    QString reason;
    EXPECT_EQ(LoadSessionFile(fifo, out, {}, &reason), SessionFileStatus::OpenFailed);
    EXPECT_EQ(reason, QStringLiteral("is a FIFO, not a regular file"));
    EXPECT_EQ(out.size(), 1u);

    reason.clear();
    EXPECT_EQ(SaveSessionFile(fifo, out, &reason), SessionFileStatus::OpenFailed);
    EXPECT_EQ(reason, QStringLiteral("is a FIFO, not a regular file"));
    QString error;
    EXPECT_FALSE(ExportSessionsTextFile(fifo, out, 1, 1, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("FIFO"))) << error.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ::close(writer);

    // A missing file says so.
    EXPECT_EQ(LoadSessionFile(dir.filePath(QStringLiteral("none.slr")), out, {}, &reason),
              SessionFileStatus::OpenFailed);
    EXPECT_EQ(reason, QStringLiteral("No such file or directory"));
}

// A full disk: the session file and both text exports fail with the system's
// reason, the old files stay as they were and no temporary file is left.
TEST(SessionFile, AFullDiskFailsEveryWriterAndKeepsTheOldFiles) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QByteArray old = "old contents\n";
    const QStringList targets = {QStringLiteral("s.slr"), QStringLiteral("s.csv"),
                                 QStringLiteral("tidy.csv")};
    for (const QString& name : targets)
        ASSERT_TRUE(disk.put(name, old));
    ASSERT_TRUE(disk.fill());

    const std::vector<SampleList> sessions = Sessions({{3, false}, {2, true}});
    QString reason;
    EXPECT_EQ(SaveSessionFile(disk.path(targets[0]), sessions, &reason),
              SessionFileStatus::WriteFailed);
    EXPECT_EQ(reason, QStringLiteral("No space left on device"));
    QString error;
    EXPECT_FALSE(ExportSessionsTextFile(disk.path(targets[1]), sessions, 1, 2, &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral(": No space left on device"))) << error.toStdString();
    error.clear();
    EXPECT_FALSE(ExportSessionsTidyFile(disk.path(targets[2]), sessions, 1, 2, &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral(": No space left on device"))) << error.toStdString();

    for (const QString& name : targets)
        EXPECT_EQ(disk.read(name), old) << name.toStdString();
    EXPECT_EQ(disk.files(), QStringList({QStringLiteral("filler"), QStringLiteral("s.csv"),
                                         QStringLiteral("s.slr"), QStringLiteral("tidy.csv")}));
}

TEST(SessionRows, GridRows) {
    SampleEntry e = Entry(1234, true);
    SessionGridRow row = SessionGridRowTexts(e, 0);
    EXPECT_EQ(row.number, "1");
    EXPECT_EQ(row.time, "0:00'1.000\"");
    EXPECT_EQ(row.mainData, "1.234V [DC]");
    EXPECT_EQ(row.subData, "12.35V [AC]");

    const SampleEntry ohm =
        ConvertSample({0, 1, 1234}, SessionFunctionTable(5, 0, 0), false, {}, "t");
    row = SessionGridRowTexts(ohm, 41);
    EXPECT_EQ(row.number, "42");
    EXPECT_EQ(row.mainData, "1.234k Ohm");
    EXPECT_EQ(row.subData, "");
}
