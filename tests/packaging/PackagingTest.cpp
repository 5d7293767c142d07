// The software-centre metadata agrees with the rest of the package: the desktop
// file it names, the MIME types the desktop file and the MIME package declare,
// the programs that are installed and the project's version.
#include <QFile>
#include <QSet>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

QString packagingFile(const char* name) {
    return QStringLiteral(TELMORA_PACKAGING_DIR "/") + QLatin1String(name);
}

// The text of every element named `element` (or its attribute `attribute`).
QStringList xmlValues(const QString& path, const QString& element, const QString& attribute = {}) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList values;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != element)
            continue;
        values.append(attribute.isEmpty() ? xml.readElementText().trimmed()
                                          : xml.attributes().value(attribute).toString());
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return values;
}

QSet<QString> asSet(const QStringList& list) {
    return QSet<QString>(list.begin(), list.end());
}

// The keys and values of the desktop file's [Desktop Entry] group.
std::map<QString, QString> desktopEntry(const QString& path) {
    QFile file(path);
    std::map<QString, QString> entry;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            entry[line.left(equals)] = line.mid(equals + 1);
    }
    return entry;
}

} // namespace

TEST(Metainfo, NamesTheDesktopFileAndItsMimeTypes) {
    const QString metainfo = QStringLiteral(TELMORA_METAINFO);
    const QStringList launchables = xmlValues(metainfo, QStringLiteral("launchable"));
    ASSERT_EQ(launchables, QStringList{QStringLiteral("telmora.desktop")});
    const auto entry = desktopEntry(packagingFile("telmora.desktop"));
    ASSERT_FALSE(entry.empty()) << "the desktop file the metainfo names is in packaging/";

    const QSet<QString> provided = asSet(xmlValues(metainfo, QStringLiteral("mediatype")));
    const QSet<QString> declared = asSet(xmlValues(
        packagingFile("telmora-mime.xml"), QStringLiteral("mime-type"), QStringLiteral("type")));
    QStringList opened = entry.at(QStringLiteral("MimeType")).split(QLatin1Char(';'));
    opened.removeAll(QString());
    EXPECT_EQ(provided, declared);
    EXPECT_EQ(provided, asSet(opened));
    EXPECT_EQ(provided.size(), 3);
}

TEST(Metainfo, NamesTheInstalledProgramsAndThisVersion) {
    const QString metainfo = QStringLiteral(TELMORA_METAINFO);
    EXPECT_EQ(asSet(xmlValues(metainfo, QStringLiteral("binary"))),
              (QSet<QString>{QStringLiteral("telmora"), QStringLiteral("telmora-cli")}));
    // Each program has its man page.
    for (const char* page : {"man/telmora.1", "man/telmora-cli.1"})
        EXPECT_TRUE(QFile::exists(packagingFile(page))) << page;
    const QStringList releases =
        xmlValues(metainfo, QStringLiteral("release"), QStringLiteral("version"));
    ASSERT_FALSE(releases.isEmpty());
    EXPECT_EQ(releases.first(), QStringLiteral(TELMORA_PROJECT_VERSION))
        << "the newest release comes first and is this version";
    EXPECT_EQ(xmlValues(metainfo, QStringLiteral("content_rating"), QStringLiteral("type")),
              QStringList{QStringLiteral("oars-1.1")});
}
