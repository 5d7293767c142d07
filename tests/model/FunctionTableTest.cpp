#include "model/functiontable.h"
#include "model/decode.h"
#include "model/unitstrings.h"

#include <gtest/gtest.h>

#include <set>

using namespace telmora;

TEST(FunctionTable, EveryCodeHasOneRowAndComesBack) {
    std::set<std::uint32_t> codes;
    for (const FunctionRow& row : FunctionTable()) {
        if (row.function == MeterFunction::Unknown)
            continue;
        EXPECT_TRUE(codes.insert(row.code).second) << "code 0x" << std::hex << row.code;
        EXPECT_EQ(MeterFunctionOf(row.code), row.function);
        EXPECT_EQ(FunctionCodeOf(row.function), row.code);
        EXPECT_EQ(&FunctionRowOf(row.function), &FunctionRowOf(row.code));
        // The low-battery bit never changes the function.
        EXPECT_EQ(MeterFunctionOf(row.code | kLowBatteryBit), row.function);
    }
    EXPECT_EQ(codes.size() + 1, FunctionTable().size());
    EXPECT_EQ(FunctionTable().back().function, MeterFunction::Unknown);
}

TEST(FunctionTable, UnknownCodesKeepTheirOldLabels) {
    for (std::uint32_t code : {0x1u, 0x3u, 0x60u, 0x4060u, 0x12345u, 0x7FFFFFFFu}) {
        EXPECT_EQ(MeterFunctionOf(code), MeterFunction::Unknown) << code;
        EXPECT_EQ(UnitLabel(code), "?") << code;
        EXPECT_EQ(MainModeLabel(code), "") << code;
        EXPECT_EQ(UnitTextView(code), "") << code;
        EXPECT_EQ(PrefixClass(code, "3"), 0) << code;
    }
    EXPECT_EQ(FunctionCodeOf(MeterFunction::Unknown), 0u);
    // "No function" is a row of its own: an empty unit label, not "?".
    EXPECT_EQ(MeterFunctionOf(0), MeterFunction::None);
    EXPECT_EQ(UnitLabel(0), "");
}

TEST(FunctionTable, RowsCarryTheRulesOfTheirFunction) {
    const FunctionRow& cap = FunctionRowOf(MeterFunction::Capacitance);
    EXPECT_EQ(cap.valueExponent, -6);
    EXPECT_EQ(cap.comparatorScale, 1e6);
    EXPECT_EQ(FunctionRowOf(MeterFunction::Conductance).valueExponent, -9);
    EXPECT_TRUE(FunctionRowOf(MeterFunction::TemperatureT1MinusT2Fahrenheit).lettered());
    EXPECT_FALSE(FunctionRowOf(MeterFunction::TemperatureT1).lettered());
    EXPECT_FALSE(FunctionRowOf(MeterFunction::Celsius).lettered());
    EXPECT_EQ(ModeText(FunctionRowOf(MeterFunction::VoltsAcVariant).mode), "AC");
    // The live sub display shows no AC mark for the variant, the files do.
    EXPECT_EQ(SubModeLabel(FunctionCodeOf(MeterFunction::VoltsAcVariant)), "");
    EXPECT_EQ(SubModeLabel(FunctionCodeOf(MeterFunction::VoltsAc)), "AC");
    EXPECT_EQ(UnitLabel(FunctionCodeOf(MeterFunction::DecibelOhms)), "W");
    EXPECT_EQ(UnitTextView(FunctionCodeOf(MeterFunction::DecibelMilliwatt)), "m");
}
