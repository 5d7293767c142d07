#include "ui/main/LinkCommands.h"

#include "app/Application.h"
#include "app/Meter.h"
#include "app/UserDialogs.h"
#include "logger/LoggerSessions.h"
#include "meter/CableAccess.h"
#include "meter/MeterLink.h"

#include <QAction>
#include <QMenu>
#include <QStringList>
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

// How the Link menu names a cable: its meter and its serial number (the key when
// it has none).
QString cableEntryText(const Application::PresentCable& cable) {
    const QString serial =
        cable.serial.isEmpty() ? QString::fromStdString(cable.key) : cable.serial;
    return QStringLiteral("%1 (%2)").arg(cable.name, serial);
}

} // namespace

LinkCommands::LinkCommands(Application& app, UserDialogs& dialogs, QWidget& owner)
    : QObject(&owner), m_app(app), m_dialogs(dialogs), m_owner(owner) {
    watchNewMeters();
    connect(&app, &Application::metersChanged, this, &LinkCommands::watchNewMeters);
}

void LinkCommands::watchNewMeters() {
    for (; m_watched < m_app.meterCount(); ++m_watched) {
        Meter& meter = m_app.meter(m_watched);
        MeterLink& link = meter.link();
        // Three polls went unanswered. The link's end that follows tells the user
        // once, with the cause: the meter does not answer (9019) while the cable is
        // there, or the cable is gone (9015). A box of its own here would say the
        // same twice.
        connect(&link, &MeterLink::noDataNotice, this, [&link] { link.noticeClosed(); });
        connect(&link, &MeterLink::linkLostNotice, this,
                [this, &meter] { tell(meter, TextId::CableNotFound); });
        connect(&link, &MeterLink::meterSilentNotice, this,
                [this, &meter] { tell(meter, TextId::MeterNotAnswering); });
        connect(&link, &MeterLink::waitingForCableChanged, this, &LinkCommands::statusChanged);
        // A logger download holds the cable: the meter's readings pause meanwhile.
        CableAccess* cable = &meter.cable();
        connect(cable, &CableAccess::pollingPausedChanged, this, [this, cable](bool paused) {
            if (paused)
                m_pausedCables.insert(cable);
            else
                m_pausedCables.remove(cable);
            emit statusChanged();
        });
        // A link that could not start: the cable is missing, or the system lists it
        // but refuses it.
        connect(&link, &MeterLink::linkFinished, this, [this, &meter, &link](bool linked) {
            if (!linked)
                tellNotLinked(meter.name(), link.cableListed());
        });
    }
}

QString LinkCommands::meterText(const QString& name, const QString& text) const {
    return m_app.meterCount() > 1 ? name + QStringLiteral(": ") + text : text;
}

void LinkCommands::tell(const Meter& meter, TextId id) {
    m_dialogs.showDirectBox(&m_owner, meterText(meter.name(), text(id)), CaptionKind::Error, id,
                            BoxIcon::Error, {BoxButton::Ok});
}

void LinkCommands::tellNotLinked(const QString& name, bool listed) {
    // "USB adapter cable not found." with what to check.
    m_dialogs.showDirectBox(
        &m_owner,
        meterText(name, text(TextId::CableNotFound)) + QStringLiteral("\n\n") + cableAdvice(listed),
        CaptionKind::Error, TextId::CableNotFound, BoxIcon::Error, {BoxButton::Ok});
}

bool LinkCommands::anyLinked() const {
    return !m_app.linkedMeters().empty();
}

bool LinkCommands::toggle() {
    if (anyLinked()) {
        m_app.unlinkAll();
        return true;
    }
    if (m_app.meterCount() > 1 || m_app.presentCables().size() > 1)
        return linkAll();
    // One meter: the first cable found, as always. A missing cable is told when
    // the attempt ends.
    m_app.link().link();
    return true;
}

bool LinkCommands::linkAll() {
    // A cable that does not link is told by its meter's name when its attempt ends.
    if (m_app.linkAll() > 0 || anyLinked())
        return true;
    tellNotLinked(m_app.meter(0).name(), false);
    return false;
}

bool LinkCommands::toggleCable(const std::string& key) {
    const auto present = m_app.presentCables();
    for (int i = 0; i < m_app.meterCount(); ++i) {
        Meter& meter = m_app.meter(i);
        // A meter without a key hangs on the first cable listed.
        const bool onCable =
            meter.cableKey() == key ||
            (meter.cableKey().empty() && !present.empty() && present.front().key == key);
        if (onCable && meter.link().isLinked()) {
            meter.link().unlink();
            return true;
        }
    }
    if (m_app.linkCable(key))
        return true;
    // The cable is no longer listed.
    for (int i = 0; i < m_app.meterCount(); ++i)
        if (m_app.meter(i).cableKey() == key) {
            tellNotLinked(m_app.meter(i).name(), false);
            return false;
        }
    m_dialogs.showError(&m_owner, TextId::CableNotFound);
    return false;
}

