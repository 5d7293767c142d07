// The workspace: every meter's live displays, the recorder, the data list, the
// overview and the logger are panels of the main window. The default arrangement
// fits the screen with one and three meters (tabs where columns do not fit), Tile
// brings it back, any panel
// floats and docks again, the Window commands bring their panel to the front,
// and the arrangement comes back over restarts. CTest runs these on the default
// offscreen screen and again on emulated screens of 1600x1000 and 1366x768
// (windows framed by the platform), one scaled by 1.5.
#include "ui/main/Workspace.h"
#include "LinkWaits.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "UserDirectories.h"
#include "app/Meter.h"
#include "app/UserFiles.h"
#include "sim/SimulatedCables.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/main/MeterWindowSets.h"
#include "ui/main/PanelDock.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

using namespace telmora;

namespace {

QAction* windowMenuAction(const MainWindow& form, const QString& caption) {
    for (QAction* menu : form.menuBar()->actions()) {
        if (menu->menu() == nullptr || menu->text() != text(TextId::MenuWindow))
            continue;
        for (QAction* action : menu->menu()->actions())
            if (action->text() == caption)
                return action;
    }
    return nullptr;
}

QAction* windowMenuAction(const MainWindow& form, TextId item) {
    return windowMenuAction(form, text(item));
}

// The Window menu's entries of the overview and the logger.
QAction* overviewCommand(const MainWindow& form) {
    return windowMenuAction(form, translate("MainWindow", "Graphical &viewer"));
}
QAction* loggerCommand(const MainWindow& form) {
    return windowMenuAction(form, translate("MainWindow", "Data L&ogger"));
}

std::string nameOf(const QWidget* w) {
    return w->objectName().toStdString();
}

// Whether `dock` is shown and in front (a tab behind another lies outside the
// main window).
bool inView(const MainWindow& form, const QDockWidget* dock) {
    return dock->isVisible() && (dock->isFloating() || form.rect().intersects(dock->geometry()));
}

// What the user sees of one dock: shown, floating, its area, the docks it shares
// tabs with, and its size.
std::string describe(const MainWindow& form, PanelDock* dock, bool sizes) {
    std::string s = nameOf(dock) + (dock->isHidden() ? " hidden" : " shown");
    s += dock->isFloating() ? " floating" : " area" + std::to_string(form.dockWidgetArea(dock));
    QStringList tabs;
    for (const QDockWidget* other : form.tabifiedDockWidgets(dock))
        tabs << other->objectName();
    tabs.sort();
    s += " tabs[" + tabs.join(QLatin1Char(',')).toStdString() + "]";
    if (sizes && inView(form, dock))
        s += " " + std::to_string(dock->width()) + "x" + std::to_string(dock->height());
    return s + "\n";
}

std::string arrangementOf(const MainWindow& form, bool sizes = true) {
    std::string all;
    for (PanelDock* dock : form.workspace()->docks())
        all += describe(form, dock, sizes);
    return all;
}

class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_start.isValid() && m_userDirs.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_start.path());
    }
    void TearDown() override {
        m_parts.reset();
        QDir::setCurrent(m_oldDir);
    }

    // One run of the program with `meters` simulated meters, shown as main()
    // shows it; with more than one meter, all of them linked.
    MainWindow& start(int meters) {
        std::vector<std::shared_ptr<SimulatedMeter>> sims;
        for (int i = 0; i < meters; ++i)
            sims.push_back(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
        auto cables = std::make_shared<SimulatedCables>(std::move(sims));
        cables->nameCables();
        m_parts = std::make_unique<MainUnderTest>(cables, m_dialogs,
                                                  LocateUserFiles(QDir::currentPath()));
        MainWindow& form = m_parts->window;
        form.show();
        form.createWindows();
        if (meters > 1) {
            EXPECT_EQ(LinkAllAndWait(m_parts->app), meters);
        }
        QApplication::processEvents();
        return form;
    }
    void quit() {
        m_parts->window.close();
        m_parts.reset();
    }
    PanelDock* dock(const QWidget* panel) const {
        return m_parts->window.workspace()->dockOf(panel);
    }
    LiveWindowSet meter(int index) const {
        return m_parts->window.meterWindows()->windowsOf(index);
    }

    // The main window fits the screen's free area; every shown docked panel lies
    // inside it, has at least the room its panel needs and covers no other.
    void expectFits(const MainWindow& form) const {
        const QRect area = form.screen()->availableGeometry();
        EXPECT_LE(form.minimumSizeHint().width(), area.width());
        EXPECT_LE(form.minimumSizeHint().height(), area.height());
        EXPECT_LE(form.width(), area.width());
        EXPECT_LE(form.height(), area.height());
        std::vector<PanelDock*> shown;
        for (PanelDock* d : form.workspace()->docks())
            if (inView(form, d) && !d->isFloating())
                shown.push_back(d);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const QRect r = shown[i]->geometry();
            EXPECT_TRUE(form.rect().contains(r)) << nameOf(shown[i]);
            const QSize need = shown[i]->minimumSizeHint();
            EXPECT_GE(r.width(), need.width()) << nameOf(shown[i]);
            EXPECT_GE(r.height(), need.height()) << nameOf(shown[i]);
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(r.intersects(shown[j]->geometry()))
                    << nameOf(shown[i]) << " and " << nameOf(shown[j]);
        }
    }

    QTemporaryDir m_start;
    UserDirectories m_userDirs;
    QString m_oldDir;
    ScriptedDialogs m_dialogs; // every box answered with OK
    std::unique_ptr<MainUnderTest> m_parts;
};

} // namespace

