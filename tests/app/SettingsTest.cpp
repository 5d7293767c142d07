#include "app/Settings.h"
#include "SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include <sys/stat.h>

using namespace telmora;

TEST(Settings, AnyValueThatDoesNotConvertGivesAllThreeDefaults) {
    for (const char* text : {
             "iPort=x3\nfHiLimit=5\nfLowLimit=1\n",    // malformed port, valid limits
             "iPort=3\nfHiLimit=5\n",                  // missing key
             "iPort=3\nfHiLimit=\nfLowLimit=1\n",      // empty value
             "iPort=3\nfHiLimit=1e999\nfLowLimit=1\n", // out of range
             "iPort=99999999999\nfHiLimit=1\nfLowLimit=1\n",
             "iPort=3\nfHiLimit=nan\nfLowLimit=1\n",
             "",
             "\x01\xff\xfe=\x00garbage\n\n==\n",
         }) {
        const SettingsValues v = ParseSettings(text);
        EXPECT_EQ(v.iPort, 2) << text;
        EXPECT_EQ(v.highLimit, 300.0) << text;
        EXPECT_EQ(v.lowLimit, 100.0) << text;
    }
    // The defaults are limits the comparator's dialog accepts: high above low.
    EXPECT_GT(kSettingsDefaults.highLimit, kSettingsDefaults.lowLimit);
    EXPECT_EQ(SettingsValues{}.highLimit, kSettingsDefaults.highLimit);
    EXPECT_EQ(SettingsValues{}.lowLimit, kSettingsDefaults.lowLimit);
    // A file that gives reversed limits is still taken as it stands.
    const SettingsValues reversed = ParseSettings("iPort=2\nfHiLimit=100\nfLowLimit=300\n");
    EXPECT_EQ(reversed.highLimit, 100.0);
    EXPECT_EQ(reversed.lowLimit, 300.0);
}

TEST(Settings, ExtraLinesAnyOrderAnyCaseFirstMatchWins) {
    const SettingsValues v = ParseSettings("; comment\r\nFLOWLIMIT=-2.5\r\nnoise\r\n"
                                           "fhilimit=42\r\nIPORT=12\r\niPort=3\r\n");
    EXPECT_EQ(v.iPort, 12) << "a port outside 1..8 is carried through as read";
    EXPECT_EQ(v.highLimit, 42.0);
    EXPECT_EQ(v.lowLimit, -2.5);
}

TEST(Settings, WrittenFileHasExactlyThreeLinesInOrder) {
    EXPECT_EQ(FormatSettings({4, 100.0, 0.1}), "iPort=4\nfHiLimit=100\nfLowLimit=0.1\n");
    EXPECT_EQ(FormatFloat(1.0 / 3.0), "0.333333333333333");
}

TEST(Settings, CommaLocaleStillUsesAPoint) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    std::locale::global(std::locale("de_DE.UTF-8"));
    const SettingsValues v = ParseSettings("iPort=1\nfHiLimit=12.5\nfLowLimit=12,5\n");
    EXPECT_EQ(v.highLimit, 300.0) << "12,5 is not a number here, so defaults apply";
    const SettingsValues w = ParseSettings("iPort=1\nfHiLimit=12.5\nfLowLimit=-12.5\n");
    EXPECT_EQ(w.highLimit, 12.5);
    EXPECT_EQ(FormatSettings(w), "iPort=1\nfHiLimit=12.5\nfLowLimit=-12.5\n");
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(Settings, FileRoundTripAndUnwritablePlace) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = SettingsFilePath(dir.path());
    EXPECT_TRUE(path.endsWith(QDir::toNativeSeparators(QStringLiteral("/ORLANDL.ini"))));
    EXPECT_EQ(ReadSettingsFile(path).iPort, 2) << "missing file gives the defaults";
    QString error;
    ASSERT_TRUE(WriteSettingsFile(path, {5, 1.25, -3}, &error)) << error.toStdString();
    const SettingsValues v = ReadSettingsFile(path);
    EXPECT_EQ(v.iPort, 5);
    EXPECT_EQ(v.highLimit, 1.25);
    EXPECT_EQ(v.lowLimit, -3);
    EXPECT_FALSE(WriteSettingsFile(dir.filePath("no/such/dir/ORLANDL.ini"), v, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Settings, AFullDiskKeepsTheOldFileAndSaysWhy) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString path = SettingsFilePath(disk.root());
    const QByteArray old = "iPort=3\nfHiLimit=5\nfLowLimit=1\n";
    ASSERT_TRUE(disk.put(QStringLiteral("ORLANDL.ini"), old));
    ASSERT_TRUE(disk.fill());
    QString error;
    EXPECT_FALSE(WriteSettingsFile(path, {5, 1.25, -3}, &error));
    EXPECT_EQ(error, QStringLiteral("No space left on device"));
    EXPECT_EQ(disk.read(QStringLiteral("ORLANDL.ini")), old);
    EXPECT_EQ(disk.files(), QStringList({QStringLiteral("ORLANDL.ini"), QStringLiteral("filler")}));
}

TEST(Settings, AFifoInPlaceOfTheFileIsNeitherReadNorReplaced) {
    QTemporaryDir dir;
    const QString path = SettingsFilePath(dir.path());
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // No writer: reading must not wait for one, and gives the defaults.
    EXPECT_EQ(ReadSettingsFile(path).iPort, 2);
    QString error;
    EXPECT_FALSE(WriteSettingsFile(path, {5, 1.25, -3}, &error));
    EXPECT_EQ(error, QStringLiteral("is a FIFO, not a regular file"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}
