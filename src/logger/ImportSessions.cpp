#include "logger/ImportSessions.h"

#include "model/LoggerMemory.h"

#include <algorithm>
#include <charconv>

namespace telmora {

static_assert(kMaxImportSessions == static_cast<int>(kMaxSessions),
              "the import holds as many sessions as the session lists have slots");

std::string SessionCellText(const ReadingRecord& record) {
    std::string text(record.displayText.view());
    text += record.prefixText.view();
    const std::uint32_t code = record.function();
    if (code == 0x80 || code == 0x180) {
        text += " Ohm";
    } else {
        text += record.unitText.view();
    }
    return text;
}

SessionGridRow SessionGridRowTexts(const SampleEntry& entry, std::size_t index) {
    SessionGridRow row;
    row.number = std::to_string(index + 1);
    row.time = std::string(entry.main.timeText.view());
    row.mainData = SessionCellText(entry.main);
    if (entry.hasSub != 0) {
        row.subData = SessionCellText(entry.sub);
    }
    return row;
}

const SampleList& ImportSessions::session(int s) const {
    return SampleLists()[static_cast<std::size_t>(s)];
}

std::span<const SampleList> ImportSessions::sessions() const {
    return std::span<const SampleList>(SampleLists().data(), static_cast<std::size_t>(m_count));
}

std::span<const SampleList> ImportSessions::shownSessions() const {
    return sessions().first(static_cast<std::size_t>(std::clamp(m_shown, 0, m_count)));
}

void ImportSessions::reset() {
    m_count = 0;
    m_shown = 0;
    m_current = 0;
    m_empty = true;
    m_saved = false;
}

void ImportSessions::discardAll() {
    // Every import slot, not only the counted ones: nothing stays behind even if
    // the count was reset first.
    for (std::size_t s = 0; s < static_cast<std::size_t>(kMaxImportSessions); ++s) {
        SampleLists()[s].clear();
    }
}

void ImportSessions::clear() {
    reset();
    discardAll();
}

void ImportSessions::adopt(std::vector<SampleList>&& sessions) {
    discardAll();
    const std::size_t n = std::min<std::size_t>(sessions.size(), kMaxImportSessions);
    for (std::size_t s = 0; s < n; ++s) {
        SampleLists()[s] = std::move(sessions[s]);
    }
    sessions.clear();
    m_count = static_cast<int>(n);
    m_shown = m_count;
    m_current = m_count - 1;
    m_empty = false;
}

void ImportSessions::adoptImported(std::vector<SampleList>&& sessions) {
    adopt(std::move(sessions));
    m_saved = false;
}

void ImportSessions::adoptOpened(std::vector<SampleList>&& sessions) {
    adopt(std::move(sessions));
    m_saved = true;
}

SessionFileStatus ImportSessions::save(const QString& path) {
    const SessionFileStatus status = SaveSessionFile(path, sessions());
    if (status == SessionFileStatus::Ok) {
        m_empty = false;
        m_saved = true;
    }
    return status;
}

SessionFileStatus ImportSessions::open(const QString& path, const SessionReadProgress& progress) {
    std::vector<SampleList> loaded;
    const SessionFileStatus status = LoadSessionFile(path, loaded, progress);
    if (status == SessionFileStatus::Ok) {
        adoptOpened(std::move(loaded));
    } else if (status != SessionFileStatus::OpenFailed) {
        // A file that could be opened replaces what was held, even when it turns out
        // to be damaged: the window is then empty, never half-loaded.
        clear();
    }
    return status;
}

} // namespace telmora
