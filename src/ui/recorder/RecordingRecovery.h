#pragma once

#include "recording/OrphanedRecordings.h"
#include "recording/recordingjobs.h"

#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

namespace telmora {

class UserDialogs;
class RecorderController;
class RecorderWindow;

// After a run that ended unexpectedly, offers the recordings it left behind, one
// after the other, oldest first: Open loads one into the recorder as an unsaved
// recording, Save As… loads and saves it under a new name, Discard deletes it.
// The recorder holds one recording, so the recording chosen for Open is loaded
// after every other one has been answered, and those are offered with Save As…
// and Discard only. A file is deleted only
// when the user discards it, or once its samples are safely in a saved file or in
// the recorder (then it goes with this run's temporary files, and a recording that
// is continued goes on in it). A save that fails keeps the file for the next
// start. Recordings that cannot be taken up now (no room for their lock file) are
// told once and kept.
class RecordingRecovery : public QObject {
    Q_OBJECT

public:
    RecordingRecovery(UserDialogs& dialogs, RecorderController& controller, RecorderWindow& window,
                      QObject* parent = nullptr);
    ~RecordingRecovery() override;

    // Looks for orphaned recordings and asks about the first; the others follow
    // as each answer has been carried out. Ends in finished().
    void offer();
    // The question for one orphan (its text; the caption is the program's name);
    // `another` when a recording was chosen for Open already.
    static QString question(const OrphanedRecording& orphan, bool another = false);
    // Asks for the name to save a recording under (the recorder's Save As dialog
    // unless a test sets another).
    void setSaveNameAsker(std::function<std::optional<QString>()> ask) {
        m_askSaveName = std::move(ask);
    }

signals:
    // Every orphan found has been answered, or the rest left for the next start.
    void finished();
    // A recording is being loaded into the recorder: its window should be shown.
    void recorderWanted();

private:
    enum class Step { Idle, Opening, LoadingToSave, Saving };

    void askNext();
    // Asks about the current orphan and carries out the answer.
    void askCurrent();
    // Loads the current orphan into the recorder for `step`.
    void loadCurrent(Step step);
    // Tells about the orphans that stay on disk for a later start.
    void tellKeptForLater(const std::vector<UnclaimedRecording>& kept);
    // The current orphan stays on disk for the next start.
    void keepCurrent();
    void onLoadFinished(LoadOutcome outcome);
    void onSaveFinished(bool saved);
    void finish();

    UserDialogs& m_dialogs;
    RecorderController& m_controller;
    RecorderWindow& m_window;
    std::function<std::optional<QString>()> m_askSaveName;
    std::deque<OrphanedRecording> m_pending;
    OrphanedRecording m_current;
    // The orphan chosen for Open, loaded once the others have been answered.
    std::optional<OrphanedRecording> m_toOpen;
    QString m_saveTarget;
    Step m_step = Step::Idle;
};

} // namespace telmora
