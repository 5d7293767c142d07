#include "logger/sessiontext.h"

#include "model/functiontable.h"

#include "model/SaveFile.h"
#include "text/texts.h"

#include <QIODevice>

#include <algorithm>
#include <charconv>

namespace telmora {

PageRange ClampPageRange(int first, int last, int shown) {
    if (first > last) {
        std::swap(first, last);
    }
    PageRange r;
    r.first = std::max(first, 1);
    r.last = std::min(last, shown);
    return r;
}

void AppendSessionTextLine(std::string& out, const SampleEntry& entry, std::size_t number) {
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, r.ptr);
    out += ',';
    out += entry.main.timeText.view();
    out += ',';
    out += entry.main.displayText.view();
    out += ',';
    out += entry.main.prefixText.view();
    out += ',';
    if (IsResistance(MeterFunctionOf(entry.main.function()))) {
        out += "Ohm";
    } else {
        out += entry.main.unitText.view();
    }
    if (entry.hasSub != 0) {
        out += ',';
        out += entry.sub.displayText.view();
        out += ',';
        out += entry.sub.prefixText.view();
        out += ',';
        out += entry.sub.unitText.view();
    }
    out += "\r\n";
}

namespace {

// Produces the export in pieces of about `chunk` bytes; `sink` gets each piece and
// returns false to stop.
template <typename Sink>
bool ProduceText(std::span<const SampleList> sessions, int first, int last, std::size_t chunk,
                 Sink&& sink) {
    std::string out;
    out.reserve(chunk + 256);
    out += kSessionTextHeader;
    out += "\r\n";
    const PageRange range = ClampPageRange(first, last, static_cast<int>(sessions.size()));
    for (int s = range.first; s <= range.last; ++s) {
        const SampleList& list = sessions[static_cast<std::size_t>(s - 1)];
        for (std::size_t n = 0; n < list.size(); ++n) {
            AppendSessionTextLine(out, list[n], n + 1);
            if (out.size() >= chunk) {
                if (!sink(out)) {
                    return false;
                }
                out.clear();
            }
        }
    }
    return sink(out);
}

} // namespace

std::string SessionsText(std::span<const SampleList> sessions, int first, int last) {
    std::string all;
    ProduceText(sessions, first, last, 1 << 20, [&all](const std::string& piece) {
        all += piece;
        return true;
    });
    return all;
}

bool WriteSessionsText(QIODevice& out, std::span<const SampleList> sessions, int first, int last) {
    return ProduceText(sessions, first, last, 64 * 1024, [&out](const std::string& piece) {
        const auto size = static_cast<qint64>(piece.size());
        return size == 0 || out.write(piece.data(), size) == size;
    });
}

bool WriteSessionsText(SaveFile& out, std::span<const SampleList> sessions, int first, int last) {
    return ProduceText(sessions, first, last, 64 * 1024, [&out](const std::string& piece) {
        return out.write(std::string_view(piece));
    });
}

bool ExportSessionsTextFile(const QString& path, std::span<const SampleList> sessions, int first,
                            int last, QString* error) {
    SaveFile file(path);
    if (!file.open()) {
        if (error != nullptr) {
            *error = translate("SessionFiles", "Cannot create the file %1: %2")
                         .arg(path, file.errorString());
        }
        return false;
    }
    if (!WriteSessionsText(file, sessions, first, last) || !file.commit()) {
        if (error != nullptr) {
            *error = translate("SessionFiles", "Cannot write the file %1: %2")
                         .arg(path, file.errorString());
        }
        return false;
    }
    return true;
}

} // namespace telmora
