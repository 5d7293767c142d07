#pragma once

#include "text/texts.h"

#include <QObject>
#include <QString>

#include <functional>

namespace telmora {

class Application;
class IniSettings;

class ComparatorWindow;
class DesktopNotifier;
struct DesktopNotice;
class MeterLink;
class RecorderController;

// Tells a user who works in another program, through the desktop's
// notifications, of what would otherwise go unseen: the comparator's alarm, a
// link that ended or waits for its cable, a recording stopped by an error. One
// notice per event, only while no window of this program is active, and only
// while the user wants them (remembered in the desktop state file; on at first).
// The windows' own messages and tones are not changed.
class DesktopAlerts : public QObject {
    Q_OBJECT

public:
    explicit DesktopAlerts(IniSettings& desktopState, QObject* parent = nullptr);

    // Where the notices go; null sends none. The notifier outlives this object.
    void setNotifier(DesktopNotifier* notifier) { m_notifier = notifier; }
    bool isEnabled() const { return m_enabled; }
    // Switches the notices on or off and remembers the choice for the next run.
    void setEnabled(bool on);

    // Watch the comparator's alarm and the recorder's errors. Connect before any
    // window shows its own message for these events, so that the notice goes out
    // before a message box waits for the user.
    // `name` gives the name of the comparator's meter put before the text (none
    // when it gives an empty one or is empty itself).
    void watchComparator(ComparatorWindow& comparator, std::function<QString()> name = {});
    void watchRecording(RecorderController& recording);
    // Watch the links of every meter of `app`, also of those it makes later; while
    // several meters are known a notice carries its meter's name. Connect before
    // the links' message boxes.
    void followMeters(Application& app);
    // Tells of `link`'s end and waits, after the meter's name as for the comparator.
    void watchLink(MeterLink& link, std::function<QString()> name);

    // True while a window of this program is the active one (the user is here).
    static bool applicationActive();

private:
    void tell(const DesktopNotice& notice);
    void onRecordingStateChanged(bool recording);
    void onRecorderError(TextId textId);

    IniSettings& m_desktopState;
    DesktopNotifier* m_notifier = nullptr;
    bool m_enabled = true;
    bool m_recording = false;
    // A recording stopped in the event being handled now; an error reported in
    // the same breath is what stopped it.
    bool m_justStopped = false;
    int m_followed = 0; // the meters whose links are watched
};

} // namespace telmora
