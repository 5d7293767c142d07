// The menus' access keys: within one menu (and along one menu bar) no two entries
// share a key, in English and in every translation, so that Alt+key (or the key
// in an open menu) always reaches one entry.
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "UserDirectories.h"
#include "sim/SimulatedMeter.h"
#include "ui/main/MainWindow.h"
#include "ui/main/translations.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace telmora;

namespace {

// The clashes among the entries of one menu or menu bar: "key: entry, entry".
std::vector<std::string> clashesIn(const QString& where, const QList<QAction*>& actions) {
    std::map<int, QStringList> byKey;
    for (const QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible() || a->text().isEmpty())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        if (!key.isEmpty())
            byKey[key[0].toCombined()] << a->text();
    }
    std::vector<std::string> clashes;
    for (const auto& [key, entries] : byKey)
        if (entries.size() > 1)
            clashes.push_back(
                (where + QStringLiteral(": ") + entries.join(QStringLiteral(", "))).toStdString());
    return clashes;
}

// Walks the menu bar and every menu below it; a menu filled as it opens is
// filled first.
void collectClashes(const QString& where, QMenu& menu, std::set<QMenu*>& seen,
                    std::vector<std::string>& clashes) {
    if (!seen.insert(&menu).second)
        return;
    emit menu.aboutToShow();
    const QString path = where + QStringLiteral(" > ") + menu.title();
    for (const std::string& clash : clashesIn(path, menu.actions()))
        clashes.push_back(clash);
    for (QAction* a : menu.actions())
        if (a->menu() != nullptr)
            collectClashes(path, *a->menu(), seen, clashes);
}

std::vector<std::string> menuClashes(const std::vector<QWidget*>& windows) {
    std::vector<std::string> clashes;
    std::set<QMenu*> seen;
    std::set<QMenuBar*> bars;
    for (QWidget* window : windows)
        for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
            if (!bars.insert(bar).second)
                continue;
            const QString where = bar->parentWidget()->metaObject()->className();
            for (const std::string& clash : clashesIn(where, bar->actions()))
                clashes.push_back(clash);
            for (QAction* a : bar->actions())
                if (a->menu() != nullptr)
                    collectClashes(where, *a->menu(), seen, clashes);
        }
    return clashes;
}

void removeTranslators() {
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace

TEST(MenuMnemonics, NoTwoEntriesOfAMenuShareTheirKeyInAnyLanguage) {
    for (const QString& language :
         {QString(), QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("es"),
          QStringLiteral("pl"), QStringLiteral("zh_CN")}) {
        SCOPED_TRACE(language.isEmpty() ? std::string("en") : language.toStdString());
        if (!language.isEmpty()) {
            ASSERT_FALSE(InstallTranslations(*qApp, QLocale(language)).isEmpty());
        }
        UserDirectories userDirs;
        ASSERT_TRUE(userDirs.isValid());
        ScriptedDialogs dialogs;
        MainUnderTest parts(std::make_shared<SimulatedMeter>(SimScenario::Demo, false), dialogs);
        MainWindow& form = parts.window;
        form.createWindows();
        ASSERT_NE(form.loggerWindow(), nullptr);
        const std::vector<std::string> clashes =
            menuClashes({&form, form.recorder(), form.dataList(), form.loggerWindow()});
        // The recorder's and the logger's menus are among those walked.
        EXPECT_FALSE(form.recorder()->findChildren<QMenuBar*>().isEmpty());
        EXPECT_FALSE(form.loggerWindow()->findChildren<QMenuBar*>().isEmpty());
        EXPECT_TRUE(clashes.empty()) << [&] {
            std::string all;
            for (const std::string& line : clashes)
                all += line + "\n";
            return all;
        }();
        removeTranslators();
    }
}
