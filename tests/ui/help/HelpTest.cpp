// The user manual: every link inside it leads somewhere, every message number has
// an entry, and F1 opens it at the section of the window it was pressed in.
#include "ScriptedDialogs.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/common/LineColorDialog.h"
#include "ui/common/UiResources.h"
#include "ui/export/ExportDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/help/helpanchors.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/main/MainUnderTest.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/IntervalDialog.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"
#include "ui/recorder/TriggerDialog.h"

#include "UserDirectories.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace telmora;

namespace {

QString manualText() {
    InitUiResources();
    QFile file(QStringLiteral(":/manual/index.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList captures(const QString& text, const QString& pattern) {
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found.append(it.next().captured(1));
    return found;
}

// The ids of the manual's elements.
QSet<QString> manualIds() {
    const QStringList ids = captures(manualText(), QStringLiteral("\\sid=\"([^\"]+)\""));
    return QSet<QString>(ids.begin(), ids.end());
}

// Every anchor name the browser's document knows.
QSet<QString> documentAnchors(const QTextDocument& document) {
    QSet<QString> names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (const QString& name : it.fragment().charFormat().anchorNames())
                names.insert(name);
    return names;
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override { QDir::setCurrent(m_oldDir); }

    QTemporaryDir m_dir;
    UserDirectories m_userDirs;
    QString m_oldDir;
    std::shared_ptr<CableBackend> m_backend =
        std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    ScriptedDialogs m_dialogs; // every box answered with OK
};

} // namespace

TEST(Manual, EveryInternalLinkLeadsToAnElementOfTheManual) {
    const QString html = manualText();
    ASSERT_FALSE(html.isEmpty()) << "the manual is compiled into the program";
    const QStringList ids = captures(html, QStringLiteral("\\sid=\"([^\"]+)\""));
    const QSet<QString> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size()) << "every id is used once";

    const QStringList links = captures(html, QStringLiteral("href=\"([^\"]*)\""));
    ASSERT_GT(links.size(), 50);
    for (const QString& link : links) {
        if (link.startsWith(QLatin1String("https://")))
            continue; // opened in the desktop's browser
        ASSERT_TRUE(link.startsWith(QLatin1Char('#')))
            << "a link out of the manual: " << link.toStdString();
        EXPECT_TRUE(unique.contains(link.mid(1))) << "no element with id " << link.toStdString();
    }

    // The help window's browser knows each of them as an anchor to move to.
    HelpWindow help;
    const QSet<QString> anchors = documentAnchors(*help.browser()->document());
    for (const QString& id : unique)
        EXPECT_TRUE(anchors.contains(id)) << "the browser cannot move to " << id.toStdString();
}

TEST(Manual, EveryMessageTheProgramShowsHasAnEntry) {
    const QSet<QString> ids = manualIds();
    // Caption formats, and table texts the program no longer shows.
    const QSet<int> notShown = {
        textNumber(TextId::NoDataReceived), textNumber(TextId::OnlyCompleteSessionsRead),
        textNumber(TextId::WarningCaptionFormat), textNumber(TextId::ErrorCaptionFormat)};
    for (const TextId id : allTextIds()) {
        const int number = textNumber(id);
        if (number < 8000 || notShown.contains(number))
            continue;
        EXPECT_TRUE(ids.contains(MessageHelpAnchor(number)))
            << "no troubleshooting entry for message " << number;
    }
}

TEST(Manual, ContentsListLeadsToTheSections) {
    HelpWindow help;
    QTreeWidget* contents = help.contents();
    ASSERT_GE(contents->topLevelItemCount(), 10);
    QTreeWidgetItem* recorder = nullptr;
    for (QTreeWidgetItemIterator it(contents); *it != nullptr; ++it)
        if ((*it)->text(0) == QStringLiteral("Graphical recorder"))
            recorder = *it;
    ASSERT_NE(recorder, nullptr);
    emit contents->itemClicked(recorder, 0);
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("recorder"));
    EXPECT_EQ(contents->currentItem(), recorder);
    // An element inside a section marks that section's entry.
    help.showSection(MessageHelpAnchor(textNumber(TextId::CableNotFound)));
    ASSERT_NE(contents->currentItem(), nullptr);
    EXPECT_EQ(contents->currentItem()->text(0), QStringLiteral("Messages by number"));
}

