// The parts of the real cable backend that do not need the cable.
#include "meter/HidapiBackend.h"

#include <gtest/gtest.h>

using namespace telmora;
using Report = std::array<std::uint8_t, kInputReportSize>;

TEST(HidapiBackend, ReportsAlwaysArriveWithTheReportNumberFirst) {
    Report report{};
    // hidraw strips report number 0 of an unnumbered device: 8 data bytes.
    const std::uint8_t data[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(ToInputReport(data, report), kInputReportSize);
    EXPECT_EQ(report, (Report{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    // A shorter report is zero-filled, still counted as a whole report.
    const std::uint8_t shortData[] = {9, 9};
    EXPECT_EQ(ToInputReport(shortData, report), kInputReportSize);
    EXPECT_EQ(report, (Report{0, 9, 9, 0, 0, 0, 0, 0, 0}));
    // A numbered report keeps its number; extra bytes are dropped.
    const std::uint8_t numbered[] = {3, 1, 2, 3, 4, 5, 6, 7, 8, 0xEE};
    EXPECT_EQ(ToInputReport(numbered, report), kInputReportSize);
    EXPECT_EQ(report, (Report{3, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(ToInputReport({}, report), 0u);
}

TEST(HidapiBackend, SerialNumberBytesAreTheFirstEightOfUtf16) {
    EXPECT_EQ(SerialBytes(L"5310"),
              (std::array<std::uint8_t, 8>{0x35, 0, 0x33, 0, 0x31, 0, 0x30, 0}));
    EXPECT_EQ(SerialBytes(L"AB"), (std::array<std::uint8_t, 8>{0x41, 0, 0x42, 0, 0, 0, 0, 0}));
    EXPECT_EQ(SerialBytes(L"123456789"),
              (std::array<std::uint8_t, 8>{0x31, 0, 0x32, 0, 0x33, 0, 0x34, 0}));
    EXPECT_EQ(SerialBytes(std::wstring(1, static_cast<wchar_t>(0x1F600))),
              (std::array<std::uint8_t, 8>{0x3D, 0xD8, 0x00, 0xDE, 0, 0, 0, 0}));
    EXPECT_EQ(SerialBytes(L""), (std::array<std::uint8_t, 8>{}));
}
