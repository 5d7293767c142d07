#pragma once
// telmora-cli decode: live replies as hexadecimal lines on stdin, one JSON object
// per line on stdout.

#include "model/DecodedReply.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace telmora::cli {

// Longest input line that is looked at; the rest of a longer line is skipped
// without being stored, so memory stays bounded whatever the input.
constexpr std::size_t kMaxDecodeLine = 4096;

// Parses one line of 54 hexadecimal digits (27 bytes) into a reply. Blanks
// (spaces, tabs) may stand anywhere between the digits, and a trailing carriage
// return is ignored. On failure returns false and sets `error` to a sentence in
// plain words.
bool ParseReplyHex(std::string_view line, std::array<std::uint8_t, kReplySize>& reply,
                   std::string& error);

// Appends `text` as a JSON string (with quotes), escaping '"', '\', control
// characters and bytes outside ASCII.
void AppendJsonString(std::string_view text, std::string& out);

// Appends the JSON object of a decoded reading (keys in the documented order).
void AppendReadingJson(const DecodedReply& reading, std::string& out);

// Appends {"error": "<message>"}.
void AppendErrorJson(std::string_view message, std::string& out);

// Reads lines from `in` until its end and writes one JSON line per input line to
// `out`. Returns the exit status: 0 when every line was a reply, 1 otherwise
// (with a one-line summary on `err`).
int RunDecode(std::FILE* in, std::FILE* out, std::FILE* err);

// The command: `args` are the arguments after "decode".
int CmdDecode(int argc, char** argv);

} // namespace telmora::cli