TEST_F(WorkspaceTest, EveryLiveDisplayTheRecorderAndTheDataListArePanelsWithTheirCaptions) {
    MainWindow& form = start(2);
    for (QWidget* panel :
         {static_cast<QWidget*>(form.digitalMeter()), static_cast<QWidget*>(form.analogMeter()),
          static_cast<QWidget*>(form.comparator()), static_cast<QWidget*>(form.recorder()),
          static_cast<QWidget*>(form.dataList()), static_cast<QWidget*>(form.overview()),
          form.loggerWindow(), meter(1).window(LiveWindowKind::Digital),
          meter(1).window(LiveWindowKind::Comparator)}) {
        PanelDock* d = dock(panel);
        ASSERT_NE(d, nullptr) << nameOf(panel);
        EXPECT_FALSE(panel->isWindow()) << nameOf(panel);
        EXPECT_EQ(d->windowTitle(), panel->windowTitle()) << nameOf(panel);
    }
    EXPECT_EQ(dock(meter(1).window(LiveWindowKind::Digital))->windowTitle(),
              "Digital Meter : Meter 2 : USB Device");
    // The recorder keeps its menu bar and tool bars inside its panel.
    EXPECT_TRUE(form.recorder()->menuBar()->isVisibleTo(form.recorder()));
    EXPECT_FALSE(dock(form.digitalMeter())->features().testFlag(QDockWidget::DockWidgetClosable))
        << "the digital meter cannot be closed, as before";
}

TEST_F(WorkspaceTest, TheDefaultArrangementFitsTheScreenWithOneMeter) {
    MainWindow& form = start(1);
    EXPECT_FALSE(form.restoredWindowPlaces());
    windowMenuAction(form, TextId::MenuWindowAnalogMeter)->trigger();
    windowMenuAction(form, TextId::MenuWindowComparator)->trigger();
    windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
    form.resize(form.screen()->availableGeometry().size() - QSize(40, 60));
    windowMenuAction(form, TextId::MenuWindowTile)->trigger();
    QApplication::processEvents();
    expectFits(form);
    EXPECT_TRUE(form.digitalMeter()->isVisible());
    EXPECT_TRUE(form.recorder()->isVisible());
    EXPECT_TRUE(form.dataList()->isVisible());
    if (!form.tabifiedDockWidgets(dock(form.recorder())).contains(dock(form.dataList()))) {
        EXPECT_GT(form.recorder()->width(), form.dataList()->width()) << "the recorder is large";
    }
}

