#include "recording/RecorderFile.h"
#include "model/viewreduction.h"
#include "recording/TemporaryStorage.h"
#include "recording/recorderexport.h"
#include "recording/recordertext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

using namespace telmora;

namespace {

SampleEntry makeSample(int i, bool withSub = false) {
    SampleEntry e;
    e.main.valueText.assign(std::to_string(i * 0.5).substr(0, 7));
    e.main.exponentText.assign("0");
    e.main.functionCode = (i % 7 == 0) ? 0x80000006u : 0x6u;
    e.main.timeText.assign(" 14:05:09." + std::to_string(i % 10));
    e.main.displayText.assign(std::to_string(i));
    e.main.unitText.assign("V");
    e.main.value = static_cast<float>(i) * 0.5f;
    e.main.modeText.assign("DC");
    e.sub.timeText = e.main.timeText;
    if (withSub) {
        e.hasSub = 1;
        e.sub.functionCode = 0x400;
        e.sub.displayText.assign("50.00");
        e.sub.unitText.assign("Hz");
        e.sub.value = 50.0f;
    }
    return e;
}

std::vector<std::uint8_t> imageOf(const SampleEntry& e) {
    std::vector<std::uint8_t> bytes(kSampleSize);
    EncodeSample(e, std::span<std::uint8_t, kSampleSize>(bytes.data(), kSampleSize));
    return bytes;
}

void expectSameSamples(const SampleList& a, const SampleList& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_EQ(imageOf(a[i]), imageOf(b[i])) << "sample " << i;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray le32(std::int32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
    return b;
}

QByteArray recordBytes(const ReadingRecord& r, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    EncodeRecord(r, bytes);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(size));
}

std::string exportText(const SampleList& list, int first, int last) {
    std::string out;
    WriteRecorderText(list, first, last, LastPageForCount(std::int64_t(list.size())),
                      [&](std::string_view s) {
                          out += s;
                          return true;
                      });
    return out;
}

class RecorderFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(RecorderFileTest, SavedG53HasCountAndSamplesAndLoadsBack) {
    SampleList buffer;
    for (int i = 0; i < 2500; ++i) // crosses the reader's block size
        buffer.append(makeSample(i, i % 3 == 0));
    const QString file = path(QStringLiteral("run.g53"));
    QString error;
    ASSERT_TRUE(SaveRecorderFile(file, buffer, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(file).size(), 4 + 169 * 2500);

    SampleList loaded;
    const RecorderLoadResult r = LoadRecorderFile(file, loaded);
    EXPECT_EQ(r.status, RecorderFileReader::OpenStatus::Ok);
    EXPECT_FALSE(r.cutShort);
    expectSameSamples(buffer, loaded);

    SampleList empty;
    ASSERT_TRUE(SaveRecorderFile(path(QStringLiteral("empty.g53")), empty));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("empty.g53"))).size(), 4);
}

TEST_F(RecorderFileTest, TemporaryFileAndG53OfOneAcquisitionLoadAlike) {
    SampleList buffer;
    TemporaryFile tmp;
    const QString tmpPath = TemporaryFilePath(m_dir.path(), 1);
    ASSERT_TRUE(tmp.create(tmpPath));
    for (int i = 0; i < 321; ++i) {
        buffer.append(makeSample(i, i % 2 == 0));
        ASSERT_TRUE(tmp.append(buffer.back()));
    }
    tmp.close();
    ASSERT_TRUE(SaveRecorderFile(path(QStringLiteral("same.g53")), buffer));

    SampleList fromTmp, fromG53;
    EXPECT_EQ(LoadRecorderFile(tmpPath, fromTmp).loaded, 321);
    EXPECT_EQ(LoadRecorderFile(path(QStringLiteral("same.g53")), fromG53).loaded, 321);
    expectSameSamples(fromTmp, fromG53);
    expectSameSamples(buffer, fromTmp);
}

