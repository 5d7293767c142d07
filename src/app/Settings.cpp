#include "app/Settings.h"

#include "model/SaveFile.h"
#include "model/fileaccess.h"
#include "text/texts.h"

#include <QDir>
#include <QFile>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace telmora {

namespace {

std::string_view trim(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The value of the first line whose name (text before the first "=") matches.
std::optional<std::string_view> lookUp(std::string_view content, std::string_view name) {
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        const std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        if (equalsNoCase(trim(line.substr(0, eq)), name))
            return trim(line.substr(eq + 1));
    }
    return std::nullopt;
}

} // namespace

bool ParseInt32(std::string_view text, std::int32_t& out) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    std::int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || ptr != text.data() + text.size())
        return false;
    out = value;
    return true;
}

bool ParseFloat(std::string_view text, double& out) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc{} || ptr != text.data() + text.size() || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

std::string FormatFloat(double value, int significantDigits) {
    std::array<char, 64> buf{};
    const auto [ptr, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                         std::chars_format::general, significantDigits);
    if (ec != std::errc{})
        return "0";
    return std::string(buf.data(), ptr);
}

SettingsValues ParseSettings(std::string_view content) {
    SettingsValues v;
    const auto port = lookUp(content, "iPort");
    const auto hi = lookUp(content, "fHiLimit");
    const auto low = lookUp(content, "fLowLimit");
    if (!port || !ParseInt32(*port, v.iPort) || !hi || !ParseFloat(*hi, v.highLimit) || !low ||
        !ParseFloat(*low, v.lowLimit))
        return kSettingsDefaults;
    return v;
}

std::string FormatSettings(const SettingsValues& values) {
    std::string out;
    out += "iPort=" + std::to_string(values.iPort) + "\n";
    out += "fHiLimit=" + FormatFloat(values.highLimit) + "\n";
    out += "fLowLimit=" + FormatFloat(values.lowLimit) + "\n";
    return out;
}

QString SettingsFilePath(const QString& applicationDirectory) {
    QString name =
        text(TextId::SettingsFileName); // "\ORLANDL.ini": the leading separator is the original's
    while (name.startsWith(QLatin1Char('\\')) || name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return QDir::toNativeSeparators(QDir(applicationDirectory).filePath(name));
}

SettingsValues ReadSettingsFile(const QString& path) {
    QFile file;
    if (!OpenRegularFile(file, QDir::fromNativeSeparators(path)))
        return kSettingsDefaults;
    const QByteArray bytes = file.read(kSettingsReadLimit);
    return ParseSettings(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

bool WriteSettingsFile(const QString& path, const SettingsValues& values, QString* error) {
    return SaveFile::writeWhole(QDir::fromNativeSeparators(path),
                                std::string_view(FormatSettings(values)), error);
}

} // namespace telmora
