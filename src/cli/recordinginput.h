#pragma once
// What the commands that read recordings share about a recording of several meters
// (its manifest, "NAME.telmora"): choosing one of its meters with --meter, listing
// the meters, and checking every record of its files before anything is written.

#include "recording/RecordingManifest.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace telmora {
struct RecordingSetFiles;
class RecorderFileReader;
} // namespace telmora

namespace telmora::cli {

// Reads the manifest `path`; nothing after a one-line message on `err` when it is
// no manifest (the reason says why).
std::optional<RecordingManifest> ReadManifestInput(const char* path, std::FILE* err);

// The meters of a manifest for a message: "1: V (serial 1), 2: Load (serial 2)".
std::string MeterListText(const RecordingManifest& manifest);

// The index of the meter `wanted` names: its serial number, else its name, else
// its number counted from 1. Nothing, with the reason in `problem`, when no meter
// or more than one fits.
std::optional<std::size_t> ChooseMeter(const RecordingManifest& manifest, std::string_view wanted,
                                       std::string& problem);

// Checks every record `reader` has left to read; false after a one-line message on
// `err` naming the file (`path`) and the first damaged sample.
bool CheckRecordsOf(RecorderFileReader& reader, const char* path, std::FILE* err);
// The same for every file of an opened recording of several meters.
bool CheckRecordsOf(RecordingSetFiles& files, std::FILE* err);

// Says on `err` that a file of the recording `path` was cut short, so only the first
// `count` samples of each meter went into the output; `outcome` ends the line
// ("were exported"). Returns the exit status for it, 1.
int ReportSetCutShort(std::FILE* err, const char* path, std::int64_t count, const char* outcome);

} // namespace telmora::cli
