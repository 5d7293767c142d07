#include "model/storedreading.h"

#include "model/functiontable.h"
#include "model/unitstrings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace telmora {

namespace {

using Group = LoggedDisplay;

// The mode mark after the unit: the sub display never carries a DC or DC+AC mark.
std::string ModeMark(const FunctionRow& row, DisplayRole role) {
    if (row.mode == Mode::None)
        return {};
    if (role == DisplayRole::Sub && (row.mode == Mode::Dc || row.mode == Mode::DcAc))
        return {};
    return " [" + std::string(ModeText(row.mode)) + "]";
}

double Pow10(int e) {
    static constexpr std::array<double, 17> kPowers = {1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3,
                                                       1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,
                                                       1e4,  1e5,  1e6,  1e7,  1e8};
    if (e >= -8 && e <= 8) {
        return kPowers[static_cast<std::size_t>(e + 8)];
    }
    return std::pow(10.0, e);
}

// The count written with the point after its first digit (at least four digits:
// "0.123", "12.345" for 12345), signed, times 10^e - computed from the integers, and
// exactly the value the text "<count text>E<e>" reads as: the count and a power of
// ten up to 10^22 are exact doubles, so one multiplication or division rounds once.
double CountValue(std::uint16_t count, bool minus, int e) {
    int digits = 1;
    for (unsigned c = count; c >= 10; c /= 10)
        ++digits;
    const int k = e - (std::max(digits, 4) - 1);
    const auto n = static_cast<double>(count);
    const double magnitude = k >= 0 ? n * Pow10(k) : n / Pow10(-k);
    return minus ? -magnitude : magnitude;
}

// The digits after the decimal point of a display text ("4.770" has 3).
int DigitsAfterPoint(std::string_view display) {
    const std::size_t point = display.find('.');
    if (point == std::string_view::npos)
        return 0;
    int digits = 0;
    for (std::size_t i = point + 1; i < display.size() && display[i] >= '0' && display[i] <= '9';
         ++i)
        ++digits;
    return digits;
}

// printf's "%0<width>.<precision>f" without the C library's locale: the digits
// from to_chars, zeros between the sign and the digits up to the width.
std::string FormatFixed(double v, int width, int precision) {
    std::array<char, 400> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed,
                                 std::max(precision, 0));
    std::string text(buf.data(), r.ptr);
    if (static_cast<int>(text.size()) < width) {
        const std::size_t signs = (!text.empty() && text.front() == '-') ? 1 : 0;
        text.insert(signs, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return text;
}

// The overload text of a display whose point sits after w digits of the number
// (w = 0: ".OL", 1: "O.L", 2: "OL.", 3: "OL").
bool OverloadDisplay(int w, std::string& out) {
    switch (w) {
    case 0:
        out = ".OL";
        return true;
    case 1:
        out = "O.L";
        return true;
    case 2:
        out = "OL.";
        return true;
    case 3:
        out = "OL";
        return true;
    default:
        return false;
    }
}

// The four formats shared by volts and currents.
std::string SignedDisplay(const std::string& m, double v, int w) {
    const bool negative = m.find('-') != std::string::npos;
    const int width = negative ? (w == 3 ? 5 : 6) : (w == 3 ? 4 : 5);
    return FormatFixed(v * Pow10(w), width, 3 - w);
}

} // namespace

int StoredValueExponent(std::uint32_t code) {
    return FunctionRowOf(code).valueExponent;
}

StoredReadingTexts ConvertReadingTexts(const UnpackedReading& reading, std::uint32_t code,
                                       int rangeClass, DisplayRole role) {
    StoredReadingTexts out;
    const FunctionRow& row = FunctionRowOf(code);
    const Group group = (code & kLowBatteryBit) != 0 ? Group::Other : row.loggedDisplay;
    const bool temperature = group == Group::Celsius || group == Group::Fahrenheit;

    // The power of ten of the range the reading was logged in.
    const int e = DecimalExponentTable(rangeClass, reading.range);
    out.exponentText = std::to_string(e);

    // The value text: the count as four digits, zero-padded, with the point after
    // the first digit ("0123" becomes "0.123").
    std::string m;
    if ((reading.status & StoredStatus::Overload) != 0) {
        m = temperature ? "----" : "OL";
    } else {
        std::array<char, 8> digits{};
        auto r = std::to_chars(digits.data(), digits.data() + digits.size(), reading.count);
        std::string count(digits.data(), r.ptr);
        if (count.size() < 4) {
            count.insert(0, 4 - count.size(), '0');
        }
        m = count.substr(0, 1) + "." + count.substr(1);
    }
    if (group == Group::Celsius) {
        m += 'C';
    } else if (group == Group::Fahrenheit) {
        m += 'F';
    }
    if ((reading.status & StoredStatus::Negative) != 0) {
        m.insert(0, 1, '-');
    }

    // The display text, shaped by the function's group.
    if (temperature) {
        m.pop_back(); // the degree letter leaves the value text as well
    }
    const bool minusSign = (reading.status & StoredStatus::Negative) != 0;
    const bool numeric = (reading.status & StoredStatus::Overload) == 0;
    const double v = numeric ? CountValue(reading.count, minusSign, 0) : 0.0;
    const bool overload = m.find('L') != std::string::npos;
    std::string d = m;
    switch (group) {
    case Group::Volt: {
        const int w = e < 0 ? e + 3 : e;
        if (numeric) {
            d = SignedDisplay(m, v, w);
        } else if (overload) {
            OverloadDisplay(w, d);
        }
        break;
    }
    case Group::Current: {
        const int w = e >= 0 ? e : e % 3 + 3;
        if (numeric) {
            d = SignedDisplay(m, v, w);
        } else if (overload) {
            OverloadDisplay(w, d);
        }
        break;
    }
    case Group::Capacitance:
        if (numeric) {
            if (e == 3) {
                d = FormatFixed(v * 1000.0, 4, 0);
            } else {
                const int w = ((e + 3) % 3 + 3) % 3;
                d = FormatFixed(v * Pow10(w), 5, 3 - w);
            }
        }
        break;
    case Group::Resistance:
    case Group::Frequency:
        if (numeric) {
            const int w = e % 3; // remainder with the sign of e
            d = FormatFixed(v * Pow10(w), 5, 3 - w);
        }
        break;
    case Group::Conductance:
        if (numeric) {
            d = FormatFixed(v * Pow10(e), 5, 3 - e);
        }
        break;
    case Group::Celsius:
    case Group::Fahrenheit:
        if (numeric) {
            d = FormatFixed(v * Pow10(e), 3, 0);
        }
        break;
    case Group::Other:
        break;
    }
    out.displayText = std::move(d);

    // The prefix and the unit, with the mode mark.
    int prefixClass = PrefixClass(code, out.exponentText);
    if (group == Group::Capacitance && e == 3) {
        // This range shows whole microfarads ("4626", like the 5000 uA current range
        // shows whole microamperes): its prefix is micro, not the milli of the range
        // above it, or the label would read a thousand times the value.
        prefixClass = -6;
    }
    // Class 1 is the volt ranges' "no prefix".
    out.prefixExponent = PrefixTextView(code, prefixClass).empty() ? 0 : prefixClass;
    out.prefixText = std::string(PrefixTextView(code, prefixClass));
    out.unitText = std::string(UnitTextView(code)) +
                   ((code & kLowBatteryBit) != 0 ? std::string() : ModeMark(row, role));

    // The value in base units, or the overload substitute.
    double x = 0.0;
    if (numeric) {
        x = CountValue(reading.count, minusSign, e);
        out.value = static_cast<float>(x);
        out.baseValue = x;
    } else {
        const bool minus = !m.empty() && m.front() == '-';
        const double scale = Pow10(e);
        if (group == Group::Celsius) {
            x = minus ? -1375.0 : 1375.0;
        } else if (group == Group::Fahrenheit) {
            x = minus ? -2510.0 : 2510.0;
        } else if (overload) {
            const OverloadRule rule =
                (code & kLowBatteryBit) != 0 ? OverloadRule::None : row.loggedOverload;
            switch (rule) {
            case OverloadRule::Range10_9989:
                x = scale * 10.9989;
                break;
            case OverloadRule::Range6_6:
                x = scale * 6.6;
                break;
            case OverloadRule::Percent110:
                x = 110.0;
                break;
            case OverloadRule::Decibel1100:
                x = 1100.0;
                break;
            case OverloadRule::None:
                x = 10998.9;
                break;
            }
            if (minus) {
                x = -x;
            }
        } else {
            x = 10998.9;
        }
        out.value = static_cast<float>(x);
    }
    out.valueText = std::move(m);
    return out;
}

Measurement MeasureStoredReading(const UnpackedReading& reading, std::uint32_t code, int rangeClass,
                                 DisplayRole role) {
    const StoredReadingTexts t = ConvertReadingTexts(reading, code, rangeClass, role);
    const FunctionRow& row = FunctionRowOf(code);
    const bool overloadStatus = (reading.status & StoredStatus::Overload) != 0;
    const bool temperature = row.lettered();
    Measurement m;
    m.function = row.function;
    m.code = code;
    m.kind = role == DisplayRole::Main ? DisplayKind::Main : DisplayKind::Sub;
    m.negative = (reading.status & StoredStatus::Negative) != 0;
    m.prefixExponent = t.prefixExponent;
    if (!overloadStatus)
        m.value = t.baseValue * Pow10(StoredValueExponent(code));
    m.overload = overloadStatus && !temperature;
    m.open = overloadStatus && temperature;
    m.decimals = DigitsAfterPoint(t.displayText);
    m.text.assign(t.displayText);
    m.prefixLabel.assign(t.prefixText);
    m.unitLabel.assign(UnitTextView(code));
    const bool subDropsMode =
        role == DisplayRole::Sub && (row.mode == Mode::Dc || row.mode == Mode::DcAc);
    m.modeLabel.assign(subDropsMode ? std::string_view() : ModeText(row.mode));
    m.line.text.assign(t.displayText);
    m.line.part1.assign(t.prefixText);
    m.line.part2.assign(t.unitText);
    m.recorded.recordable = true;
    m.recorded.text.assign(t.valueText);
    m.recorded.value = t.value;
    return m;
}

ReadingRecord ConvertReading(const UnpackedReading& reading, std::uint32_t code, int rangeClass,
                             std::string_view timeText, DisplayRole role) {
    const StoredReadingTexts t = ConvertReadingTexts(reading, code, rangeClass, role);
    ReadingRecord record;
    record.valueText.assign(t.valueText);
    record.exponentText.assign(t.exponentText);
    record.functionCode = code;
    record.timeText.assign(timeText);
    record.displayText.assign(t.displayText);
    record.prefixText.assign(t.prefixText);
    record.unitText.assign(t.unitText);
    record.value = t.value;
    return record;
}

SampleEntry ConvertSample(const UnpackedReading& main, const SessionFunctions& functions,
                          bool hasSub, const UnpackedReading& sub, std::string_view timeText) {
    SampleEntry entry;
    entry.hasSub = hasSub ? 1 : 0;
    entry.main =
        ConvertReading(main, functions.mainCode, functions.mainClass, timeText, DisplayRole::Main);
    if (hasSub) {
        entry.sub =
            ConvertReading(sub, functions.subCode, functions.subClass, timeText, DisplayRole::Sub);
    }
    return entry;
}

} // namespace telmora