TEST_F(RecorderFileTest, FormatComesFromACaseSensitiveSubstringOfTheFileName) {
    EXPECT_EQ(RecorderFormatForName(u"/data/data.g51.g53"), RecorderFormat::G51);
    EXPECT_EQ(RecorderFormatForName(u"/x.g52/run.g53"), RecorderFormat::G53);
    EXPECT_EQ(RecorderFormatForName(u"d/data.tmp/demo.g53"), RecorderFormat::G53);
    EXPECT_EQ(RecorderFormatForName(u"d.g51/x.g52"), RecorderFormat::G52);
    EXPECT_EQ(RecorderFormatForName(u"~ODMDL3.TMP"), RecorderFormat::Tmp);
    EXPECT_EQ(RecorderFormatForName(u"a.tmp.bak"), RecorderFormat::Tmp);
    EXPECT_EQ(RecorderFormatForName(u"a.Tmp"), RecorderFormat::G53);
    EXPECT_EQ(RecorderFormatForName(u"a.G51"), RecorderFormat::G53);

    // A file named data.g51.g53 holding 76-byte records is read as .g51.
    ReadingRecord r = makeSample(4).main;
    r.functionCode = 0x80000201u;
    const QString file = path(QStringLiteral("data.g51.g53"));
    writeBytes(file, recordBytes(r, 76) + recordBytes(r, 76) + QByteArray(75, 'x'));
    SampleList loaded;
    ASSERT_EQ(LoadRecorderFile(file, loaded).loaded, 2); // trailing partial record ignored
    EXPECT_EQ(loaded[1].main.modeText.view(), "AC");
    EXPECT_EQ(loaded[1].main.displayText, r.displayText);
    EXPECT_EQ(loaded[1].hasSub, 0);
    EXPECT_TRUE(loaded[1].sub.timeText.empty());
}

