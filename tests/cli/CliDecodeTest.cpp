#include "cli/CmdDecode.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace telmora::cli;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string ReadAll(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        s.append(buf, n);
    }
    return s;
}

struct DecodeRun {
    int status;
    std::string out;
    std::string err;
};

DecodeRun Decode(const std::string& input) {
    File in(std::tmpfile());
    File out(std::tmpfile());
    File err(std::tmpfile());
    std::fwrite(input.data(), 1, input.size(), in.get());
    std::rewind(in.get());
    const int status = RunDecode(in.get(), out.get(), err.get());
    return {status, ReadAll(out.get()), ReadAll(err.get())};
}

// Replies worked out by hand from the display bit layout.
const char* const kVoltDc = "0000200000B0CBE900000000000000002000000000000000000000";
const char* const kOhmOverload = "0000000000BF070000000000000000A00000000000000000000000";
const char* const kDbm = "0000008000A0DBF900000000000000004000000000000000000000";
const char* const kAcLowBatterySub = "00001000A0BFAFAF08006DBFAFAF00052008000000000000000000";

} // namespace

TEST(CliDecode, GoldenLines) {
    const DecodeRun r = Decode(std::string(kVoltDc) + "\n" + kOhmOverload + "\r\n" + kDbm + "\n" +
                               kAcLowBatterySub);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(
        r.out,
        R"({"main_text": " 1.23", "main_exponent": "0", "main_code": 6, "main_function": 6, )"
        R"("main_negative": false, "main_prefix_label": "", "main_unit_label": "V", )"
        R"("main_mode_label": "DC", "main_line": [" 1.23", "", "V"], "sub_text": "    ", )"
        R"("sub_exponent": "0", "sub_code": 0, "sub_function": 0, "sub_negative": false, )"
        R"("sub_prefix_label": "", "sub_unit_label": "", "sub_mode_label": "", )"
        R"("sub_line": ["", "", ""], "low_battery": false})"
        "\n"
        R"({"main_text": " 0.L ", "main_exponent": "3", "main_code": 128, )"
        R"("main_function": 128, "main_negative": false, "main_prefix_label": "k", )"
        R"("main_unit_label": "W", "main_mode_label": "", "main_line": [" 0.L ", "k", "W"], )"
        R"("sub_text": "    ", "sub_exponent": "0", "sub_code": 0, "sub_function": 0, )"
        R"("sub_negative": false, "sub_prefix_label": "", "sub_unit_label": "", )"
        R"("sub_mode_label": "", "sub_line": ["", "", ""], "low_battery": false})"
        "\n"
        R"({"main_text": "- 12.3", "main_exponent": "-3", "main_code": 8192, )"
        R"("main_function": 8192, "main_negative": true, "main_prefix_label": "m", )"
        R"("main_unit_label": "dB", "main_mode_label": "", "main_line": ["- 12.3", "dB", "m"], )"
        R"("sub_text": "    ", "sub_exponent": "0", "sub_code": 0, "sub_function": 0, )"
        R"("sub_negative": false, "sub_prefix_label": "", "sub_unit_label": "", )"
        R"("sub_mode_label": "", "sub_line": ["", "", ""], "low_battery": false})"
        "\n"
        R"({"main_text": "10.00", "main_exponent": "0", "main_code": 2164260869, )"
        R"("main_function": 16777221, "main_negative": false, "main_prefix_label": "", )"
        R"("main_unit_label": "V", "main_mode_label": "AC", "main_line": ["10.00", "", "V"], )"
        R"("sub_text": "50.00", "sub_exponent": "3", "sub_code": 1024, "sub_function": 1024, )"
        R"("sub_negative": false, "sub_prefix_label": "k", "sub_unit_label": "Hz", )"
        R"("sub_mode_label": "", "sub_line": ["50.00", "k", "Hz"], "low_battery": true})"
        "\n");
}

TEST(CliDecode, BlanksBetweenDigitsAndCaseDoNotMatter) {
    std::string spaced;
    for (const char* p = kVoltDc; *p != '\0'; p += 2) {
        spaced += std::string(p, 2) + " \t";
    }
    std::string lower = kAcLowBatterySub;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const DecodeRun plain = Decode(std::string(kVoltDc) + "\n" + kAcLowBatterySub + "\n");
    const DecodeRun other = Decode("  " + spaced + "\n" + lower + "\n");
    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.out, plain.out);
}

TEST(CliDecode, BadLinesGiveErrorObjectsAndStatusOne) {
    const std::string input = std::string(kVoltDc) + "\n" +           // good
                              "\n" +                                  // empty
                              std::string(kVoltDc).substr(1) + "\n" + // odd count
                              std::string(kVoltDc) + "00\n" +         // too many
                              "00g0\n" +                              // not hex
                              std::string("0\x01\"\\", 4) + "\n" +    // control, quote
                              std::string(kVoltDc) + "\n";            // good again
    const DecodeRun r = Decode(input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "telmora-cli decode: 5 of 7 lines were not meter replies\n");
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = r.out.find('\n', start)) != std::string::npos; start = nl + 1) {
        lines.push_back(r.out.substr(start, nl - start));
    }
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].rfind("{\"main_text\"", 0), 0u);
    EXPECT_EQ(lines[1], R"({"error": "line 2: empty line: a reply is 54 hexadecimal digits"})");
    EXPECT_EQ(lines[2], R"({"error": "line 3: a reply is 54 hexadecimal digits (27 bytes), )"
                        R"(but this line has 53"})");
    EXPECT_EQ(lines[3], R"({"error": "line 4: a reply is 54 hexadecimal digits (27 bytes), )"
                        R"(but this line has 56"})");
    EXPECT_EQ(lines[4],
              R"({"error": "line 5: the character 'g' at column 3 is not a hexadecimal digit"})");
    EXPECT_EQ(lines[5],
              R"({"error": "line 6: the byte 0x01 at column 2 is not a hexadecimal digit"})");
    EXPECT_EQ(lines[6], lines[0]);
}

TEST(CliDecode, OverlongLineWithoutNewlineIsOneError) {
    const DecodeRun r = Decode(std::string(10 * 1024 * 1024, '0'));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\": \"line 1: the line is longer than 4096 characters; a reply is "
                     "54 hexadecimal digits\"}\n");

    // A long line does not swallow the next one.
    const DecodeRun next = Decode(std::string(5000, ' ') + "\n" + kVoltDc + "\n");
    EXPECT_EQ(next.status, 1);
    EXPECT_NE(next.out.find("\n{\"main_text\": \" 1.23\""), std::string::npos);
}

TEST(CliDecode, JsonStringEscaping) {
    std::string out;
    AppendJsonString(std::string("a\"b\\c\n\t\x01\x1f\x7f\xb5", 11), out);
    EXPECT_EQ(out, R"("a\"b\\c\n\t\u0001\u001f\u007f\u00b5")");
    out.clear();
    AppendErrorJson("say \"hi\"", out);
    EXPECT_EQ(out, R"({"error": "say \"hi\""})");
}

TEST(CliDecode, EmptyInputIsSuccess) {
    const DecodeRun r = Decode("");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}
