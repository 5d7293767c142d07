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

// The name a meter publishes under: its serial number, or "meter<number>" for a
// cable without one. (The publisher makes it a safe topic level.)
QString MeterTopicName(const QString& serial, int meterNumber);

} // namespace telmora
