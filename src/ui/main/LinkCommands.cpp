#include "ui/main/LinkCommands.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "meter/MeterLink.h"
#include "text/texts.h"

#include <QWidget>

namespace telmora {

namespace {

// What to check when a link finds no cable it can open. On Linux a cable that the
// system lists but refuses to open is nearly always a matter of access rights.
QString cableAdvice(bool listed) {
#ifdef Q_OS_LINUX
    if (listed) {
        const QString user = qEnvironmentVariable("USER", QStringLiteral("$USER"));
        return translate("MainWindow",
                         "The cable is plugged in, but this user may not open it. Check that the "
                         "udev rule 70-telmora-cable.rules is installed and that you are in the "
                         "plugdev group:")
            .append(QStringLiteral("\n    sudo adduser %1 plugdev\n").arg(user))
            .append(translate("MainWindow", "then log in again and plug the cable in anew."));
    }
    return translate("MainWindow",
                     "Check that the cable is plugged in to the computer and to the meter.");
#else
    return listed ? translate("MainWindow", "The cable is plugged in, but it cannot be opened.")
                  : translate("MainWindow",
                              "Check that the cable is plugged in to the computer and to the "
                              "meter.");
#endif
}

} // namespace

LinkCommands::LinkCommands(Application& app, UserDialogs& dialogs, QWidget& owner)
    : QObject(&owner), m_app(app), m_dialogs(dialogs), m_owner(owner) {
    MeterLink& link = app.link();
    // Three polls went unanswered. The link's end that follows tells the user once,
    // with the cause: the meter does not answer (9019) while the cable is there, or
    // the cable is gone (9015). A box of its own here would say the same twice.
    connect(&link, &MeterLink::noDataNotice, this, [&link] { link.noticeClosed(); });
    connect(&link, &MeterLink::linkLostNotice, this,
            [this] { m_dialogs.showError(&m_owner, TextId::CableNotFound); });
    connect(&link, &MeterLink::meterSilentNotice, this,
            [this] { m_dialogs.showError(&m_owner, TextId::MeterNotAnswering); });
}

bool LinkCommands::toggle() {
    MeterLink& link = m_app.link();
    if (link.isLinked()) {
        link.unlink();
        return true;
    }
    if (link.link())
        return true;
    // "USB adapter cable not found." with what to check.
    m_dialogs.showDirectBox(
        &m_owner,
        text(TextId::CableNotFound) + QStringLiteral("\n\n") + cableAdvice(link.cableListed()),
        CaptionKind::Error, TextId::CableNotFound, BoxIcon::Error, {BoxButton::Ok});
    return false;
}

} // namespace telmora
