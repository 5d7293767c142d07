// The desktop state's ini file: written line for line as QSettings writes it, read
// back by QSettings with the same values, and never lost to a full disk.
#include "model/IniSettings.h"

#include "SmallDisk.h"

#include <QFile>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace telmora;

namespace {

// Values of every kind the program keeps, and texts that need escaping or quotes.
const QList<std::pair<QString, QVariant>> kValues = {
    {QStringLiteral("AnalogMeter/position"), QPoint(120, -200)},
    {QStringLiteral("AnalogMeter/size"), QSize(300, 240)},
    {QStringLiteral("AnalogMeter/open"), true},
    {QStringLiteral("Recorder/intervalMs"), qlonglong(5000)},
    {QStringLiteral("Recorder/lineColor"), QStringLiteral("#006400")},
    {QStringLiteral("Link/ReconnectAutomatically"), false},
    {QStringLiteral("topLevel"), 3},
    {QStringLiteral("General/own"), QStringLiteral("a group called General")},
    {QStringLiteral("Texts/comma"), QStringLiteral("a, b; c=d")},
    {QStringLiteral("Texts/blanks"), QStringLiteral(" padded ")},
    {QStringLiteral("Texts/at"), QStringLiteral("@not a type")},
    {QStringLiteral("Texts/escapes"), QStringLiteral("quote \" back \\ tab\tline\n\x01"
                                                     "1a\x02")},
    {QStringLiteral("Texts/unicode"), QStringLiteral("50 \u03a9 at 25 \u00b0C \U0001F600")},
    {QStringLiteral("Texts/list"), QStringList{QStringLiteral("x"), QStringLiteral("y, z")}},
    {QStringLiteral("Texts/key with blanks/and slash"), 1.25},
    {QStringLiteral("Other/bytes"), QByteArray("\x00\x7f\xff raw", 8)},
    {QStringLiteral("Other/rect"), QRect(1, 2, 3, 4)},
    {QStringLiteral("Other/variant"), QVariant::fromValue(QList<int>{1, 2})},
};

std::set<QByteArray> linesOf(const QByteArray& text) {
    std::set<QByteArray> lines;
    for (const QByteArray& line : text.split('\n'))
        if (!line.isEmpty())
            lines.insert(line);
    return lines;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(IniSettingsTest, WritesWhatQSettingsWritesAndReadsItBack) {
    QTemporaryDir dir;
    const QString byQt = dir.filePath(QStringLiteral("qt.ini"));
    const QString ours = dir.filePath(QStringLiteral("ours.ini"));
    {
        QSettings reference(byQt, QSettings::IniFormat);
        for (const auto& [key, value] : kValues)
            reference.setValue(key, value);
    }
    IniSettings state(ours);
    for (const auto& [key, value] : kValues)
        state.setValue(key, value);
    ASSERT_TRUE(state.save());
    // The same lines (sections may come in another order).
    EXPECT_EQ(linesOf(readAll(ours)), linesOf(readAll(byQt)));

    const QSettings back(ours, QSettings::IniFormat);
    const QSettings qtBack(byQt, QSettings::IniFormat);
    EXPECT_EQ(back.allKeys().size(), kValues.size());
    for (const auto& [key, value] : kValues)
        EXPECT_EQ(back.value(key), qtBack.value(key)) << key.toStdString();
    EXPECT_EQ(back.value(QStringLiteral("AnalogMeter/position")).toPoint(), QPoint(120, -200));

    // A file read and saved again keeps every value.
    IniSettings reread(byQt);
    ASSERT_TRUE(reread.save());
    const QSettings again(byQt, QSettings::IniFormat);
    for (const auto& [key, value] : kValues)
        EXPECT_EQ(again.value(key), back.value(key)) << key.toStdString();
}

TEST(IniSettingsTest, AFullDiskKeepsTheOldFile) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QByteArray old = "[Recorder]\nintervalMs=1000\n";
    ASSERT_TRUE(disk.put(QStringLiteral("state.ini"), old));
    ASSERT_TRUE(disk.fill());
    IniSettings state(disk.path(QStringLiteral("state.ini")));
    EXPECT_EQ(state.value(QStringLiteral("Recorder/intervalMs")).toInt(), 1000);
    state.setValue(QStringLiteral("Recorder/intervalMs"), 5000);
    QString reason;
    EXPECT_FALSE(state.save(&reason));
    EXPECT_EQ(reason, QStringLiteral("No space left on device"));
    EXPECT_EQ(disk.read(QStringLiteral("state.ini")), old);
    EXPECT_EQ(disk.files(), QStringList({QStringLiteral("filler"), QStringLiteral("state.ini")}));
}