bool LinkCommands::renameMeter(int index) {
    const Meter& meter = m_app.meter(index);
    TextInputRequest request;
    request.owner = &m_owner;
    request.caption = translate("MainWindow", "Rename meter");
    request.label =
        meter.serial().isEmpty()
            ? translate("MainWindow", "New name for %1:").arg(meter.name())
            : translate("MainWindow", "New name for %1 (%2):").arg(meter.name(), meter.serial());
    request.text = meter.name();
    const std::optional<QString> name = m_dialogs.askText(request);
    if (!name)
        return false;
    m_app.renameMeter(index, *name);
    return true;
}

void LinkCommands::attachMenu(QMenu& linkMenu, QAction& before) {
    m_menu = &linkMenu;
    m_before = &before;
    connect(&linkMenu, &QMenu::aboutToShow, this, &LinkCommands::rebuildMenu);
}

void LinkCommands::rebuildMenu() {
    if (m_menu == nullptr)
        return;
    for (QAction* entry : m_entries)
        delete entry;
    m_entries.clear();
    delete m_renameMenu; // and its entries with it
    m_renameMenu = nullptr;
    delete m_loggerMenu;
    m_loggerMenu = nullptr;
    const auto present = m_app.presentCables();
    if (present.size() < 2)
        return;
    const bool enabled = !m_app.isBusy();
    const auto add = [&](QAction* action) {
        action->setEnabled(enabled);
        m_menu->insertAction(m_before, action);
        m_entries.push_back(action);
        return action;
    };
    // Below the link command: Link all, the cables, the renaming.
    add(new QAction(m_menu))->setSeparator(true);
    connect(add(new QAction(translate("MainWindow", "Link &all"), m_menu)), &QAction::triggered,
            this, [this] { linkAll(); });
    for (const Application::PresentCable& cable : present) {
        QAction* entry = add(new QAction(cableEntryText(cable), m_menu));
        entry->setCheckable(true);
        entry->setChecked(cable.linked);
        connect(entry, &QAction::triggered, this, [this, key = cable.key] { toggleCable(key); });
    }
    m_renameMenu = new QMenu(translate("MainWindow", "Re&name meter"), m_menu);
    m_renameMenu->setObjectName(QStringLiteral("renameMeterMenu"));
    for (int i = 0; i < m_app.meterCount(); ++i)
        connect(m_renameMenu->addAction(m_app.meter(i).name() + QStringLiteral("…")),
                &QAction::triggered, this, [this, i] { renameMeter(i); });
    m_renameMenu->menuAction()->setEnabled(enabled);
    m_menu->insertMenu(m_before, m_renameMenu);
    addLoggerMenu(enabled);
}

void LinkCommands::addLoggerMenu(bool enabled) {
    // The meter whose logger memory a download reads.
    m_loggerMenu = new QMenu(translate("MainWindow", "Logger memory fr&om"), m_menu);
    m_loggerMenu->setObjectName(QStringLiteral("loggerMeterMenu"));
    for (int i = 0; i < m_app.meterCount(); ++i) {
        QAction* entry = m_loggerMenu->addAction(m_app.meter(i).name());
        entry->setCheckable(true);
        entry->setChecked(&m_app.loggerMeter() == &m_app.meter(i));
        connect(entry, &QAction::triggered, this, [this, i] { m_app.chooseLoggerMeter(i); });
    }
    m_loggerMenu->menuAction()->setEnabled(enabled);
    m_menu->insertMenu(m_before, m_loggerMenu);
}

bool LinkCommands::readsLoggerMemory(const Meter& meter) const {
    // The cable also pauses for a moment for an identity query: not worth a word.
    return &m_app.loggerMeter() == &meter && m_app.loggerSessions().isWorking() &&
           m_pausedCables.contains(&meter.cable());
}

QString LinkCommands::statusText() const {
    QStringList parts;
    int linked = 0;
    for (int i = 0; i < m_app.meterCount(); ++i) {
        const Meter& meter = m_app.meter(i);
        if (meter.link().isWaitingForCable())
            parts << meterText(meter.name(), translate("MainWindow", "Waiting for the cable…"));
        else if (readsLoggerMemory(meter) && meter.link().isLinked())
            parts << meterText(meter.name(),
                               translate("MainWindow", "Readings paused: logger memory is read"));
        if (meter.link().isLinked())
            ++linked;
    }
    if (linked > 1)
        parts.prepend(translate("MainWindow", "%1 meters linked").arg(linked));
    return parts.join(QStringLiteral("; "));
}

} // namespace telmora
