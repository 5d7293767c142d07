#include "ui/main/translations.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "UserDirectories.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/recorderpanels.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <utility>

using namespace telmora;

namespace {

const QStringList kLanguages = {"de", "fr", "es", "pl", "zh_CN"};

// German words that are the same as the English ones: the button "OK", the
// abbreviations of maximum and minimum, "Zoom", and the version line.
const std::set<QString> kSameInGerman = {"OK", "Max.", "Min.", "Zoom", "Version %1 (Qt %2)"};

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "obsolete", "vanished" ... or empty
};

std::vector<Message> readTs(const QString& path, QString* error) {
    QFile file(path);
    std::vector<Message> messages;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name"))
            context = xml.readElementText();
        else if (name == QLatin1String("message"))
            current = Message{context, {}, {}, {}};
        else if (name == QLatin1String("source"))
            current.source = xml.readElementText();
        else if (name == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText();
            messages.push_back(current);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QString tsPath(const QString& language) {
    return QStringLiteral(TELMORA_TRANSLATIONS_DIR "/telmora_%1.ts").arg(language);
}

// What a translation has to keep of its source: the numbered and %d markers,
// the line breaks, the blanks at the end and whether it has an accelerator.
struct Shape {
    std::multiset<QString> markers;
    qsizetype lineBreaks = 0;
    QString trailingBlanks;
    bool accelerator = false;
    bool operator==(const Shape&) const = default;
};

Shape shapeOf(const QString& text) {
    Shape shape;
    static const QRegularExpression marker(QStringLiteral("%(\\d+|d)"));
    for (auto it = marker.globalMatch(text); it.hasNext();)
        shape.markers.insert(it.next().captured());
    shape.lineBreaks = text.count(QLatin1Char('\n'));
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    shape.trailingBlanks = text.mid(end);
    static const QRegularExpression mnemonic(QStringLiteral("&[^&\\s]"));
    shape.accelerator = text.contains(mnemonic);
    return shape;
}

std::string describe(const Message& m) {
    return (m.context + QStringLiteral(" / ") + m.source).toStdString();
}

// Installs the German translation for one test and takes every installed
// translator away again afterwards, so that other tests see English.
class GermanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(InstallTranslations(*qApp, QLocale(QStringLiteral("de"))).isEmpty());
    }
    void TearDown() override { removeTranslators(); }

public:
    static void removeTranslators() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

} // namespace

// Every message of every language is translated, keeps its markers, line breaks,
// trailing blanks and accelerator, and every language has the same messages.
TEST(TranslationFiles, EveryMessageIsFinishedAndKeepsItsShape) {
    std::set<std::pair<QString, QString>> german;
    for (const QString& language : kLanguages) {
        SCOPED_TRACE(language.toStdString());
        QString error;
        const std::vector<Message> messages = readTs(tsPath(language), &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_GT(messages.size(), 200u);
        std::set<std::pair<QString, QString>> keys;
        for (const Message& m : messages) {
            EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString() << ": " << describe(m);
            EXPECT_FALSE(m.translation.trimmed().isEmpty()) << describe(m);
            EXPECT_TRUE(shapeOf(m.translation) == shapeOf(m.source))
                << describe(m) << " -> " << m.translation.toStdString();
            keys.emplace(m.context, m.source);
        }
        if (language == QLatin1String("de"))
            german = keys;
        else
            EXPECT_EQ(keys, german);
    }
}

// The translation files hold every text the sources offer for translation, so
// that a text added later cannot reach the screen untranslated unnoticed.
TEST(TranslationFiles, CoverEveryTextOfTheSources) {
    const QString lupdate = QStringLiteral(TELMORA_LUPDATE);
    if (lupdate.isEmpty() || !QFile::exists(lupdate))
        GTEST_SKIP() << "lupdate of Qt 6 is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString extracted = dir.filePath(QStringLiteral("extracted_de.ts"));
    QProcess run;
    run.start(lupdate,
              {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
               QStringLiteral(TELMORA_SOURCE_DIR "/src"), QStringLiteral("-ts"), extracted});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    QString error;
    const std::vector<Message> fromSources = readTs(extracted, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const std::vector<Message> translated = readTs(tsPath(QStringLiteral("de")), &error);
    std::set<std::pair<QString, QString>> known;
    for (const Message& m : translated)
        known.emplace(m.context, m.source);
    ASSERT_GT(fromSources.size(), 200u);
    for (const Message& m : fromSources)
        EXPECT_TRUE(known.count({m.context, m.source}))
            << "not in translations/telmora_de.ts: " << describe(m);
}

// Each language is found for its locale; English needs no translation.
TEST(TranslationFiles, EachLanguageLoadsForItsLocale) {
    for (const QString& language : kLanguages) {
        SCOPED_TRACE(language.toStdString());
        EXPECT_FALSE(InstallTranslations(*qApp, QLocale(language)).isEmpty());
        EXPECT_NE(text(TextId::MenuFile), QStringLiteral("&File"));
        EXPECT_TRUE(errorCaption(TextId::CableNotFound).endsWith(QStringLiteral("[E9015]")));
        GermanTest::removeTranslators();
    }
    EXPECT_TRUE(InstallTranslations(*qApp, QLocale(QStringLiteral("en_GB"))).isEmpty());
    EXPECT_EQ(text(TextId::MenuFile), QStringLiteral("&File"));
    GermanTest::removeTranslators();
}

TEST_F(GermanTest, EveryTableTextIsTranslatedAndNamesStay) {
    for (const TextId id : allTextIds()) {
        SCOPED_TRACE(textNumber(id));
        if (!isTranslated(id)) {
            EXPECT_EQ(text(id), sourceText(id));
            continue;
        }
        EXPECT_FALSE(text(id).isEmpty());
        if (!kSameInGerman.count(sourceText(id))) {
            EXPECT_NE(text(id), sourceText(id)) << sourceText(id).toStdString();
        }
    }
    // The numbers of captions and notices stay, in plain digits.
    EXPECT_EQ(errorCaption(TextId::CableNotFound), QStringLiteral("Fehler[E9015]"));
    EXPECT_EQ(warningCaption(TextId::BufferHasData), QStringLiteral("Warnung[W8003]"));
    EXPECT_EQ(fillNumbers(text(TextId::StatusPageFormat), {3, 12}),
              QStringLiteral("Seite : 3 von 12"));
    EXPECT_TRUE(noticeLine(TextId::NoDataReceived).startsWith(QStringLiteral("[W8004] ")));
    EXPECT_EQ(text(TextId::TempFilePrefix), QStringLiteral("~ODMDL"));
}

TEST_F(GermanTest, EveryExtractedTextHasAGermanTranslation) {
    QString error;
    const std::vector<Message> messages = readTs(tsPath(QStringLiteral("de")), &error);
    ASSERT_TRUE(error.isEmpty());
    for (const Message& m : messages) {
        const QString shown = QCoreApplication::translate(m.context.toUtf8().constData(),
                                                          m.source.toUtf8().constData());
        if (kSameInGerman.count(m.source))
            EXPECT_EQ(shown, m.translation) << describe(m);
        else
            EXPECT_NE(shown, m.source) << describe(m);
    }
    // Qt's own dialog buttons speak German too where Qt ships a translation.
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                      QStringLiteral("/qtbase_de.qm"))) {
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QStringLiteral("Abbrechen"));
    }
}

