// Where the windows go on the desktop: opened one by one from the Window menu they
// find free places on the screen, the recording viewer is a normal window below
// the main window, and ten restarts after Tile leave every window where it was.
// CTest runs these on the default offscreen screen and again on emulated screens
// of 1600x1000 and 1366x768 (windows framed by the platform), one scaled by 1.5.
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "app/UserFiles.h"
#include "app/windowplacement.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/common/windowframes.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include "UserDirectories.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace telmora;

namespace {

QAction* windowMenuAction(const MainWindow& form, TextId item) {
    for (QAction* menu : form.menuBar()->actions()) {
        if (menu->menu() == nullptr || menu->text() != text(TextId::MenuWindow))
            continue;
        for (QAction* action : menu->menu()->actions())
            if (action->text() == text(item))
                return action;
    }
    return nullptr;
}

struct Place {
    std::string name;
    QWidget* window;
};

std::vector<Place> longLivedWindows(const MainWindow& form) {
    return {{"main", const_cast<MainWindow*>(&form)},
            {"digital", form.digitalMeter()},
            {"analog", form.analogMeter()},
            {"comparator", form.comparator()},
            {"recorder", form.recorder()},
            {"data list", form.dataList()}};
}

// "name x y w h shown" for every long-lived window: the client areas as the
// program sets them, and whether each is open.
std::string placesOf(const MainWindow& form) {
    std::string all;
    for (const Place& p : longLivedWindows(form)) {
        const QRect r = p.window->geometry();
        all += p.name + ' ' + std::to_string(r.x()) + ' ' + std::to_string(r.y()) + ' ' +
               std::to_string(r.width()) + ' ' + std::to_string(r.height()) +
               (p.window->isVisible() ? " shown\n" : " hidden\n");
    }
    return all;
}

std::string describe(const TileRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) +
           "x" + std::to_string(r.height);
}

class WindowPlacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_start.isValid() && m_userDirs.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_start.path());
    }
    void TearDown() override { QDir::setCurrent(m_oldDir); }

    // One run of the program: the application and its main window.
    class Run {
    public:
        explicit Run(UserDialogs& dialogs)
            : m_parts(std::make_unique<MainUnderTest>(
                  std::make_shared<SimulatedMeter>(SimScenario::Demo, false), dialogs)) {}
        MainWindow* operator->() const { return &m_parts->window; }
        MainWindow& operator*() const { return m_parts->window; }
        MainWindow* get() const { return &m_parts->window; }

    private:
        std::unique_ptr<MainUnderTest> m_parts;
    };

    // A run of the program up to its first show, as main() starts it.
    Run start() {
        Run form(m_dialogs);
        form->createWindows();
        form->show();
        if (!form->restoredWindowPlaces())
            form->tileWindows();
        QApplication::processEvents();
        return form;
    }

    QTemporaryDir m_start;
    UserDirectories m_userDirs;
    QString m_oldDir;
    ScriptedDialogs m_dialogs; // every box answered with OK
};

} // namespace

TEST_F(WindowPlacesTest, WindowsOpenedFromTheMenuCoverNeitherTheMainWindowNorEachOther) {
    auto form = start();
    const TileRect area = FreeArea(*form);
    const auto outer = [&](const QWidget* w) { return OuterRect(*w, form.get()); };
    const struct {
        TextId item;
        QWidget* window;
        bool mayOverlap; // far larger than the room left beside the others
    } opened[] = {{TextId::MenuWindowAnalogMeter, form->analogMeter(), false},
                  {TextId::MenuWindowComparator, form->comparator(), false},
                  {TextId::MenuWindowRecorder, form->recorder(), true}};
    for (const auto& o : opened) {
        QAction* action = windowMenuAction(*form, o.item);
        ASSERT_NE(action, nullptr);
        action->trigger();
        ASSERT_TRUE(o.window->isVisible());
        const TileRect at = outer(o.window);
        const std::string what = o.window->windowTitle().toStdString() + " at " + describe(at);
        EXPECT_TRUE(MoveInside(at, area) == at) << what << " leaves " << describe(area);
        EXPECT_FALSE(Overlaps(at, outer(form.get()))) << what << " covers the main window";
        for (const Place& p : longLivedWindows(*form)) {
            if (p.window == o.window || p.window == form.get() || !p.window->isVisible())
                continue;
            if (!o.mayOverlap) {
                EXPECT_FALSE(Overlaps(at, outer(p.window))) << what << " covers " << p.name;
            }
        }
    }
}

TEST_F(WindowPlacesTest, TenRestartsAfterTileLeaveEveryWindowWhereItWas) {
    std::string afterTile;
    {
        auto form = start();
        for (TextId item : {TextId::MenuWindowAnalogMeter, TextId::MenuWindowComparator,
                            TextId::MenuWindowRecorder})
            windowMenuAction(*form, item)->trigger();
        windowMenuAction(*form, TextId::MenuWindowTile)->trigger();
        afterTile = placesOf(*form);
        form->close();
    }
    for (int run = 1; run <= 10; ++run) {
        auto form = start();
        EXPECT_TRUE(form->restoredWindowPlaces());
        EXPECT_EQ(placesOf(*form), afterTile) << "restart " << run;
        form->close();
    }
}

TEST_F(WindowPlacesTest, RecordingViewerIsANormalWindowBelowTheMainWindow) {
    auto form = start();
    windowMenuAction(*form, TextId::MenuWindowRecorder)->trigger();
    bool looked = false;
    QTimer::singleShot(0, form.get(), [&] {
        auto* viewer = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(viewer, nullptr);
        looked = true;
        const Qt::WindowFlags flags = viewer->windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);
        EXPECT_FALSE(flags.testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_LT(viewer->minimumWidth(), viewer->maximumWidth()) << "resizable";
        EXPECT_FALSE(viewer->isFullScreen() || viewer->isMaximized());
        const TileRect at = OuterRect(*viewer, form.get());
        const TileRect area = FreeArea(*form);
        EXPECT_TRUE(MoveInside(at, area) == at) << describe(at);
        EXPECT_FALSE(Overlaps(at, OuterRect(*form, nullptr))) << describe(at);
        EXPECT_LT(at.height, area.height) << "not the whole screen";
        viewer->reject();
    });
    emit form->recorder()->overviewRequested();
    EXPECT_TRUE(looked);
}
