#include "ui/recorder/RecordingRecovery.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "text/texts.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/recorderfiles.h"

#include <QDir>

namespace telmora {

RecordingRecovery::RecordingRecovery(UserDialogs& dialogs, RecorderController& controller,
                                     RecorderWindow& window, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_controller(controller), m_window(window),
      m_askSaveName([&dialogs, &window] { return askRecordingSaveName(dialogs, &window); }) {
    connect(&m_controller, &RecorderController::loadFinished, this,
            [this](LoadOutcome outcome, bool) { onLoadFinished(outcome); });
    connect(&m_controller, &RecorderController::saveFinished, this,
            [this](bool saved, const QString&, const QString&) { onSaveFinished(saved); });
}

RecordingRecovery::~RecordingRecovery() = default;

QString RecordingRecovery::question(const OrphanedRecording& orphan, bool another) {
    // Dates and numbers look the same in every locale, like the rest of the program.
    const QString question =
        another ? text(TextId::AnotherRecordingLeft)
                : translate("RecordingRecovery",
                            "Telmora ended unexpectedly while recording. Open the recording of %1 "
                            "with %2 samples?");
    return question.arg(orphan.lastWritten.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                        QString::number(orphan.sampleCount));
}

void RecordingRecovery::offer() {
    if (m_step != Step::Idle)
        return;
    std::vector<UnclaimedRecording> kept;
    std::vector<OrphanedRecording> found =
        ClaimOrphanedRecordings(m_controller.temporaryDirectory(), &kept);
    if (!kept.empty())
        tellKeptForLater(kept);
    for (OrphanedRecording& orphan : found)
        m_pending.push_back(std::move(orphan));
    askNext();
}

void RecordingRecovery::askNext() {
    m_step = Step::Idle;
    if (m_pending.empty()) {
        if (!m_toOpen) {
            finish();
            return;
        }
        m_current = std::move(*m_toOpen);
        m_toOpen.reset();
        loadCurrent(Step::Opening);
        return;
    }
    m_current = std::move(m_pending.front());
    m_pending.pop_front();
    askCurrent();
}

void RecordingRecovery::askCurrent() {
    const bool another = m_toOpen.has_value();
    BoxRequest box;
    box.owner = &m_window;
    box.caption = text(TextId::ProgramName);
    box.text = question(m_current, another);
    box.icon = BoxIcon::Question;
    box.buttons = {BoxButton::Open, BoxButton::SaveAs, BoxButton::Discard};
    if (another)
        box.buttons.erase(box.buttons.begin());
    box.defaultButton = box.buttons.front();
    box.closeLeavesUnanswered = true;
    switch (m_dialogs.showBox(box)) {
    case BoxButton::Open:
        m_toOpen = std::move(m_current);
        m_current = OrphanedRecording{};
        askNext();
        return;
    case BoxButton::SaveAs:
        if (const std::optional<QString> target = m_askSaveName()) {
            m_saveTarget = *target;
            loadCurrent(Step::LoadingToSave);
            return;
        }
        keepCurrent();
        return;
    case BoxButton::Discard:
        DiscardOrphanedRecording(m_current);
        askNext();
        return;
    default:
        keepCurrent();
        return;
    }
}

void RecordingRecovery::loadCurrent(Step step) {
    m_step = step;
    // The recording shows in the recorder as it does in the data list.
    emit recorderWanted();
    if (!m_window.loadRecording(m_current.path))
        keepCurrent();
}

void RecordingRecovery::tellKeptForLater(const std::vector<UnclaimedRecording>& kept) {
    QString lines;
    for (const UnclaimedRecording& recording : kept)
        lines += QStringLiteral("\n%1 (%2 samples): %3")
                     .arg(QDir::toNativeSeparators(recording.path),
                          QString::number(recording.sampleCount), recording.reason);
    BoxRequest box;
    box.owner = &m_window;
    box.caption = warningCaption(TextId::RecordingKeptForLater);
    box.text = text(TextId::RecordingKeptForLater) + QLatin1Char('\n') + lines;
    box.icon = BoxIcon::Warning;
    m_dialogs.showBox(box);
}

void RecordingRecovery::keepCurrent() {
    m_current.claim.reset();
    askNext();
}

void RecordingRecovery::onLoadFinished(LoadOutcome outcome) {
    if (m_step == Step::Opening) {
        if (outcome != LoadOutcome::Loaded) {
            keepCurrent();
            return;
        }
        // The samples are in the recorder now; the file goes with this run's own.
        m_controller.adoptTemporaryFile(m_current.path, std::move(m_current.claim));
        finish();
        return;
    }
    if (m_step != Step::LoadingToSave)
        return;
    if (outcome != LoadOutcome::Loaded) {
        keepCurrent();
        return;
    }
    m_step = Step::Saving;
    // The name was asked before the recording was read: a group of several meters
    // is saved under its own extension.
    if (m_controller.meterCount() > 1)
        m_saveTarget = GroupSavePath(m_saveTarget);
    m_controller.startSave(m_saveTarget);
}

void RecordingRecovery::onSaveFinished(bool saved) {
    if (m_step != Step::Saving)
        return;
    // Only a save that reports success makes the file unneeded; after a failed
    // one (the recorder has shown why) it stays for the next start.
    if (saved)
        DiscardOrphanedRecording(m_current); // its samples are in the saved file
    else
        m_current.claim.reset();
    askNext();
}

void RecordingRecovery::finish() {
    m_step = Step::Idle;
    m_current = OrphanedRecording{};
    m_toOpen.reset();
    // Offers not made now wait for the next start.
    m_pending.clear();
    emit finished();
}

} // namespace telmora
