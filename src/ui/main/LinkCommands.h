#pragma once

#include "text/texts.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace telmora {

class Application;
class CableAccess;
class Meter;
class UserDialogs;

// The link commands of the main window and what the links tell the user: the
// cable that is missing when a link cannot start (with what to check), a lost
// cable, a meter that does not answer - for every meter, named while several are
// known. With several cables listed it also keeps the Link menu's entries for
// them: "Link all", one entry per cable and the renaming of meters. Boxes belong
// to `owner`, which also owns this object.
class LinkCommands : public QObject {
    Q_OBJECT

public:
    LinkCommands(Application& app, UserDialogs& dialogs, QWidget& owner);

    // Links when unlinked and unlinks when linked; with several cables listed,
    // every cable at once. Linking happens in the background: a cable that turns
    // out missing or refused is told when its attempt ends. False when no link
    // could even start (no cable listed; the user was told).
    bool toggle();
    // Starts linking every listed cable; the user is told of each that could not be
    // linked. False when no cable is listed (told at once).
    bool linkAll();
    // Links the cable known by `key` when no meter is linked to it, else ends that
    // meter's link. False when the cable is not listed (the user was told).
    bool toggleCable(const std::string& key);
    // Asks for a new name for meter `index`; false when the user cancelled.
    bool renameMeter(int index);

    // Keeps the per-cable entries of `linkMenu` before `before`, rebuilt each time
    // the menu is about to show (none while fewer than two cables are listed).
    void attachMenu(QMenu& linkMenu, QAction& before);
    // Rebuilds those entries now.
    void rebuildMenu();
    // The submenu that renames the meters (null while the entries are not shown).
    QMenu* renameMenu() const { return m_renameMenu; }
    // The submenu that chooses the meter of logger downloads (null likewise).
    QMenu* loggerMenu() const { return m_loggerMenu; }

    // Whether any meter is linked.
    bool anyLinked() const;
    // What the status panel says of the links: the meters waiting for their cable
    // or paused for a logger download, and how many are linked when more than
    // one; empty when there is nothing.
    QString statusText() const;

signals:
    // A meter began or stopped waiting for its cable, or its readings paused or
    // went on.
    void statusChanged();

private:
    // Whether a logger download holds `meter`'s cable now.
    bool readsLoggerMemory(const Meter& meter) const;
    // Connects the notices of the meters not watched yet.
    void watchNewMeters();
    void addLoggerMenu(bool enabled);
    // Shows the message `id` of a meter's link, with the meter's name while several
    // meters are known.
    void tell(const Meter& meter, TextId id);
    // "USB adapter cable not found." with what to check, when the meter `name` did
    // not link; `listed`: the system lists its cable (it could not be opened).
    void tellNotLinked(const QString& name, bool listed);
    // `text` of the meter `name`: after the name while several meters are known.
    QString meterText(const QString& name, const QString& text) const;

    Application& m_app;
    UserDialogs& m_dialogs;
    QWidget& m_owner;
    int m_watched = 0;
    QMenu* m_menu = nullptr;
    QAction* m_before = nullptr;
    std::vector<QAction*> m_entries;
    QMenu* m_renameMenu = nullptr;
    QMenu* m_loggerMenu = nullptr;
    // The cables whose polling is paused, as their last notice said.
    QSet<const CableAccess*> m_pausedCables;
};

} // namespace telmora
