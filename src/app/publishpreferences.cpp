#include "app/publishpreferences.h"

#include "model/IniSettings.h"

namespace telmora {

namespace {

QString Key(const char* name) {
    return QStringLiteral("Publish/") + QLatin1String(name);
}

} // namespace

PublishSettings ReadPublishSettings(const IniSettings& state) {
    PublishSettings s;
    s.enabled = state.value(Key("Enabled"), false).toBool();
    s.brokerUrl = state.value(Key("BrokerUrl"), QStringLiteral("mqtt://localhost:1883")).toString();
    s.clientId = state.value(Key("ClientId")).toString();
    s.userName = state.value(Key("UserName")).toString();
    s.topicPrefix = state.value(Key("TopicPrefix")).toString();
    s.caFile = state.value(Key("CaFile")).toString();
    bool ok = false;
    const int qos = state.value(Key("Qos"), 0).toInt(&ok);
    s.qos = ok && qos == 1 ? 1 : 0;
    return s;
}

void StorePublishSettings(IniSettings& state, const PublishSettings& settings) {
    state.setValue(Key("Enabled"), settings.enabled);
    state.setValue(Key("BrokerUrl"), settings.brokerUrl.trimmed());
    state.setValue(Key("ClientId"), settings.clientId.trimmed());
    state.setValue(Key("UserName"), settings.userName);
    state.setValue(Key("TopicPrefix"), settings.topicPrefix.trimmed());
    state.setValue(Key("CaFile"), settings.caFile.trimmed());
    state.setValue(Key("Qos"), settings.qos == 1 ? 1 : 0);
}

QString MeterTopicName(const QString& serial, int meterNumber) {
    const QString name = serial.trimmed();
    return name.isEmpty() ? QStringLiteral("meter%1").arg(meterNumber) : name;
}

} // namespace telmora
