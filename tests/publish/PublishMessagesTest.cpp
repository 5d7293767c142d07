// The broker address, the topic names and the JSON payloads, without a broker.
#include "publish/publishmessages.h"
#include "publish/PublishSettings.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>

using namespace telmora;

namespace {

// 2026-12-08 21:30:01.125 UTC.
constexpr qint64 kUtcMs = 1796765401125;

QJsonObject parsed(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json.constData();
    return document.object();
}

// Switches the C and Qt locales to German (comma decimals) for a test.
class GermanLocale {
public:
    GermanLocale() : m_available(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~GermanLocale() {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }
    bool available() const { return m_available; }

private:
    bool m_available;
};

} // namespace

TEST(PublishSettings, BrokerAddresses) {
    QString error;
    auto a = ParseBrokerUrl(QStringLiteral(" mqtt://broker.lab "), &error);
    ASSERT_TRUE(a) << error.toStdString();
    EXPECT_EQ(a->host, QStringLiteral("broker.lab"));
    EXPECT_EQ(a->port, 1883);
    EXPECT_FALSE(a->tls);
    a = ParseBrokerUrl(QStringLiteral("MQTTS://10.0.0.5/"), &error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->port, 8883);
    EXPECT_TRUE(a->tls);
    a = ParseBrokerUrl(QStringLiteral("mqtt://[::1]:1884"), &error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->host, QStringLiteral("::1"));
    EXPECT_EQ(a->port, 1884);

    for (const char* bad : {"", "broker.lab:1883", "http://broker.lab", "mqtt://", "mqtt://:1883",
                            "mqtt://h:0", "mqtt://h:65536", "mqtt://h:", "mqtt://h:18x3",
                            "mqtt://h:+1883", "mqtt://u:pw@h", "mqtt://h/readings", "mqtt://[::1",
                            "mqtt://[::1]x", "mqtt://[broker]", "mqtt://two words"}) {
        error.clear();
        EXPECT_FALSE(ParseBrokerUrl(QString::fromLatin1(bad), &error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}

TEST(PublishSettings, TopicPrefixAndLevels) {
    QString error;
    EXPECT_EQ(CheckedTopicPrefix(QStringLiteral("lab/bench 3//"), &error),
              QStringLiteral("lab/bench 3"));
    EXPECT_EQ(CheckedTopicPrefix(QString(), &error), DefaultTopicPrefix());
    EXPECT_TRUE(DefaultTopicPrefix().startsWith(QStringLiteral("telmora/")));
    EXPECT_FALSE(DefaultTopicPrefix().mid(8).contains(u'/'));
    EXPECT_FALSE(CheckedTopicPrefix(QStringLiteral("lab/+/x"), &error));
    EXPECT_FALSE(CheckedTopicPrefix(QStringLiteral("lab/#"), &error));
    EXPECT_FALSE(error.isEmpty());
    // A cable's key cannot reach into other topics or match as a wildcard.
    EXPECT_EQ(TopicLevel(QStringLiteral("/dev/hidraw3")), QStringLiteral("_dev_hidraw3"));
    EXPECT_EQ(TopicLevel(QStringLiteral("a+b#c\n")), QStringLiteral("a_b_c_"));
    EXPECT_EQ(TopicLevel(QString()), QStringLiteral("_"));
}

TEST(PublishMessages, ReadingsWithNumbersAndWithout) {
    const Measurement volts = MeasureDisplay(" 1.2345", false, 0x6, 0, DisplayKind::Main);
    const QByteArray json =
        ReadingJson(volts, kUtcMs, 3600, QStringLiteral("Meter \"1\""), QStringLiteral("5310"));
    EXPECT_EQ(json, QByteArray(R"({"time":"2026-12-08T22:30:01.125+01:00","value":1.2345,)"
                               R"("unit":"V","mode":"DC","display":"1.2345","overload":false,)"
                               R"("meter":"Meter \"1\"","serial":"5310"})"));

    const Measurement overload = MeasureDisplay(" 0.L ", false, 0x80, 6, DisplayKind::Main);
    const QJsonObject o =
        parsed(ReadingJson(overload, kUtcMs, 0, QStringLiteral("Meter 2"), QStringLiteral("5311")));
    EXPECT_TRUE(o.value(QStringLiteral("value")).isNull());
    EXPECT_TRUE(o.value(QStringLiteral("overload")).toBool());
    EXPECT_EQ(o.value(QStringLiteral("unit")).toString(), QStringLiteral("Ω"));
    EXPECT_EQ(o.value(QStringLiteral("display")).toString(), QStringLiteral("0.L"));
    EXPECT_EQ(o.value(QStringLiteral("time")).toString(),
              QStringLiteral("2026-12-08T21:30:01.125+00:00"));

    const Measurement open = MeasureDisplay("---C", false, 0x8020, 0, DisplayKind::Main);
    const QJsonObject p = parsed(ReadingJson(open, kUtcMs, 0, QString(), QString()));
    EXPECT_TRUE(p.value(QStringLiteral("value")).isNull());
    EXPECT_FALSE(p.value(QStringLiteral("overload")).toBool());
}

TEST(PublishMessages, StatisticsWithAndWithoutSamples) {
    PublishedStatistics s;
    s.meterName = QStringLiteral("Meter 1");
    s.unit = QStringLiteral("°C");
    const QJsonObject empty = parsed(StatisticsJson(s, kUtcMs, 0, QStringLiteral("5310")));
    EXPECT_EQ(empty.value(QStringLiteral("samples")).toInteger(), 0);
    for (const char* key : {"mean", "stddev", "min", "max"})
        EXPECT_TRUE(empty.value(QLatin1String(key)).isNull()) << key;

    s.samples = 3;
    s.overloads = 1;
    s.mean = 21.5;
    s.stddev = 0.1;
    s.minimum = -0.25;
    s.maximum = 1e-7;
    const QByteArray json = StatisticsJson(s, kUtcMs, 0, QStringLiteral("5310"));
    EXPECT_TRUE(json.contains(R"("unit":"°C","samples":3,"overloads":1,"mean":21.5,)"
                              R"("stddev":0.1,"min":-0.25,"max":1e-07})"))
        << json.constData();
}

TEST(PublishMessages, StatisticsCarryTheLimitCountsLast) {
    PublishedStatistics s;
    s.samples = 4;
    s.mean = 2;
    s.limits = LimitTest(0.005, 2200, LimitUnits::Comparator);
    for (const double v : {1.0, 3000.0, 0.001, 1.0, 5000.0})
        s.limits->addValue(v);
    const QByteArray json = StatisticsJson(s, kUtcMs, 0, QStringLiteral("5310"));
    // The same keys and number texts as the command line's statistics.
    EXPECT_TRUE(json.endsWith(R"("max":0,"limits":{"low":0.005,"high":2200,"inside":2,"above":2,)"
                              R"("below":1,"excursions":2}})"))
        << json.constData();
    EXPECT_FALSE(parsed(json).value(QStringLiteral("limits")).toObject().isEmpty());
}

TEST(PublishMessages, NumbersKeepTheirPointInACommaLocale) {
    const GermanLocale german;
    if (!german.available())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/deps makes it)";
    const Measurement volts = MeasureDisplay("-0.0125", true, 0x6, 0, DisplayKind::Main);
    const QByteArray reading =
        ReadingJson(volts, kUtcMs, 0, QStringLiteral("M"), QStringLiteral("1"));
    EXPECT_TRUE(reading.contains(R"("value":-0.0125,)")) << reading.constData();
    PublishedStatistics s;
    s.samples = 1;
    s.mean = 1234.5;
    EXPECT_TRUE(StatisticsJson(s, kUtcMs, 0, QString()).contains(R"("mean":1234.5,)"));
}
