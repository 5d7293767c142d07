#include "model/unitstrings.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace telmora;

namespace {

std::string Label(std::uint32_t code, const char* decimalCode) {
    std::array<char, 4> prefix{};
    std::array<char, 4> unit{};
    const int cls = PrefixClass(code, decimalCode);
    const std::size_t pn = PrefixText(code, cls, prefix);
    const std::size_t un = UnitText(code, unit);
    EXPECT_EQ(pn, std::string(prefix.data()).size());
    EXPECT_EQ(un, std::string(unit.data()).size());
    return std::string(prefix.data()) + "|" + unit.data();
}

} // namespace

TEST(UnitStrings, PrefixClassByCodeGroup) {
    EXPECT_EQ(PrefixClass(0x8, "3"), -3);
    EXPECT_EQ(PrefixClass(0x8, "5"), 0);
    EXPECT_EQ(PrefixClass(0x8, "-1"), -9);
    EXPECT_EQ(PrefixClass(0x8, "2"), -6);
    EXPECT_EQ(PrefixClass(0x180, "4"), 3);
    EXPECT_EQ(PrefixClass(0x180, "-1"), 0) << "truncation toward zero";
    EXPECT_EQ(PrefixClass(0x400, "-4"), -3);
    EXPECT_EQ(PrefixClass(0x400, "6"), 6);
    EXPECT_EQ(PrefixClass(0x5, "0"), 1);
    EXPECT_EQ(PrefixClass(0x1000005, "-2"), -3);
    EXPECT_EQ(PrefixClass(0x10800, "-1"), -3);
    EXPECT_EQ(PrefixClass(0x202, "-4"), -6);
    EXPECT_EQ(PrefixClass(0x203, "-1"), -3);
    EXPECT_EQ(PrefixClass(0x201, "3"), 0);
    EXPECT_EQ(PrefixClass(0x20205, "5"), 3);
    EXPECT_EQ(PrefixClass(0x40001, "3"), 0);
    EXPECT_EQ(PrefixClass(0x1000, "7"), -9);
    EXPECT_EQ(PrefixClass(0x2000, "-2"), -3);
    EXPECT_EQ(PrefixClass(0x800, "3"), 0);
    EXPECT_EQ(PrefixClass(0x1234, "3"), 0);
}

TEST(UnitStrings, DecimalCodeThatIsNoIntegerGivesZero) {
    for (const char* bad : {"", "x", "1.5", "3a", "--1", "+-1", "99999999999999999999"}) {
        EXPECT_EQ(PrefixClass(0x1000, bad), 0) << '"' << bad << '"';
    }
    EXPECT_EQ(PrefixClass(0x1000, " 2 "), -9) << "blanks around the number are accepted";
    EXPECT_EQ(PrefixClass(0x8, "+3"), -3);
}

TEST(UnitStrings, Labels) {
    EXPECT_EQ(Label(0x8, "3"), "m|F");
    EXPECT_EQ(Label(0x8, "5"), "|F");
    EXPECT_EQ(Label(0x180, "4"), "k|W");
    EXPECT_EQ(Label(0x2000, "0"), "dB|m");
    EXPECT_EQ(Label(0x2000, "abc"), "|m") << "class 0 from the unreadable code";
    EXPECT_EQ(Label(0x5, "0"), "|V");
    EXPECT_EQ(Label(0x1000, "1"), "n|S");
    EXPECT_EQ(Label(0x20205, "4"), "k|VAR");
    EXPECT_EQ(Label(0x205, "0"), "|VA");
    EXPECT_EQ(Label(0x40001, "6"), "k|W");
    EXPECT_EQ(Label(0x8020, "3"), "|C");
    EXPECT_EQ(Label(0x40, "3"), "|F");
    EXPECT_EQ(Label(0x10800, "0"), "|%");
    EXPECT_EQ(Label(0x99, "0"), "|");
    EXPECT_EQ(PrefixTextView(0x20, 0), "");
    EXPECT_EQ(PrefixTextView(0x2000, -6), "u");
    EXPECT_EQ(PrefixTextView(0x6, 1), "");
    EXPECT_EQ(PrefixTextView(0x400, 6), "M");
}

TEST(UnitStrings, HighestBitIsIgnoredForTheUnit) {
    for (std::uint32_t code : {0x5u, 0x80u, 0x2000u, 0x20205u, 0x8040u, 0x1234u}) {
        EXPECT_EQ(UnitTextView(code | 0x80000000u), UnitTextView(code)) << std::hex << code;
    }
}

TEST(UnitStrings, ShortBuffersStayTerminated) {
    std::array<char, 2> two{'x', 'x'};
    EXPECT_EQ(UnitText(0x20205, two), 1u);
    EXPECT_EQ(std::string(two.data()), "V");
    std::span<char> none;
    EXPECT_EQ(PrefixText(0x2000, -3, none), 0u);
}
