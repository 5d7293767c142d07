#include "cli/CmdDecode.h"

#include "cli/CommandOutput.h"
#include "model/decode.h"

#include <cstring>
#include <string_view>

namespace telmora::cli {

namespace {

constexpr const char* kDecodeUsage =
    "Usage: telmora-cli decode < REPLIES\n"
    "\n"
    "Reads live meter replies from standard input, one per line as 54 hexadecimal\n"
    "digits (27 bytes; blanks between the digits are allowed), and writes one JSON\n"
    "object per line with the decoded reading. A line that is not a reply gives\n"
    "{\"error\": \"...\"} on its line, and the exit status is then 1.\n";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Splits a stream into lines, keeping at most `maxLength` characters of each.
class LineReader {
public:
    LineReader(std::FILE* in, std::size_t maxLength) : m_in(in), m_maxLength(maxLength) {
        m_line.reserve(maxLength);
    }

    // Reads the next line (without its '\n'). Returns false at the end of the
    // input. `tooLong` tells that characters beyond maxLength were skipped.
    bool next(bool& tooLong) {
        m_line.clear();
        tooLong = false;
        bool any = false;
        int c;
        while ((c = std::getc(m_in)) != EOF) {
            any = true;
            if (c == '\n') {
                return true;
            }
            if (m_line.size() < m_maxLength) {
                m_line.push_back(static_cast<char>(c));
            } else {
                tooLong = true;
            }
        }
        return any;
    }
    std::string_view line() const { return m_line; }
    bool failed() const { return std::ferror(m_in) != 0; }

private:
    std::FILE* m_in;
    std::size_t m_maxLength;
    std::string m_line;
};

void AppendField(std::string& out, const char* key, std::string_view text) {
    out += '"';
    out += key;
    out += "\": ";
    AppendJsonString(text, out);
    out += ", ";
}

void AppendNumber(std::string& out, const char* key, std::uint32_t value) {
    out += '"';
    out += key;
    out += "\": ";
    out += std::to_string(value);
    out += ", ";
}

void AppendBool(std::string& out, const char* key, bool value) {
    out += '"';
    out += key;
    out += "\": ";
    out += value ? "true" : "false";
    out += ", ";
}

void AppendLine(std::string& out, const char* key, const DisplayLine& line) {
    out += '"';
    out += key;
    out += "\": [";
    AppendJsonString(line.text.view(), out);
    out += ", ";
    AppendJsonString(line.part1.view(), out);
    out += ", ";
    AppendJsonString(line.part2.view(), out);
    out += "], ";
}

} // namespace

bool ParseReplyHex(std::string_view line, std::array<std::uint8_t, kReplySize>& reply,
                   std::string& error) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::size_t digits = 0;
    unsigned pending = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (IsBlank(c)) {
            continue;
        }
        const int v = HexValue(c);
        if (v < 0) {
            const auto byte = static_cast<unsigned char>(c);
            char what[48];
            if (byte >= 0x21 && byte < 0x7F) {
                std::snprintf(what, sizeof what, "the character '%c'", c);
            } else {
                std::snprintf(what, sizeof what, "the byte 0x%02X", byte);
            }
            error = std::string(what) + " at column " + std::to_string(i + 1) +
                    " is not a hexadecimal digit";
            return false;
        }
        if (digits < 2 * kReplySize) {
            pending = (pending << 4) | static_cast<unsigned>(v);
            if (digits % 2 == 1) {
                reply[digits / 2] = static_cast<std::uint8_t>(pending & 0xFF);
                pending = 0;
            }
        }
        ++digits;
    }
    if (digits == 0) {
        error = "empty line: a reply is 54 hexadecimal digits";
        return false;
    }
    if (digits != 2 * kReplySize) {
        error = "a reply is 54 hexadecimal digits (27 bytes), but this line has " +
                std::to_string(digits);
        return false;
    }
    return true;
}

void AppendJsonString(std::string_view text, std::string& out) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                // Texts are 8-bit; bytes outside ASCII are written as the code
                // point of the same number so that the output stays valid UTF-8.
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

