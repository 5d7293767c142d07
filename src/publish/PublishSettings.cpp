#include "publish/PublishSettings.h"

#include <QCoreApplication>
#include <QSysInfo>

#include <unistd.h>

namespace telmora {

namespace {

QString shortHostName() {
    QString host = QSysInfo::machineHostName();
    host = host.left(host.indexOf(u'.') < 0 ? host.size() : host.indexOf(u'.'));
    host = TopicLevel(host);
    return host.isEmpty() ? QStringLiteral("localhost") : host;
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

QString DefaultTopicPrefix() {
    return QStringLiteral("telmora/") + shortHostName();
}

QString DefaultClientId() {
    QString host = QSysInfo::machineHostName();
    if (host.isEmpty())
        host = QStringLiteral("localhost");
    return QStringLiteral("telmora-%1-%2").arg(host).arg(static_cast<qint64>(::getpid()));
}

std::optional<BrokerAddress> ParseBrokerUrl(const QString& url, QString* error) {
    const QString text = url.trimmed();
    BrokerAddress address;
    const qsizetype schemeEnd = text.indexOf(QLatin1String("://"));
    const QString scheme = schemeEnd < 0 ? QString() : text.left(schemeEnd).toLower();
    if (scheme == QLatin1String("mqtts")) {
        address.tls = true;
        address.port = 8883;
    } else if (scheme != QLatin1String("mqtt")) {
        setError(error, QCoreApplication::translate(
                            "Publish", "The broker address must start with mqtt:// or mqtts://."));
        return std::nullopt;
    }
    QString rest = text.mid(schemeEnd + 3);
    if (rest.endsWith(u'/'))
        rest.chop(1);
    if (rest.contains(u'/') || rest.contains(u'?') || rest.contains(u'#')) {
        setError(error, QCoreApplication::translate(
                            "Publish", "The broker address takes no path after the host."));
        return std::nullopt;
    }
    if (rest.contains(u'@')) {
        setError(error, QCoreApplication::translate(
                            "Publish", "Give the user name and password in their own fields, "
                                       "not in the broker address."));
        return std::nullopt;
    }
    QString portText;
    if (rest.startsWith(u'[')) {
        const qsizetype close = rest.indexOf(u']');
        if (close < 0) {
            setError(error, QCoreApplication::translate("Publish",
                                                        "The IPv6 address lacks its closing ]."));
            return std::nullopt;
        }
        address.host = rest.mid(1, close - 1);
        const QString after = rest.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(u':')) {
            setError(error,
                     QCoreApplication::translate("Publish", "Unexpected text after the host."));
            return std::nullopt;
        }
        if (!after.isEmpty())
            portText = after.mid(1);
        if (after == QLatin1String(":"))
            portText = QStringLiteral("-");
    } else {
        const qsizetype colon = rest.indexOf(u':');
        address.host = colon < 0 ? rest : rest.left(colon);
        if (colon >= 0)
            portText = colon + 1 < rest.size() ? rest.mid(colon + 1) : QStringLiteral("-");
    }
    const bool bracketed = rest.startsWith(u'[');
    if (address.host.isEmpty() || address.host.contains(u' ') ||
        (bracketed && !address.host.contains(u':'))) {
        setError(error, QCoreApplication::translate("Publish", "The broker address has no host."));
        return std::nullopt;
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        const int port = portText.toInt(&ok);
        if (!ok || port < 1 || port > 65535 || portText.startsWith(u'+')) {
            setError(error, QCoreApplication::translate(
                                "Publish", "The port must be a number from 1 to 65535."));
            return std::nullopt;
        }
        address.port = port;
    }
    return address;
}

std::optional<QString> CheckedTopicPrefix(const QString& prefix, QString* error) {
    QString checked = prefix.trimmed();
    while (checked.endsWith(u'/'))
        checked.chop(1);
    if (checked.isEmpty())
        checked = DefaultTopicPrefix();
    if (checked.contains(u'+') || checked.contains(u'#') || checked.contains(QChar(0))) {
        setError(error, QCoreApplication::translate("Publish",
                                                    "The topic prefix must not contain + or #."));
        return std::nullopt;
    }
    if (checked.toUtf8().size() > 60000) {
        setError(error, QCoreApplication::translate("Publish", "The topic prefix is too long."));
        return std::nullopt;
    }
    return checked;
}

QString TopicLevel(const QString& text) {
    QString level = text;
    for (QChar& c : level) {
        if (c == u'/' || c == u'+' || c == u'#' || c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u'_';
    }
    return level.isEmpty() ? QStringLiteral("_") : level;
}

} // namespace telmora
