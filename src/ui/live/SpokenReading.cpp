#include "ui/live/SpokenReading.h"

#include "model/Measurement.h"
#include "model/ReadingRecord.h"
#include "model/functiontable.h"

#include <QStringList>

#include <utility>

namespace telmora {

namespace {

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The unit with its prefix: the prefix letters of the display ("u" is written µ),
// and the unit of the function as people write it. Decibel readings carry no
// prefix of their own ("dBm").
QString unitWithPrefix(const FunctionRow& row, const QString& prefix) {
    const QString unit = utf8(row.siUnit);
    if (row.decibel)
        return unit;
    if (unit.isEmpty())
        return {};
    // Only the prefixes of a power of ten; the degree sign of a bare temperature
    // display is part of its unit already.
    static constexpr std::pair<const char*, const char16_t*> kPrefixes[] = {
        {"n", u"n"}, {"u", u"\u00B5"}, {"m", u"m"}, {"k", u"k"}, {"M", u"M"}};
    for (const auto& [shown, written] : kPrefixes)
        if (prefix == QLatin1String(shown))
            return QString::fromUtf16(written) + unit;
    return unit;
}

// The number without the degree letter a lettered temperature display ends in.
QString numberOf(const FunctionRow& row, QString text) {
    const char letter = row.degreeLetter();
    if (letter != '\0' && text.endsWith(QLatin1Char(letter)))
        text.chop(1);
    return text.trimmed();
}

QString joined(const QString& number, const QString& unit, const QString& mode) {
    if (number.isEmpty())
        return {};
    QStringList parts{number};
    if (!unit.isEmpty())
        parts << unit;
    if (!mode.isEmpty())
        parts << mode;
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString SpokenReading(const Measurement& reading) {
    const FunctionRow& row = reading.row();
    return joined(numberOf(row, latin1(reading.text.view())),
                  unitWithPrefix(row, latin1(reading.prefixLabel.view())),
                  latin1(reading.modeLabel.view()));
}

QString DegreeUnit(std::uint32_t function) {
    const FunctionRow& row = FunctionRowOf(function);
    return row.scale == TemperatureScale::None ? QString() : utf8(row.siUnit);
}

QString WithoutDegreeLetter(std::uint32_t function, const QString& text) {
    return numberOf(FunctionRowOf(function), text);
}

QString SpokenRecord(const ReadingRecord& record) {
    const FunctionRow& row = FunctionRowOf(record.function());
    return joined(numberOf(row, latin1(record.displayText.view())),
                  unitWithPrefix(row, latin1(record.prefixText.view())),
                  latin1(record.modeText.view()));
}

} // namespace telmora