namespace {

// One display's part of a reading; its JSON keys start with the display's name.
struct DisplayFields {
    const char* name; // "main" or "sub"
    std::string_view text;
    std::string_view exponent;
    std::uint32_t code;
    std::uint32_t function;
    bool negative;
    std::string_view prefixLabel;
    std::string_view unitLabel;
    std::string_view modeLabel;
    const DisplayLine& line;
};

void AppendDisplay(std::string& out, const DisplayFields& d) {
    auto key = [&d](const char* field) { return std::string(d.name) + '_' + field; };
    AppendField(out, key("text").c_str(), d.text);
    AppendField(out, key("exponent").c_str(), d.exponent);
    AppendNumber(out, key("code").c_str(), d.code);
    AppendNumber(out, key("function").c_str(), d.function);
    AppendBool(out, key("negative").c_str(), d.negative);
    AppendField(out, key("prefix_label").c_str(), d.prefixLabel);
    AppendField(out, key("unit_label").c_str(), d.unitLabel);
    AppendField(out, key("mode_label").c_str(), d.modeLabel);
    AppendLine(out, key("line").c_str(), d.line);
}

} // namespace

void AppendReadingJson(const DecodedReply& r, std::string& out) {
    out += '{';
    AppendDisplay(out,
                  {"main", r.main.text.view(), ExponentText(r.main.prefixExponent), r.main.code,
                   r.main.functionCode(), r.main.negative, r.main.prefixLabel.view(),
                   r.main.unitLabel.view(), r.main.modeLabel.view(), r.main.line});
    AppendDisplay(out, {"sub", r.sub.text.view(), ExponentText(r.sub.prefixExponent), r.sub.code,
                        r.sub.functionCode(), r.sub.negative, r.sub.prefixLabel.view(),
                        r.sub.unitLabel.view(), r.sub.modeLabel.view(), r.sub.line});
    out += "\"low_battery\": ";
    out += r.lowBattery ? "true" : "false";
    out += '}';
}

void AppendErrorJson(std::string_view message, std::string& out) {
    out += "{\"error\": ";
    AppendJsonString(message, out);
    out += '}';
}

int RunDecode(std::FILE* in, std::FILE* outFile, std::FILE* err) {
    CommandOutput out(outFile);
    LineReader reader(in, kMaxDecodeLine);
    std::array<std::uint8_t, kReplySize> reply{};
    DecodedReply reading;
    std::string json;
    std::string error;
    unsigned long long lineNumber = 0;
    unsigned long long bad = 0;
    bool tooLong = false;
    while (reader.next(tooLong)) {
        ++lineNumber;
        json.clear();
        bool ok = false;
        if (tooLong) {
            error = "the line is longer than " + std::to_string(kMaxDecodeLine) +
                    " characters; a reply is 54 hexadecimal digits";
        } else {
            ok = ParseReplyHex(reader.line(), reply, error);
        }
        if (ok) {
            DecodeReply(reply, reading);
            AppendReadingJson(reading, json);
        } else {
            ++bad;
            AppendErrorJson("line " + std::to_string(lineNumber) + ": " + error, json);
        }
        json += '\n';
        // Each line goes out at once: the replies may come from a live stream.
        if (!out.write(json) || !out.flush()) {
            return out.report(err);
        }
    }
    if (reader.failed()) {
        std::fprintf(err, "telmora-cli decode: reading the input failed after line %llu\n",
                     lineNumber);
        return 1;
    }
    if (bad != 0) {
        std::fprintf(err, "telmora-cli decode: %llu of %llu lines were not meter replies\n", bad,
                     lineNumber);
        return 1;
    }
    return 0;
}

int CmdDecode(int argc, char** argv) {
    if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
        return PrintHelp(kDecodeUsage);
    }
    if (argc != 0) {
        std::fprintf(stderr,
                     "telmora-cli decode: unexpected argument '%s'; the replies are read from "
                     "standard input\n",
                     argv[0]);
        return 2;
    }
    return RunDecode(stdin, stdout, stderr);
}

} // namespace telmora::cli
