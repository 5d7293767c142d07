#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>

namespace telmora {

class CableAccess;
class CableBackend;
class MeterLink;

// One meter Telmora can link: the cable it hangs on (by key, see ListCables), the
// one access to that cable, the live link, the name the user knows it by and its
// comparator limits.
class Meter : public QObject {
    Q_OBJECT

public:
    Meter(std::shared_ptr<CableBackend> backend, std::string cableKey, QString name,
          QObject* parent = nullptr);
    // The link ends (and its worker with it) before the cable access.
    ~Meter() override;

    CableAccess& cable() const { return *m_cable; }
    MeterLink& link() const { return *m_link; }
    // Empty for the first cable found (one meter, as before several could be linked).
    std::string cableKey() const;
    void setCableKey(std::string key);
    // The cable's serial number as listed (the key when it has none known).
    const QString& serial() const { return m_serial; }
    void setSerial(QString serial) { m_serial = std::move(serial); }

    const QString& name() const { return m_name; }
    void setName(QString name);

    double highLimit() const { return m_highLimit; }
    double lowLimit() const { return m_lowLimit; }
    void setLimits(double high, double low);

signals:
    void nameChanged(const QString& name);
    void limitsChanged();

private:
    std::unique_ptr<CableAccess> m_cable;
    std::unique_ptr<MeterLink> m_link;
    QString m_serial;
    QString m_name;
    double m_highLimit = 0.0;
    double m_lowLimit = 0.0;
};

} // namespace telmora
