#include "publish/publishmessages.h"

#include "model/TypedReading.h"
#include "model/decimaltext.h"
#include "model/tidycsv.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace telmora {

namespace {

// Builds one flat JSON object field by field, in the order given.
class JsonObject {
public:
    JsonObject() { m_text.push_back('{'); }

    void text(std::string_view key, std::string_view value) {
        this->key(key);
        quoted(value);
    }
    void text(std::string_view key, const QString& value) { text(key, value.toStdString()); }
    // A number, or null when it is not finite (JSON has no NaN or infinity).
    void number(std::string_view key, double value, bool present = true) {
        this->key(key);
        if (!present || !std::isfinite(value)) {
            m_text += "null";
            return;
        }
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        m_text.append(buffer, result.ptr);
    }
    void integer(std::string_view key, qint64 value) {
        this->key(key);
        m_text += std::to_string(value);
    }
    void boolean(std::string_view key, bool value) {
        this->key(key);
        m_text += value ? "true" : "false";
    }
    // A number as the command line's statistics write it.
    void shortest(std::string_view key, double value) {
        this->key(key);
        AppendShortestDouble(m_text, value);
    }
    // An object made by another JsonObject.
    void object(std::string_view key, JsonObject& inner) {
        this->key(key);
        m_text += inner.finishText();
    }
    std::string finishText() {
        m_text.push_back('}');
        return std::move(m_text);
    }
    QByteArray finish() { return QByteArray::fromStdString(finishText()); }

private:
    void key(std::string_view name) {
        if (m_text.size() > 1)
            m_text.push_back(',');
        quoted(name);
        m_text.push_back(':');
    }
    void quoted(std::string_view value) {
        static constexpr char kHex[] = "0123456789abcdef";
        m_text.push_back('"');
        for (const char c : value) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                m_text.push_back('\\');
                m_text.push_back(c);
            } else if (u < 0x20) {
                m_text += "\\u00";
                m_text.push_back(kHex[u >> 4]);
                m_text.push_back(kHex[u & 0xf]);
            } else {
                m_text.push_back(c);
            }
        }
        m_text.push_back('"');
    }

    std::string m_text;
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

QByteArray ReadingJson(const Measurement& main, qint64 utcMs, qint32 utcOffsetSeconds,
                       const QString& meterName, const QString& serial) {
    JsonObject json;
    json.text("time", IsoDateTime(utcMs, utcOffsetSeconds));
    const TypedReading reading = ReadingOfMeasurement(main);
    json.number("value", reading.value, reading.hasValue());
    json.text("unit", reading.unit);
    json.text("mode", reading.modeText());
    json.text("display", trimmed(main.text.view()));
    json.boolean("overload", main.overload);
    json.text("meter", meterName);
    json.text("serial", serial);
    return json.finish();
}

QByteArray StatisticsJson(const PublishedStatistics& statistics, qint64 utcMs,
                          qint32 utcOffsetSeconds, const QString& serial) {
    const bool any = statistics.samples > 0;
    JsonObject json;
    json.text("time", IsoDateTime(utcMs, utcOffsetSeconds));
    json.text("meter", statistics.meterName);
    json.text("serial", serial);
    json.text("unit", statistics.unit);
    json.integer("samples", statistics.samples);
    json.integer("overloads", statistics.overloads);
    json.number("mean", statistics.mean, any);
    json.number("stddev", statistics.stddev, any);
    json.number("min", statistics.minimum, any);
    json.number("max", statistics.maximum, any);
    if (statistics.limits) {
        const LimitTest& test = *statistics.limits;
        JsonObject limits;
        limits.shortest("low", test.low());
        limits.shortest("high", test.high());
        limits.integer("inside", test.counts().inside);
        limits.integer("above", test.counts().above);
        limits.integer("below", test.counts().below);
        limits.integer("excursions", test.counts().excursions);
        json.object("limits", limits);
    }
    return json.finish();
}

QByteArray MarkerJson(const QString& time, qint64 sample, const QString& note,
                      const QString& meterName, const QString& serial) {
    JsonObject json;
    json.text("time", time);
    json.integer("sample", sample);
    json.text("note", note);
    json.text("meter", meterName);
    json.text("serial", serial);
    return json.finish();
}

} // namespace telmora
