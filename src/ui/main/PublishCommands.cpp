#include "ui/main/PublishCommands.h"

#include "app/PasswordStore.h"
#include "app/ReadingPublisher.h"
#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/main/PublishDialog.h"

#include <QLabel>
#include <QPointer>

namespace telmora {

PublishCommands::PublishCommands(ReadingPublisher& publishing, UserDialogs& dialogs,
                                 QLabel& statusPanel, QWidget& window)
    : QObject(&window), m_publishing(publishing), m_dialogs(dialogs), m_status(statusPanel),
      m_window(window) {
    m_status.setObjectName(QStringLiteral("publishStatusPanel"));
    connect(&m_publishing, &ReadingPublisher::statusChanged, this, &PublishCommands::updateStatus);
    connect(&m_publishing, &ReadingPublisher::keepFailed, this, &PublishCommands::tellKeepFailed);
    updateStatus();
}

PublishCommands::~PublishCommands() = default;

void PublishCommands::showDialog() {
    if (!m_dialog) {
        m_dialog = new PublishDialog(m_dialogs, &m_window);
        connect(m_dialog, &QDialog::accepted, this,
                [this] { m_publishing.apply(m_dialog->settings()); });
    }
    if (m_dialog->isVisible()) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    // The password may come from the secret store, which answers later.
    QPointer<PublishDialog> dialog = m_dialog;
    m_publishing.readPassword([this, dialog](const QString& password) {
        if (!dialog)
            return;
        PublishSettings settings = m_publishing.settings();
        settings.password = password;
        dialog->setSettings(settings, m_publishing.passwords().place(),
                            m_publishing.passwords().fallbackFile());
        dialog->open();
        emit dialogShown();
    });
}

void PublishCommands::updateStatus() {
    const QString text = m_publishing.statusText();
    if (m_status.text() != text)
        m_status.setText(text);
    m_status.setToolTip(m_publishing.statusDetail());
    m_status.setVisible(!text.isEmpty());
}

void PublishCommands::tellKeepFailed(const QString& reason) {
    BoxRequest box;
    box.owner = &m_window;
    box.caption = translate("PublishDialog", "Publish readings");
    box.text = translate("PublishDialog", "The publishing settings could not be kept.") +
               QLatin1Char('\n') + reason;
    box.icon = BoxIcon::Warning;
    m_dialogs.showBox(box);
}

} // namespace telmora
