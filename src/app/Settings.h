#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace telmora {

// The three values kept in the settings file between runs.
struct SettingsValues {
    std::int32_t iPort = 1;   // carried through only; no other part uses it
    double highLimit = 300.0; // comparator high limit
    double lowLimit = 100.0;  // comparator low limit
};

// Values used when the file lacks a key or a value does not convert. The high limit
// lies above the low one, so that the limit dialog accepts the defaults as they stand.
constexpr SettingsValues kSettingsDefaults{2, 300.0, 100.0};

// Largest part of a settings file that is looked at; the real file has three short lines.
constexpr std::size_t kSettingsReadLimit = 1 << 20;

// Looks the three names up anywhere in `content` (case-insensitive, first match
// wins, other lines ignored). If any of the three is missing or does not convert,
// all three take kSettingsDefaults.
SettingsValues ParseSettings(std::string_view content);

// Exactly three lines: iPort, fHiLimit, fLowLimit; floats with up to 15
// significant digits and "." as decimal separator, whatever the locale.
std::string FormatSettings(const SettingsValues& values);

// Locale-independent number conversions used for the settings file.
bool ParseInt32(std::string_view text, std::int32_t& out);
bool ParseFloat(std::string_view text, double& out);
std::string FormatFloat(double value, int significantDigits = 15);

// The settings file's full path: the application directory joined with the
// file name with the native separator.
QString SettingsFilePath(const QString& applicationDirectory);

// Reads the file (at most kSettingsReadLimit bytes). A missing or unreadable file
// gives kSettingsDefaults.
SettingsValues ReadSettingsFile(const QString& path);

// Replaces the file atomically; on failure the old file stays and `error` says why.
bool WriteSettingsFile(const QString& path, const SettingsValues& values, QString* error);

} // namespace telmora
