#pragma once
// The "Publish readings" settings as the desktop state keeps them (everything
// but the password, which PasswordStore keeps).

#include "publish/PublishSettings.h"

namespace telmora {

class IniSettings;

// The settings of `state`; defaults for keys it lacks (publishing off, the local
// broker, QoS 0, the default topic prefix shown as an empty prefix).
PublishSettings ReadPublishSettings(const IniSettings& state);
// Puts `settings` (without the password) into `state`; the caller saves it.
void StorePublishSettings(IniSettings& state, const PublishSettings& settings);

// The serial number as one topic level: MQTT's wildcards "+" and "#", the level
// separator "/" and control characters become "_"; an empty serial becomes
// "meter<number>".
QString TopicLevel(const QString& serial, int meterNumber);

} // namespace telmora
