#pragma once

#include <QObject>

class QWidget;

namespace telmora {

class Application;
class UserDialogs;

// The link command of the main window and what the link tells the user: the
// cable that is missing when a link cannot start (with what to check), a lost
// cable, a meter that does not answer. Boxes belong to `owner`, which also owns
// this object.
class LinkCommands : public QObject {
    Q_OBJECT

public:
    LinkCommands(Application& app, UserDialogs& dialogs, QWidget& owner);

    // Links when unlinked and unlinks when linked. False when a link could not
    // start (the cable is missing; the user was told).
    bool toggle();

private:
    Application& m_app;
    UserDialogs& m_dialogs;
    QWidget& m_owner;
};

} // namespace telmora