TEST_F(WorkspaceTest, ThreeMetersFitTheScreenSideBySideOrAsTabs) {
    MainWindow& form = start(3);
    form.resize(form.screen()->availableGeometry().size() - QSize(40, 60));
    windowMenuAction(form, TextId::MenuWindowAnalogMeter)->trigger();
    windowMenuAction(form, TextId::MenuWindowComparator)->trigger();
    windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
    windowMenuAction(form, TextId::MenuWindowTile)->trigger();
    QApplication::processEvents();
    expectFits(form);
    // Each meter's digital meter is there: beside the others, or as a tab of
    // the first one's when the columns do not fit.
    const auto tabs = form.tabifiedDockWidgets(dock(form.digitalMeter()));
    for (int i = 1; i < 3; ++i) {
        PanelDock* d = dock(meter(i).window(LiveWindowKind::Digital));
        EXPECT_TRUE(inView(form, d) || tabs.contains(d)) << i;
    }
    if (form.width() < 1400) {
        for (int i = 1; i < 3; ++i)
            EXPECT_TRUE(tabs.contains(dock(meter(i).window(LiveWindowKind::Digital))))
                << "three columns do not fit beside the recorder";
    }
}

TEST_F(WorkspaceTest, TileBringsTheDefaultArrangementBack) {
    MainWindow& form = start(2);
    windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
    windowMenuAction(form, TextId::MenuWindowTile)->trigger();
    QApplication::processEvents();
    const std::string tiled = arrangementOf(form);

    dock(form.dataList())->setFloating(true);
    form.tabifyDockWidget(dock(form.recorder()), dock(meter(1).window(LiveWindowKind::Digital)));
    form.addDockWidget(Qt::BottomDockWidgetArea, dock(form.digitalMeter()));
    QApplication::processEvents();
    ASSERT_NE(arrangementOf(form), tiled);

    windowMenuAction(form, TextId::MenuWindowTile)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(arrangementOf(form), tiled);
}

TEST_F(WorkspaceTest, AnyPanelFloatsAndDocksAgain) {
    MainWindow& form = start(1);
    windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
    windowMenuAction(form, TextId::MenuWindowComparator)->trigger();
    overviewCommand(form)->trigger();
    loggerCommand(form)->trigger();
    for (QWidget* panel :
         {static_cast<QWidget*>(form.digitalMeter()), static_cast<QWidget*>(form.comparator()),
          static_cast<QWidget*>(form.recorder()), static_cast<QWidget*>(form.dataList()),
          static_cast<QWidget*>(form.overview()), form.loggerWindow()}) {
        PanelDock* d = dock(panel);
        const Qt::DockWidgetArea area = form.dockWidgetArea(d);
        d->setFloating(true);
        EXPECT_TRUE(d->isWindow() && d->isVisible()) << nameOf(panel);
        EXPECT_TRUE(panel->isVisible()) << nameOf(panel);
        d->setFloating(false);
        EXPECT_FALSE(d->isWindow()) << nameOf(panel);
        EXPECT_EQ(form.dockWidgetArea(d), area) << nameOf(panel);
        EXPECT_TRUE(panel->isVisible()) << nameOf(panel);
    }
}

