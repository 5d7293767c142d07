#pragma once
// The sessions of the import window and its data state. Session s (0-based) is
// slot s of the process-wide sample lists (slots 0..998); the state says how many
// are held, how many are offered for paging and export, which one is on the graph,
// and whether the window is empty or its sessions are saved in a file.
// User-interface thread only, like the sample lists.

#include "logger/SessionFile.h"
#include "model/SampleLists.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace telmora {

// The four cells of one table row: "No.", "Time", "Main-Data", "Sub-Data".
struct SessionGridRow {
    std::string number;
    std::string time;
    std::string mainData;
    std::string subData; // empty when the sample has no sub reading
};

// Display text, prefix and unit of a record as the table shows it; resistance
// shows " Ohm" instead of the unit letter ("1.234k Ohm").
std::string SessionCellText(const ReadingRecord& record);

// Row of entry `index` (0-based) of a session.
SessionGridRow SessionGridRowTexts(const SampleEntry& entry, std::size_t index);

class ImportSessions {
public:
    int sessionCount() const { return m_count; }
    int sessionsShown() const { return m_shown; }
    int currentSession() const { return m_current; }
    void setCurrentSession(int s) { m_current = s; }
    bool isEmpty() const { return m_empty; }
    bool isSaved() const { return m_saved; }
    // The close query asks to save only after an import that was not saved.
    bool needsSaveQuestion() const { return !m_empty && !m_saved; }

    // Session s (0 <= s < sessionCount()).
    const SampleList& session(int s) const;
    // The sessions held, and those offered for paging and export.
    std::span<const SampleList> sessions() const;
    std::span<const SampleList> shownSessions() const;

    // Count, shown and current 0; empty set, saved cleared.
    void reset();
    // Empties every session list held. Does not touch the flags.
    void discardAll();
    // reset() and discardAll() together, as the clear and close commands do.
    void clear();

    // Takes over the sessions of a finished import (at most 999): count and shown
    // = S, current = S - 1, neither empty nor saved.
    void adoptImported(std::vector<SampleList>&& sessions);
    // The same for sessions read from a file: saved.
    void adoptOpened(std::vector<SampleList>&& sessions);

    // Writes every session to `path`; on success the window is saved and not empty.
    // On failure nothing changes.
    SessionFileStatus save(const QString& path);

    // Reads `path`; on success the sessions replace those held (state saved). When
    // the file cannot be opened nothing changes; when it is damaged (or too large
    // for memory, or cancelled) the window is left empty.
    SessionFileStatus open(const QString& path, const SessionReadProgress& progress = {});

private:
    void adopt(std::vector<SampleList>&& sessions);

    int m_count = 0;
    int m_shown = 0;
    int m_current = 0;
    bool m_empty = true;
    bool m_saved = false;
};

} // namespace telmora
