#include "logger/sessiontext.h"
#include "model/storedreading.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

using namespace telmora;

namespace {

std::vector<SampleList> TwoSessions() {
    std::vector<SampleList> v(2);
    const SessionFunctions volts = SessionFunctionTable(2, 0, 0);
    v[0].append(ConvertSample({0, 0, 1234}, volts, false, {}, "0:00'0.000\""));
    v[0].append(ConvertSample({4, 0, 0}, volts, false, {}, "0:00'1.000\""));
    v[0].append(ConvertSample({8, 1, 1234}, volts, false, {}, "0:00'2.000\""));
    const SessionFunctions ac = SessionFunctionTable(1, 0, 0x80);
    v[1].append(ConvertSample({0, 1, 1234}, ac, true, {0, 1, 5000}, "0:00'11.000\""));
    v[1].append(ConvertSample({0, 1, 1235}, ac, true, {0, 1, 5001}, "0:00'12.000\""));
    return v;
}

} // namespace

TEST(SessionText, LinesOfBothShapes) {
    const auto sessions = TwoSessions();
    EXPECT_EQ(SessionsText(sessions, 1, 1),
              "#item,Time,MainData,MainUnit,MainFunc,Sub Data,SubUnit,SubFunc\r\n"
              "1,0:00'0.000\",1.234,,V [DC]\r\n"
              "2,0:00'1.000\",.OL,,V [DC]\r\n"
              "3,0:00'2.000\",-12.34,,V [DC]\r\n");
    // All pages: numbering starts again at 1 for the second session.
    const std::string all = SessionsText(sessions, 1, 2);
    EXPECT_NE(all.find("3,0:00'2.000\",-12.34,,V [DC]\r\n"
                       "1,0:00'11.000\",12.34,,V [AC],50.00,,Hz\r\n"
                       "2,0:00'12.000\",12.35,,V [AC],50.01,,Hz\r\n"),
              std::string::npos);
}

TEST(SessionText, ResistanceExportsOhm) {
    std::vector<SampleList> v(1);
    v[0].append(ConvertSample({0, 1, 4700}, SessionFunctionTable(5, 0, 0), false, {}, "t\""));
    EXPECT_EQ(SessionsText(v, 1, 1).substr(62), "\r\n1,t\",4.700,k,Ohm\r\n");
}

TEST(SessionText, PageRangesAreClamped) {
    const auto sessions = TwoSessions();
    const std::string header = std::string(kSessionTextHeader) + "\r\n";
    EXPECT_EQ(SessionsText(sessions, 0, 99), SessionsText(sessions, 1, 2));
    EXPECT_EQ(SessionsText(sessions, 2, 1), SessionsText(sessions, 1, 2));
    EXPECT_EQ(SessionsText(sessions, 3, 7), header);
    EXPECT_EQ(SessionsText(sessions, 0, 0), header);
    EXPECT_EQ(SessionsText({}, 1, 1), header);
    EXPECT_TRUE(ClampPageRange(-5, -1, 3).empty());
}

TEST(SessionText, FileUnderACommaLocale) {
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    QTemporaryDir dir;
    const auto sessions = TwoSessions();
    QString error;
    const QString path = dir.filePath("x.csv");
    ASSERT_TRUE(ExportSessionsTextFile(path, sessions, 1, 2, &error)) << error.toStdString();
    std::setlocale(LC_NUMERIC, "C");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), SessionsText(sessions, 1, 2));
    EXPECT_FALSE(ExportSessionsTextFile(dir.filePath("no/such/dir.csv"), sessions, 1, 2, &error));
    EXPECT_FALSE(error.isEmpty());
}
