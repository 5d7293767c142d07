#include "ui/main/PublishDialog.h"

#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/common/DialogPlacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace telmora {

namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

} // namespace

QString PasswordPlaceText(PasswordStore::Place place, const QString& passwordFile) {
    switch (place) {
    case PasswordStore::Place::SecretStore:
        return translate("PublishDialog", "The password is kept in the desktop's secret store.");
    case PasswordStore::Place::File:
        return translate("PublishDialog", "No secret store was found: the password is kept in %1, "
                                          "which only you can read.")
            .arg(passwordFile);
    case PasswordStore::Place::Memory:
        return translate("PublishDialog",
                         "The password is kept until Telmora ends: the configuration folder "
                         "cannot be used.");
    case PasswordStore::Place::Unknown:
        break;
    }
    return {};
}

PublishDialog::PublishDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("publishDialog"));
    setWindowTitle(translate("PublishDialog", "Publish readings"));
    MakeDialogFrame(*this);
    auto* layout = new QVBoxLayout(this);
    m_enabled =
        new QCheckBox(translate("PublishDialog", "&Publish every reading to an MQTT broker"), this);
    m_enabled->setObjectName(QStringLiteral("publishEnabledBox"));
    layout->addWidget(m_enabled);
    m_form = buildForm();
    layout->addWidget(m_form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PublishDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_enabled, &QCheckBox::toggled, this, &PublishDialog::updateEnabled);
    connect(m_prefix, &QLineEdit::textChanged, this, &PublishDialog::updateTopics);
    updateEnabled();
    updateTopics();
}

QWidget* PublishDialog::buildForm() {
    auto* form = new QWidget(this);
    auto* fields = new QFormLayout(form);
    fields->setContentsMargins(0, 0, 0, 0);
    m_url = MakeEdit(form, "brokerUrlEdit");
    m_url->setPlaceholderText(QStringLiteral("mqtt://host:1883  mqtts://host:8883"));
    m_url->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 26);
    fields->addRow(translate("PublishDialog", "&Broker:"), m_url);
    m_clientId = MakeEdit(form, "clientIdEdit");
    m_clientId->setPlaceholderText(translate("PublishDialog", "chosen by Telmora"));
    fields->addRow(translate("PublishDialog", "&Client id:"), m_clientId);
    m_userName = MakeEdit(form, "userNameEdit");
    m_userName->setPlaceholderText(translate("PublishDialog", "none"));
    fields->addRow(translate("PublishDialog", "&User name:"), m_userName);
    m_password = MakeEdit(form, "passwordEdit");
    m_password->setEchoMode(QLineEdit::Password);
    fields->addRow(translate("PublishDialog", "Pass&word:"), m_password);
    m_passwordPlace = new QLabel(form);
    m_passwordPlace->setObjectName(QStringLiteral("passwordPlaceLabel"));
    m_passwordPlace->setWordWrap(true);
    fields->addRow(QString(), m_passwordPlace);
    m_prefix = MakeEdit(form, "topicPrefixEdit");
    m_prefix->setPlaceholderText(DefaultTopicPrefix());
    fields->addRow(translate("PublishDialog", "&Topic prefix:"), m_prefix);
    m_topics = new QLabel(form);
    m_topics->setObjectName(QStringLiteral("topicsLabel"));
    m_topics->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fields->addRow(QString(), m_topics);
    m_qos = new QComboBox(form);
    m_qos->setObjectName(QStringLiteral("qosBox"));
    m_qos->addItem(translate("PublishDialog", "0 - at most once"));
    m_qos->addItem(translate("PublishDialog", "1 - at least once"));
    fields->addRow(translate("PublishDialog", "&Quality of service:"), m_qos);
    auto* caRow = new QHBoxLayout;
    m_caFile = MakeEdit(form, "caFileEdit");
    m_caFile->setPlaceholderText(
        translate("PublishDialog", "the system's certificates (mqtts only)"));
    auto* browse = new QPushButton(translate("PublishDialog", "B&rowse..."), form);
    connect(browse, &QPushButton::clicked, this, &PublishDialog::chooseCaFile);
    caRow->addWidget(m_caFile, 1);
    caRow->addWidget(browse);
    // A row of a layout gets no buddy of its own: the label is given one, so that
    // its key reaches the field.
    auto* caLabel = new QLabel(translate("PublishDialog", "C&A certificate:"), form);
    caLabel->setBuddy(m_caFile);
    fields->addRow(caLabel, caRow);
    return form;
}

void PublishDialog::setSettings(const PublishSettings& settings, PasswordStore::Place place,
                                const QString& passwordFile) {
    m_enabled->setChecked(settings.enabled);
    m_url->setText(settings.brokerUrl);
    m_clientId->setText(settings.clientId);
    m_userName->setText(settings.userName);
    m_password->setText(settings.password);
    m_prefix->setText(settings.topicPrefix);
    m_qos->setCurrentIndex(settings.qos == 1 ? 1 : 0);
    m_caFile->setText(settings.caFile);
    const QString where = PasswordPlaceText(place, passwordFile);
    m_passwordPlace->setText(where);
    m_passwordPlace->setVisible(!where.isEmpty());
    updateEnabled();
}

PublishSettings PublishDialog::settings() const {
    PublishSettings s;
    s.enabled = m_enabled->isChecked();
    s.brokerUrl = m_url->text().trimmed();
    s.clientId = m_clientId->text().trimmed();
    s.userName = m_userName->text();
    s.password = m_password->text();
    s.topicPrefix = m_prefix->text().trimmed();
    s.qos = m_qos->currentIndex() == 1 ? 1 : 0;
    s.caFile = m_caFile->text().trimmed();
    return s;
}

void PublishDialog::updateEnabled() {
    m_form->setEnabled(m_enabled->isChecked());
}

void PublishDialog::updateTopics() {
    QString prefix = m_prefix->text().trimmed();
    if (prefix.isEmpty())
        prefix = DefaultTopicPrefix();
    m_topics->setText(translate("PublishDialog",
                                "Each meter publishes to %1/<serial number>/reading, "
                                "…/statistics and …/status.")
                          .arg(prefix));
}

void PublishDialog::chooseCaFile() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.owner = this;
    request.caption = translate("PublishDialog", "CA certificate");
    request.filter = translate("PublishDialog", "Certificates (*.pem *.crt);;All files (*)");
    request.fileName = m_caFile->text();
    request.overwritePrompt = false;
    if (const std::optional<QString> chosen = m_dialogs.chooseFile(request))
        m_caFile->setText(*chosen);
}

void PublishDialog::confirm() {
    const PublishSettings chosen = settings();
    QString problem;
    QLineEdit* wrong = nullptr;
    QString what;
    if (chosen.enabled && !ParseBrokerUrl(chosen.brokerUrl, &problem)) {
        wrong = m_url;
        what = translate("PublishDialog", "The broker address cannot be used.");
    } else if (chosen.enabled && !chosen.topicPrefix.isEmpty() &&
               !CheckedTopicPrefix(chosen.topicPrefix, &problem)) {
        wrong = m_prefix;
        what = translate("PublishDialog", "The topic prefix cannot be used.");
    }
    if (wrong) {
        BoxRequest box;
        box.owner = this;
        box.caption = windowTitle();
        box.text = what + QLatin1Char('\n') + problem;
        box.icon = BoxIcon::Error;
        m_dialogs.showBox(box);
        wrong->setFocus();
        return;
    }
    accept();
}

} // namespace telmora
