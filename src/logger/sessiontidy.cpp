#include "logger/sessiontidy.h"

#include "logger/sessiontext.h"
#include "model/SaveFile.h"
#include "model/tidycsv.h"
#include "text/texts.h"

#include <charconv>

namespace telmora {

namespace {

void appendNumber(std::string& out, std::size_t n) {
    char text[24];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, n);
    out.append(text, ec == std::errc() ? end : text);
}

// Hands the export to `sink` in pieces of about `chunk` bytes.
template <typename Sink>
bool produceTidy(std::span<const SampleList> sessions, int first, int last, std::size_t chunk,
                 Sink sink) {
    std::string out = TidyHeader(TidyTime::Session);
    out += "\r\n";
    const PageRange range = ClampPageRange(first, last, static_cast<int>(sessions.size()));
    for (int s = range.first; s <= range.last; ++s) {
        const SampleList& list = sessions[static_cast<std::size_t>(s - 1)];
        for (std::size_t n = 0; n < list.size(); ++n) {
            AppendSessionTidyLine(out, list[n], s, n + 1);
            if (out.size() >= chunk) {
                if (!sink(out))
                    return false;
                out.clear();
            }
        }
    }
    return sink(out);
}

} // namespace

void AppendSessionTidyLine(std::string& out, const SampleEntry& entry, int session,
                           std::size_t number) {
    appendNumber(out, number);
    out += ',';
    appendNumber(out, static_cast<std::size_t>(session));
    AppendTidyField(out, SessionSecondsText(entry.main.timeText.view()));
    AppendTidyReadings(out, entry, RecordOrigin::Session);
    out += "\r\n";
}

std::string SessionsTidyText(std::span<const SampleList> sessions, int first, int last) {
    std::string all;
    produceTidy(sessions, first, last, 1 << 20, [&all](const std::string& piece) {
        all += piece;
        return true;
    });
    return all;
}

bool ExportSessionsTidyFile(const QString& path, std::span<const SampleList> sessions, int first,
                            int last, QString* error) {
    SaveFile file(path);
    if (!file.open()) {
        if (error != nullptr)
            *error = translate("SessionFiles", "Cannot create the file %1: %2")
                         .arg(path, file.errorString());
        return false;
    }
    const bool written =
        produceTidy(sessions, first, last, 64 * 1024, [&file](const std::string& piece) {
            return file.write(std::string_view(piece));
        });
    if (!written || !file.commit()) {
        if (error != nullptr)
            *error = translate("SessionFiles", "Cannot write the file %1: %2")
                         .arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace telmora