// No English text of the program is left on the main window, the recorder and
// the other windows once the German translation is installed.
TEST_F(GermanTest, NoEnglishTextOnTheWindows) {
    std::set<QString> english;
    QString error;
    for (const Message& m : readTs(tsPath(QStringLiteral("de")), &error))
        if (!kSameInGerman.count(m.source))
            english.insert(m.source);
    for (const TextId id : allTextIds())
        if (isTranslated(id) && !kSameInGerman.count(sourceText(id)))
            english.insert(sourceText(id));

    UserDirectories userDirs;
    ASSERT_TRUE(userDirs.isValid());
    ScriptedDialogs dialogs;
    MainUnderTest parts(std::make_shared<SimulatedMeter>(SimScenario::Demo, false), dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    form.show();
    for (QWidget* window :
         std::initializer_list<QWidget*>{form.recorder(), form.dataList(), form.comparator(),
                                         form.digitalMeter(), form.analogMeter()})
        window->show();

    std::vector<std::string> found;
    const auto check = [&](const QString& shown, const QObject* where) {
        if (english.count(shown))
            found.push_back(where->metaObject()->className() + std::string(" ") +
                            where->objectName().toStdString() + ": " + shown.toStdString());
    };
    for (QWidget* top : QApplication::topLevelWidgets()) {
        check(top->windowTitle(), top);
        for (const QLabel* label : top->findChildren<QLabel*>())
            check(label->text(), label);
        for (const QAbstractButton* button : top->findChildren<QAbstractButton*>()) {
            check(button->text(), button);
            check(button->toolTip(), button);
        }
        for (const QGroupBox* box : top->findChildren<QGroupBox*>())
            check(box->title(), box);
        for (const QAction* action : top->findChildren<QAction*>()) {
            check(action->text(), action);
            check(action->toolTip(), action);
        }
    }
    EXPECT_TRUE(found.empty()) << [&] {
        std::string all;
        for (const std::string& line : found)
            all += line + "\n";
        return all;
    }();
}

// Texts once written out in English: the digital meter's link state, the data
// list's sheets and the recorder's clock, which follows the locale's way of
// writing a time.
TEST_F(GermanTest, LinkStateSheetsAndClockFollowTheLanguage) {
    UserDirectories userDirs;
    ASSERT_TRUE(userDirs.isValid());
    ScriptedDialogs dialogs;
    MainUnderTest parts(std::make_shared<SimulatedMeter>(SimScenario::Demo, false), dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    EXPECT_TRUE(form.digitalMeter()->windowTitle().endsWith(QStringLiteral(" : Kein Gerät")))
        << form.digitalMeter()->windowTitle().toStdString();
    const auto* sheets = form.dataList()->findChild<QTabWidget*>(QStringLiteral("sheetTabs"));
    ASSERT_NE(sheets, nullptr);
    EXPECT_EQ(sheets->tabText(0), QStringLiteral("Tabelle1"));

    const QTime time(17, 4, 3);
    EXPECT_EQ(LocalClockText(QLocale(QStringLiteral("de_DE")), time), QStringLiteral("17:04:03"));
    EXPECT_EQ(LocalClockText(QLocale(QStringLiteral("en_US")), time), QStringLiteral("5:04:03 PM"));
    const auto* clock = form.recorder()->findChild<QLabel*>(QStringLiteral("StatusClock"));
    ASSERT_NE(clock, nullptr);
    EXPECT_FALSE(clock->text().contains(QLatin1Char('"'))) << clock->text().toStdString();
}
