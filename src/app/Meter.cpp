#include "app/Meter.h"

#include "meter/CableAccess.h"
#include "meter/MeterLink.h"

namespace telmora {

Meter::Meter(std::shared_ptr<CableBackend> backend, std::string cableKey, QString name,
             QObject* parent)
    : QObject(parent),
      m_cable(std::make_unique<CableAccess>(std::move(backend), std::move(cableKey))),
      m_link(std::make_unique<MeterLink>(*m_cable)), m_name(std::move(name)) {}

Meter::~Meter() {
    m_link.reset();
    m_cable.reset();
}

std::string Meter::cableKey() const {
    return m_cable->cableKey();
}

void Meter::setCableKey(std::string key) {
    m_cable->setCableKey(std::move(key));
}

void Meter::setName(QString name) {
    if (name == m_name)
        return;
    m_name = std::move(name);
    emit nameChanged(m_name);
}

void Meter::setLimits(double high, double low) {
    m_highLimit = high;
    m_lowLimit = low;
    emit limitsChanged();
}

} // namespace telmora
