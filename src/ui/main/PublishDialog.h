#pragma once

#include "app/PasswordStore.h"
#include "publish/PublishSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace telmora {

class UserDialogs;

// "Publish readings": whether and where the readings go to an MQTT broker. The
// dialog only edits settings; the caller keeps them and starts publishing.
class PublishDialog : public QDialog {
    Q_OBJECT

public:
    PublishDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    // Shows `settings` (with the password read) and where the password is kept.
    void setSettings(const PublishSettings& settings, PasswordStore::Place place,
                     const QString& passwordFile);
    PublishSettings settings() const;

private:
    void confirm();
    void updateEnabled();
    void updateTopics();
    void chooseCaFile();
    QWidget* buildForm();

    UserDialogs& m_dialogs;
    QCheckBox* m_enabled = nullptr;
    QWidget* m_form = nullptr;
    QLineEdit* m_url = nullptr;
    QLineEdit* m_clientId = nullptr;
    QLineEdit* m_userName = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_passwordPlace = nullptr;
    QLineEdit* m_prefix = nullptr;
    QLabel* m_topics = nullptr;
    QComboBox* m_qos = nullptr;
    QLineEdit* m_caFile = nullptr;
};

// The sentence that says where the password is kept.
QString PasswordPlaceText(PasswordStore::Place place, const QString& passwordFile);

} // namespace telmora