TEST_F(WorkspaceTest, WindowCommandsBringTheirPanelToTheFront) {
    MainWindow& form = start(1);
    windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
    // The comparator hidden behind the recorder's tab, then asked for.
    form.tabifyDockWidget(dock(form.recorder()), dock(form.comparator()));
    dock(form.recorder())->raise();
    QApplication::processEvents();
    windowMenuAction(form, TextId::MenuWindowComparator)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(inView(form, dock(form.comparator())));
    EXPECT_FALSE(inView(form, dock(form.recorder()))) << "behind the comparator's tab";
    // A closed panel comes back, and closing asks the panel first.
    dock(form.dataList())->close();
    EXPECT_FALSE(form.dataList()->isVisible());
    windowMenuAction(form, TextId::MenuWindowDataList)->trigger();
    EXPECT_TRUE(form.dataList()->isVisible());
    // A panel that hides itself takes its dock along.
    form.comparator()->hide();
    QApplication::processEvents();
    EXPECT_TRUE(dock(form.comparator())->isHidden());
    windowMenuAction(form, TextId::MenuWindowComparator)->trigger();
    EXPECT_TRUE(form.comparator()->isVisible());
}

// The overview and the logger were windows of their own: now panels that their
// Window entries and the recorder's commands bring up, that Tile puts beside the
// recorder as tabs, and that their own Close puts away.
TEST_F(WorkspaceTest, TheOverviewAndTheLoggerArePanelsBesideTheRecorder) {
    MainWindow& form = start(1);
    RecorderWindow* recorder = form.recorder();
    PanelDock* overview = dock(form.overview());
    PanelDock* logger = dock(form.loggerWindow());
    ASSERT_TRUE(overview != nullptr && logger != nullptr);
    EXPECT_TRUE(overview->isHidden() && logger->isHidden()) << "until asked for";
    ASSERT_NE(overviewCommand(form), nullptr);
    ASSERT_NE(loggerCommand(form), nullptr);

    windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
    emit recorder->overviewRequested();
    QApplication::processEvents();
    EXPECT_TRUE(inView(form, overview));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "nothing else is blocked";
    emit recorder->importRequested();
    QApplication::processEvents();
    EXPECT_TRUE(inView(form, logger));
    EXPECT_FALSE(inView(form, overview)) << "behind the logger's tab";
    overviewCommand(form)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(inView(form, overview));

    // Tile: both are tabs of the recorder's group, shown as they were.
    windowMenuAction(form, TextId::MenuWindowTile)->trigger();
    QApplication::processEvents();
    const auto withRecorder = form.tabifiedDockWidgets(dock(recorder));
    EXPECT_TRUE(withRecorder.contains(overview) && withRecorder.contains(logger));
    EXPECT_FALSE(overview->isHidden() || logger->isHidden());
    // Shown, they still leave the window on the screen.
    expectFits(form);

    // Escape leaves the overview panel in place; its Close button puts it away.
    form.overview()->setFocus();
    QTest::keyClick(form.overview(), Qt::Key_Escape);
    EXPECT_FALSE(overview->isHidden());
    auto* close = form.overview()->findChild<QPushButton*>(QStringLiteral("closeButton"));
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_TRUE(overview->isHidden());
    // The logger's File -> Close the same.
    QAction* closeLogger = nullptr;
    for (QAction* a : form.loggerWindow()->findChildren<QAction*>())
        if (a->text() == text(TextId::MenuFileClose))
            closeLogger = a;
    ASSERT_NE(closeLogger, nullptr);
    closeLogger->trigger();
    EXPECT_TRUE(logger->isHidden());
}