TEST_F(HelpTest, F1OpensTheManualAtTheSectionOfEachWindow) {
    MainUnderTest parts(m_backend, m_dialogs);
    MainWindow& form = parts.window;
    form.createWindows();
    form.show();
    const QSet<QString> ids = manualIds();
    const std::vector<std::pair<QWidget*, QString>> windows = {
        {&form, QStringLiteral("main-window")},
        {form.digitalMeter(), QStringLiteral("digital-meter")},
        {form.analogMeter(), QStringLiteral("analog-meter")},
        {form.comparator(), QStringLiteral("comparator")},
        {form.recorder(), QStringLiteral("recorder")},
        {form.dataList(), QStringLiteral("data-list")},
        {form.loggerWindow(), QStringLiteral("logger")},
    };
    for (const auto& [window, anchor] : windows) {
        window->show();
        QTest::keyClick(window, Qt::Key_F1);
        ASSERT_NE(form.helpWindow(), nullptr);
        EXPECT_TRUE(form.helpWindow()->isVisible());
        EXPECT_EQ(form.helpWindow()->currentAnchor(), anchor);
        EXPECT_TRUE(ids.contains(anchor)) << anchor.toStdString();
        form.helpWindow()->close();
    }
    // The key reaches the manual from a control inside a window too.
    QTest::keyClick(form.recorder()->focusWidget() ? form.recorder()->focusWidget()
                                                   : form.recorder(),
                    Qt::Key_F1);
    EXPECT_EQ(form.helpWindow()->currentAnchor(), QStringLiteral("recorder"));

    // The Help menu's entry opens the manual at the main window's section.
    form.helpWindow()->close();
    EXPECT_EQ(form.helpAction()->shortcut(), QKeySequence(Qt::Key_F1));
    form.helpAction()->trigger();
    EXPECT_TRUE(form.helpWindow()->isVisible());
    EXPECT_EQ(form.helpWindow()->currentAnchor(), QStringLiteral("main-window"));
}

TEST_F(HelpTest, DialogsAndMessageBoxesLeadToTheirOwnEntries) {
    const QSet<QString> ids = manualIds();
    RecordingOverview overview(m_dialogs);
    IntervalDialog interval(m_dialogs);
    TriggerDialog trigger(m_dialogs);
    ExportDialog exportDialog(m_dialogs, ExportDialog::PrinterPages::Any);
    LineColorDialog colours(m_dialogs);
    ComparatorLimitsDialog limits(m_dialogs);
    DataListWindow dataList(m_dialogs, nullptr);
    QFileDialog fileDialog(&dataList);
    QMessageBox error(QMessageBox::Critical, errorCaption(TextId::CableNotFound), QString());
    QMessageBox warning(QMessageBox::Warning, warningCaption(TextId::BufferHasData), QString());
    QDialog unknown;
    const std::vector<std::pair<QWidget*, QString>> windows = {
        {&overview, QStringLiteral("overview")},
        {&interval, QStringLiteral("recorder-interval")},
        {&trigger, QStringLiteral("recorder-trigger")},
        {&exportDialog, QStringLiteral("export")},
        {&colours, QStringLiteral("line-colours")},
        {&limits, QStringLiteral("comparator-limits")},
        {&fileDialog, QStringLiteral("data-list")}, // the window that opened it
        {&error, QStringLiteral("msg-9015")},
        {&warning, QStringLiteral("msg-8003")},
        {&unknown, QString::fromLatin1(kManualContents)},
    };
    for (const auto& [window, anchor] : windows) {
        EXPECT_EQ(HelpAnchorFor(window), anchor);
        EXPECT_TRUE(ids.contains(anchor)) << anchor.toStdString();
    }
}

TEST_F(HelpTest, OverAModalWindowTheManualIsModalToo) {
    HelpWindow help;
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    help.showSection(QStringLiteral("export"));
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowModality(), Qt::ApplicationModal)
        << "else it could not be used before the dialog closes";
    EXPECT_EQ(help.currentAnchor(), QStringLiteral("export"));
    help.close();
    dialog.close();
    help.showSection(QStringLiteral("recorder"));
    EXPECT_EQ(help.windowModality(), Qt::NonModal);
}
