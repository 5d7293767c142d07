#include "model/Measurement.h"
#include "model/decode.h"
#include "model/sessiontables.h"
#include "model/storedreading.h"
#include "sim/DisplayEncoder.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

using namespace telmora;

namespace {

// The main or sub measurement of a reply showing `text` with function `code`.
Measurement LiveMeasurement(std::string_view text, std::uint32_t code, int prefixExponent,
                            DisplayKind kind) {
    DesiredReading desired;
    DesiredDisplay& display = kind == DisplayKind::Main ? desired.main : desired.sub;
    if (kind == DisplayKind::Sub) {
        SetDisplayText("1.000", desired.main);
        desired.main.setFunction(MeterFunction::VoltsDc);
    }
    if (!SetDisplayText(text, display))
        return {};
    display.code = code;
    display.prefixExponent = prefixExponent;
    DecodedReply reply;
    DecodeReply(EncodeDisplay(desired), reply);
    return kind == DisplayKind::Main ? reply.main : reply.sub;
}

} // namespace

// A reading stored in the logger and the same display seen live are one
// measurement: same function, prefix and SI value (capacitance in farad and
// conductance in siemens, whatever unit their stored values count in).
TEST(Measurement, StoredAndLiveReadingsOfEveryFunctionAgree) {
    int compared = 0;
    for (std::uint8_t type = 1; type <= 9; ++type)
        for (std::uint8_t kind = 0; kind < 5; ++kind) {
            const SessionFunctions f = SessionFunctionTable(type, kind, 0);
            for (std::uint8_t range = 0; range < 16; ++range)
                for (const std::uint16_t count : {4626, 1234, 25}) {
                    const UnpackedReading reading{0, range, count};
                    const Measurement stored =
                        MeasureStoredReading(reading, f.mainCode, f.mainClass);
                    if (stored.function == MeterFunction::DecibelMilliwatt || !stored.hasNumber())
                        continue; // dBm: the live display shows its prefix as the unit
                    // A temperature display ends in its degree letter.
                    std::string shown(stored.text.view());
                    if (stored.row().lettered())
                        shown += stored.row().scale == TemperatureScale::Celsius ? 'C' : 'F';
                    const Measurement live = LiveMeasurement(
                        shown, f.mainCode, stored.prefixExponent, DisplayKind::Main);
                    if (live.functionCode() != f.mainCode || !live.hasNumber())
                        continue; // no annunciator for it, or a text the display cannot show
                    SCOPED_TRACE(std::string(stored.text.view()) + " code " +
                                 std::to_string(f.mainCode) + " range " + std::to_string(range));
                    EXPECT_EQ(live.function, stored.function);
                    EXPECT_EQ(live.prefixExponent, stored.prefixExponent);
                    EXPECT_EQ(live.decimals, stored.decimals);
                    EXPECT_NEAR(live.value, stored.value, std::fabs(stored.value) * 1e-12);
                    ++compared;
                }
        }
    EXPECT_GT(compared, 100);
}

TEST(Measurement, CapacitanceAndConductanceKeepTheirPrefixes) {
    const Measurement nanofarad = LiveMeasurement("47.12", 0x8, -9, DisplayKind::Main);
    EXPECT_EQ(nanofarad.function, MeterFunction::Capacitance);
    EXPECT_EQ(nanofarad.prefixExponent, -9);
    EXPECT_DOUBLE_EQ(nanofarad.value, 47.12e-9);
    EXPECT_FLOAT_EQ(nanofarad.recorded.value, 47.12e-3f) << "the recorder counts microfarad";

    const Measurement nanosiemens = LiveMeasurement("25.40", 0x1000, -9, DisplayKind::Main);
    EXPECT_EQ(nanosiemens.prefixExponent, -9);
    EXPECT_DOUBLE_EQ(nanosiemens.value, 25.4e-9);
    EXPECT_FLOAT_EQ(nanosiemens.recorded.value, 25.4f) << "the recorder counts nanosiemens";

    // The sub display records base units.
    const Measurement sub = LiveMeasurement("47.12", 0x8, -9, DisplayKind::Sub);
    EXPECT_DOUBLE_EQ(sub.value, 47.12e-9);
}

TEST(Measurement, OverloadOpenInputAndBlankDisplays) {
    const Measurement overload = LiveMeasurement(" 0.L ", 0x80, 6, DisplayKind::Main);
    EXPECT_TRUE(overload.overload);
    EXPECT_FALSE(overload.hasNumber());
    EXPECT_TRUE(overload.recorded.recordable) << "recorded as its substitute";

    const Measurement open = LiveMeasurement("---C", 0x8020, 0, DisplayKind::Main);
    EXPECT_TRUE(open.open);
    EXPECT_FALSE(open.hasNumber());

    const Measurement degrees = LiveMeasurement(" 25C", 0x8020, 0, DisplayKind::Main);
    EXPECT_EQ(degrees.function, MeterFunction::TemperatureT1Celsius);
    EXPECT_EQ(degrees.value, 25.0);

    const Measurement unknown = MeasureDisplay("1.000", false, 0x12345, 0, DisplayKind::Main);
    EXPECT_EQ(unknown.function, MeterFunction::Unknown);
    EXPECT_EQ(unknown.unitLabel, "?");
    EXPECT_EQ(unknown.value, 1.0);
}

// Stored values come from the count, not from their text: they equal the text read
// back, for every count and exponent.
TEST(Measurement, StoredValuesEqualTheirTextReadBack) {
    for (const auto& [code, rangeClass] :
         {std::pair{0x6u, 1}, std::pair{0x8u, 3}, std::pair{0x80u, 2}})
        for (std::uint8_t range = 0; range < 8; ++range)
            for (unsigned count = 0; count <= 65535; count += 7) {
                const StoredReadingTexts t =
                    ConvertReadingTexts({0, range, static_cast<std::uint16_t>(count)}, code,
                                        rangeClass, DisplayRole::Main);
                const std::string text = t.valueText + "E" + t.exponentText;
                double expected = 0;
                std::from_chars(text.data(), text.data() + text.size(), expected);
                ASSERT_EQ(t.baseValue, expected) << text;
                ASSERT_EQ(t.value, static_cast<float>(expected)) << text;
            }
}