TEST_F(RecorderFileTest, G52ModeTextIsRebuiltFromTheCode) {
    const struct {
        std::uint32_t code;
        const char* mode;
    } cases[] = {{0x6, "DC"},    {0x1000005, "AC"}, {0x203, "DC+AC"}, {0x4040, "T2"},
                 {0x8020, "T1"}, {0xC000, "T1-T2"}, {0x400, ""},      {0x80000007u, "DC+AC"}};
    QByteArray bytes;
    for (const auto& c : cases) {
        ReadingRecord r = makeSample(1).main;
        r.functionCode = c.code;
        r.modeText.assign("XX"); // disagrees with the code
        bytes += recordBytes(r, 84);
    }
    const QString file = path(QStringLiteral("old.g52"));
    writeBytes(file, bytes + QByteArray(83, '\0'));
    SampleList loaded;
    ASSERT_EQ(LoadRecorderFile(file, loaded).loaded, qsizetype(std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(loaded[i].main.modeText.view(), cases[i].mode) << i;
}

TEST_F(RecorderFileTest, CutShortAndNegativeCounts) {
    const QByteArray sample =
        QByteArray(reinterpret_cast<const char*>(imageOf(makeSample(9)).data()), 169);
    const QString cut = path(QStringLiteral("cut.g53"));
    writeBytes(cut, le32(10) + sample + sample + sample + sample.left(100));
    RecorderFileReader reader;
    ASSERT_EQ(reader.open(cut), RecorderFileReader::OpenStatus::Ok);
    EXPECT_EQ(reader.count(), 3);
    EXPECT_EQ(reader.announcedCount(), 10);
    EXPECT_TRUE(reader.cutShort());
    SampleList loaded;
    const RecorderLoadResult r = LoadRecorderFile(cut, loaded);
    EXPECT_TRUE(r.cutShort);
    EXPECT_EQ(loaded.size(), 3u);

    // A count below zero is refused and leaves the buffer as it was.
    const QString negative = path(QStringLiteral("negative.g53"));
    writeBytes(negative, le32(-1) + sample);
    SampleList kept;
    kept.append(makeSample(1));
    EXPECT_EQ(LoadRecorderFile(negative, kept).status,
              RecorderFileReader::OpenStatus::NegativeCount);
    EXPECT_EQ(kept.size(), 1u);

    // Huge announced counts allocate nothing up front.
    writeBytes(negative, le32(0x7FFFFFFF) + sample);
    EXPECT_EQ(LoadRecorderFile(negative, kept).loaded, 1);

    // Shorter than a header: no samples. A missing file or a folder cannot be opened.
    writeBytes(negative, QByteArray("\x05\x00", 2));
    EXPECT_EQ(LoadRecorderFile(negative, kept).loaded, 0);
    EXPECT_EQ(LoadRecorderFile(path(QStringLiteral("missing.g53")), kept).status,
              RecorderFileReader::OpenStatus::CannotOpen);
    EXPECT_EQ(LoadRecorderFile(m_dir.path(), kept).status,
              RecorderFileReader::OpenStatus::CannotOpen);
}

TEST_F(RecorderFileTest, SaveToAnUnwritablePlaceFailsAndKeepsTheOldFile) {
    SampleList buffer;
    buffer.append(makeSample(1));
    QString error;
    EXPECT_FALSE(SaveRecorderFile(path(QStringLiteral("no/such/dir/x.g53")), buffer, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(SaveRecorderFile(m_dir.path(), buffer, &error)); // a folder

    const QString existing = path(QStringLiteral("keep.g53"));
    writeBytes(existing, QByteArray("old contents"));
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool saved = SaveRecorderFile(existing, buffer, &error);
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!saved) { // root may write anyway; otherwise the old file must be intact
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("old contents"));
    }
}

TEST_F(RecorderFileTest, AFolderNamedLikeATemporaryFileDoesNotChangeTheFormat) {
    SampleList buffer;
    for (int i = 0; i < 5; ++i)
        buffer.append(makeSample(i, i == 2));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("data.tmp")));
    const QString file = path(QStringLiteral("data.tmp/demo.g53"));
    ASSERT_TRUE(SaveRecorderFile(file, buffer));
    SampleList loaded;
    const RecorderLoadResult r = LoadRecorderFile(file, loaded);
    EXPECT_EQ(r.status, RecorderFileReader::OpenStatus::Ok);
    EXPECT_FALSE(r.cutShort);
    expectSameSamples(buffer, loaded);
}