TEST_F(WorkspaceTest, PanelKeysReachTheirPanelDockedAndFloating) {
    MainWindow& form = start(1);
    windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
    // Each panel's keys answer where its focus is, so equal keys of two panels
    // never clash in the one window.
    for (QWidget* panel :
         {static_cast<QWidget*>(form.recorder()), static_cast<QWidget*>(form.dataList())}) {
        for (const QAction* a : panel->findChildren<QAction*>())
            if (!a->shortcuts().isEmpty()) {
                EXPECT_EQ(a->shortcutContext(), Qt::WidgetWithChildrenShortcut)
                    << a->text().toStdString();
                EXPECT_TRUE(panel->actions().contains(const_cast<QAction*>(a)))
                    << a->text().toStdString();
            }
    }
    // The recorder's Open and the data list's Go to Sample, docked and floating:
    // the recorder asks for a file, the data list's key fires.
    QShortcut* goTo = nullptr;
    for (QShortcut* shortcut : form.dataList()->findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(Qt::CTRL | Qt::Key_G))
            goTo = shortcut;
    ASSERT_NE(goTo, nullptr);
    int asked = 0;
    QObject::connect(goTo, &QShortcut::activated, [&asked] { ++asked; });
    const QKeySequence open = QKeySequence::keyBindings(QKeySequence::Open).value(0);
    ASSERT_FALSE(open.isEmpty());
    for (bool floating : {false, true}) {
        const std::string how = floating ? "floating" : "docked";
        for (QWidget* panel :
             {static_cast<QWidget*>(form.recorder()), static_cast<QWidget*>(form.dataList())})
            dock(panel)->setFloating(floating);
        const auto focusOn = [&](QWidget* panel) {
            dock(panel)->bringUp();
            panel->window()->activateWindow();
            // A floating panel counts as active with the main window: wait for
            // the keys to go to it.
            return QTest::qWaitFor(
                [panel] { return QApplication::activeWindow() == panel->window(); });
        };
        const std::size_t files = m_dialogs.files.size();
        ASSERT_TRUE(focusOn(form.recorder())) << how;
        QTest::keySequence(form.recorder()->focusWidget(), open);
        EXPECT_EQ(m_dialogs.files.size(), files + 1) << how;
        const int before = asked;
        ASSERT_TRUE(focusOn(form.dataList())) << how;
        QTest::keyClick(form.dataList()->focusWidget(), Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(asked, before + 1) << how;
    }
}

TEST_F(WorkspaceTest, TheArrangementComesBackOverRestarts) {
    std::string left;
    QSize size;
    bool sizeChosen = false;
    {
        MainWindow& form = start(2);
        windowMenuAction(form, TextId::MenuWindowAnalogMeter)->trigger();
        windowMenuAction(form, TextId::MenuWindowRecorder)->trigger();
        form.tabifyDockWidget(dock(form.recorder()), dock(form.dataList()));
        dock(meter(1).window(LiveWindowKind::Analog))->setFloating(true);
        dock(form.comparator())->hide();
        // The logger keeps its place, though its sessions go at the end.
        loggerCommand(form)->trigger();
        form.splitDockWidget(dock(form.recorder()), dock(form.loggerWindow()), Qt::Vertical);
        const QSize room = form.screen()->availableGeometry().size() - QSize(20, 30);
        size = room.expandedTo(form.minimumSizeHint());
        // A screen with no room beyond what the panels need leaves the size to them.
        sizeChosen = size == room;
        form.resize(size);
        QApplication::processEvents();
        // The panels of a meter linked later go back into the arrangement as it
        // was, their sizes as far as the room allows.
        left = arrangementOf(form, false);
        quit();
    }
    for (int run = 1; run <= 10; ++run) {
        MainWindow& form = start(2);
        EXPECT_TRUE(form.restoredWindowPlaces());
        if (sizeChosen) {
            EXPECT_EQ(form.size(), size);
        }
        EXPECT_EQ(arrangementOf(form, false), left) << "restart " << run;
        quit();
    }
}

TEST_F(WorkspaceTest, ADamagedStateGivesTheDefaultArrangement) {
    start(1);
    quit();
    const UserFiles files = LocateUserFiles(QDir::currentPath());
    {
        QSettings state(files.desktopStateFile, QSettings::IniFormat);
        state.setValue(QStringLiteral("Workspace/state"), QStringLiteral("bm90IGEgc3RhdGU="));
        state.setValue(QStringLiteral("Workspace/size"), QStringLiteral("huge"));
    }
    MainWindow& form = start(1);
    EXPECT_FALSE(form.restoredWindowPlaces());
    EXPECT_TRUE(form.digitalMeter()->isVisible());
    EXPECT_TRUE(form.dataList()->isVisible());
    EXPECT_FALSE(form.recorder()->isVisible());
    expectFits(form);
}