TEST_F(RecorderFileTest, FifosAreNeitherReadNorReplaced) {
    const QString fifo = path(QStringLiteral("pipe.g53"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    auto stillFifo = [&] {
        struct stat st {};
        return ::stat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    };
    // No writer: opening must not wait for one.
    RecorderFileReader reader;
    EXPECT_EQ(reader.open(fifo), RecorderFileReader::OpenStatus::CannotOpen);
    EXPECT_EQ(reader.openError(), QStringLiteral("is a FIFO, not a regular file"));

    SampleList buffer;
    buffer.append(makeSample(1));
    QString error;
    EXPECT_FALSE(SaveRecorderFile(fifo, buffer, &error));
    EXPECT_EQ(error, QStringLiteral("is a FIFO, not a regular file"));
    EXPECT_TRUE(stillFifo());
    error.clear();
    EXPECT_FALSE(ExportRecorderText(fifo, buffer, 1, 1, 1, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(stillFifo());
}

TEST(RecorderText, FiveSamplesMainOnlyAndWithSub) {
    SampleList list;
    for (int i = 0; i < 5; ++i)
        list.append(makeSample(i + 1, i == 4));
    const std::string text = exportText(list, 1, 1);
    EXPECT_EQ(text, "#item,Time,MainData,MainUnit,MainFunc,Sub Data,SubUnit,SubFunc\r\n"
                    "1, 14:05:09.1,1,,V  [DC]\r\n"
                    "2, 14:05:09.2,2,,V  [DC]\r\n"
                    "3, 14:05:09.3,3,,V  [DC]\r\n"
                    "4, 14:05:09.4,4,,V  [DC]\r\n"
                    "5, 14:05:09.5,5,,V  [DC],50.00,,Hz\r\n");
}

TEST(RecorderText, UnitAdjustmentsByCode) {
    SampleEntry e = makeSample(1);
    e.main.functionCode = 0x8020;
    e.main.displayText.assign("25.3C");
    e.main.unitText.clear();
    e.main.modeText.assign("T1");
    EXPECT_EQ(RecorderTextLine(0, e), "1, 14:05:09.1,25.3,, C [T1]");
    e.main.functionCode = 0xC040;
    e.main.displayText.assign("---");
    e.main.modeText.assign("T1-T2");
    EXPECT_EQ(RecorderTextLine(1, e), "2, 14:05:09.1,---,,") << "no letter: unit unchanged";

    e.main.functionCode = 0x180;
    e.main.displayText.assign("1.234");
    e.main.prefixText.assign("k");
    e.main.unitText.assign("W");
    EXPECT_EQ(RecorderTextLine(2, e), "3, 14:05:09.1,1.234,k,Ohm");

    e.main.functionCode = 0x2000;
    e.main.prefixText.assign("dB");
    e.main.unitText.assign("m");
    EXPECT_EQ(RecorderTextLine(3, e), "4, 14:05:09.1,1.234,,dBm");

    e.hasSub = 1;
    e.sub.functionCode = 0x4040;
    e.sub.displayText.assign("77.0F");
    e.sub.modeText.assign("T2");
    e.sub.unitText.clear();
    e.main.functionCode = 0x5;
    e.main.prefixText.clear();
    e.main.unitText.assign("V");
    e.main.modeText.assign("AC");
    EXPECT_EQ(RecorderTextLine(4, e), "5, 14:05:09.1,1.234,,V  [AC],77.0,, F [T2]");
    e.sub.functionCode = 0x201;
    e.sub.displayText.assign("0.5");
    e.sub.unitText.assign("A");
    e.sub.modeText.assign("AC");
    EXPECT_EQ(RecorderTextLine(5, e), "6, 14:05:09.1,1.234,,V  [AC],0.5,,A [AC]");
    e.hasSub = 2; // only a flag of exactly 1 adds the sub fields
    EXPECT_EQ(RecorderTextLine(6, e), "7, 14:05:09.1,1.234,,V  [AC]");
}

TEST(RecorderText, AxisLabelNamesTheUnitOfEveryFunction) {
    SampleEntry e = makeSample(1);
    struct Case {
        std::uint32_t code;
        const char* unitText;
        const char* suffix;
    };
    const Case cases[] = {
        {0x6, "V", "(V)"},      {0x8, "F", "(uF)"},   {0x180, "W", "(Ohm)"}, {0x1000, "S", "(nS)"},
        {0x2000, "m", "(dBm)"}, {0x8020, "", "(°C)"}, {0x4040, "", "(°F)"},  {0x400, "Hz", "(Hz)"},
    };
    for (const Case& c : cases) {
        e.main.functionCode = c.code;
        e.main.unitText.assign(c.unitText);
        EXPECT_EQ(YAxisUnitSuffix(e.main), QString::fromUtf8(c.suffix)) << std::hex << c.code;
    }
}

TEST(RecorderText, PagesCountBackFromTheNewestSample) {
    SampleList list;
    for (int i = 0; i < 201; ++i)
        list.append(makeSample(i));
    EXPECT_EQ(LastPageForCount(201), 2);
    EXPECT_EQ(LastPageForCount(200), 1);
    EXPECT_EQ(LastPageForCount(0), 1);
    auto lines = [](const std::string& s) { return std::count(s.begin(), s.end(), '\n'); };
    const std::string first = exportText(list, 1, 1);
    EXPECT_EQ(lines(first), 2);
    EXPECT_NE(first.find("\r\n1, "), std::string::npos);
    const std::string last = exportText(list, 2, 2);
    EXPECT_EQ(lines(last), 201);
    EXPECT_NE(last.find("\r\n2, "), std::string::npos);
    EXPECT_NE(last.find("\r\n201, "), std::string::npos);
    EXPECT_EQ(lines(exportText(list, 1, 2)), 202);
    EXPECT_EQ(lines(exportText(list, -5, 99)), 202) << "pages outside the buffer are left out";
    EXPECT_EQ(lines(exportText(SampleList(), 1, 1)), 1);
}

TEST(RecorderText, ExportToFileAndUnwritableTarget) {
    QTemporaryDir dir;
    SampleList list;
    list.append(makeSample(3));
    const QString file = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_TRUE(ExportRecorderText(file, list, 1, 1, 1));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith("V  [DC]\r\n"));
    QString error;
    EXPECT_FALSE(
        ExportRecorderText(dir.filePath(QStringLiteral("none/out.csv")), list, 1, 1, 1, &error));
    EXPECT_FALSE(error.isEmpty());

    // A stopped export leaves the earlier file as it was and gives no reason.
    std::stop_source stop;
    stop.request_stop();
    error.clear();
    list.append(makeSample(4));
    EXPECT_FALSE(ExportRecorderText(file, list, 1, 1, 1, &error, stop.get_token()));
    EXPECT_TRUE(error.isEmpty());
    f.close();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\r\n"), 2); // the header and the one earlier sample
}

TEST(ViewReduction, DirectBelow8192AndPairsAbove) {
    std::vector<float> v(8191);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = float(i % 100);
    auto at = [&](std::int64_t i) { return v[std::size_t(i)]; };
    ViewReduction r = ReduceForView(8191, 99, 0, at);
    EXPECT_TRUE(r.direct);
    EXPECT_EQ(r.pointCount(), 8191);
    EXPECT_EQ(r.maxPoint, 99);

    v.resize(8192, 5.0f);
    r = ReduceForView(8192, 99, 0, at);
    EXPECT_FALSE(r.direct);
    EXPECT_EQ(r.blockSize, 2);
    EXPECT_EQ(r.pointCount(), 8192);

    v.assign(12289, 1.0f);
    v[12288] = 1000.0f; // the newest sample, left out because 12289 mod 3 = 1
    v[7] = 50.0f;
    v[8] = -50.0f;
    r = ReduceForView(12289, 12288, 8, at);
    EXPECT_EQ(r.blockSize, 3);
    EXPECT_EQ(r.samplesUsed, 12288);
    EXPECT_EQ(r.pointCount(), 8192);
    EXPECT_EQ(std::count(r.indexes.begin(), r.indexes.end(), 12288), 0);
    // Block 2 holds samples 6..8: min 8 comes after max 7.
    EXPECT_EQ(r.indexes[4], 7);
    EXPECT_EQ(r.indexes[5], 8);
    EXPECT_EQ(r.indexOfPoint(r.minPoint), 8);
}

TEST(ViewReduction, FlatBlocksListTheirFirstSampleTwiceAndMaxPointHasTheMaxValue) {
    std::vector<float> v(20000, 2.5f);
    auto at = [&](std::int64_t i) { return v[std::size_t(i)]; };
    // Equal values: the recorder's max is the newest sample, min the oldest.
    ViewReduction r = ReduceForView(20000, 19999, 0, at);
    ASSERT_EQ(r.blockSize, 4);
    EXPECT_EQ(r.indexes[0], 0);
    EXPECT_EQ(r.indexes[1], 0);
    EXPECT_EQ(r.indexes[2], 4);
    EXPECT_EQ(r.indexes[3], 4);
    EXPECT_EQ(v[std::size_t(r.indexOfPoint(r.maxPoint))], 2.5f);
    EXPECT_EQ(r.indexOfPoint(r.minPoint), 0);

    v[10001] = 9.0f;
    r = ReduceForView(20000, 10001, 0, at);
    EXPECT_EQ(r.indexOfPoint(r.maxPoint), 10001);
}
