// The main window with several simulated cables: Link all gives every meter its own
// live windows named in their captions, renaming follows, a pulled cable ends only
// its meter's link with a named message, Tile lays every meter's panels out without overlap,
// and one cable keeps the Link menu as it always was.
#include "LinkWaits.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "UserDirectories.h"
#include "app/Meter.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedCables.h"
#include "sim/SimulatedMeter.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/main/LinkCommands.h"
#include "ui/main/MeterWindowSets.h"
#include "ui/main/PanelDock.h"
#include "ui/main/Workspace.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

class SeveralMetersWindow : public ::testing::Test {
protected:
    void makeCables(int count) {
        std::vector<std::shared_ptr<SimulatedMeter>> meters;
        for (int i = 0; i < count; ++i)
            meters.push_back(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
        m_cables = std::make_shared<SimulatedCables>(std::move(meters));
        m_cables->nameCables();
        start(m_cables);
    }
    void start(std::shared_ptr<CableBackend> backend) {
        m_parts = std::make_unique<MainUnderTest>(std::move(backend), m_dialogs,
                                                  LocateUserFiles(m_start.path()));
        m_parts->window.createWindows();
    }
    MainWindow& form() const { return m_parts->window; }
    Application& app() const { return m_parts->app; }
    LiveWindowSet windowsOf(int meter) const { return form().meterWindows()->windowsOf(meter); }

    // The Link menu's entries as the user sees them when it opens.
    QStringList linkMenuTexts() const {
        emit form().linkMenu()->aboutToShow();
        QStringList texts;
        for (QAction* action : form().linkMenu()->actions())
            texts << action->text();
        return texts;
    }
    QAction* linkMenuEntry(const QString& text) const {
        emit form().linkMenu()->aboutToShow();
        for (QAction* action : form().linkMenu()->actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }

    // Every shown panel lies inside the main window and covers no other.
    void expectTiledWithoutOverlap() const {
        const QRect area = form().rect();
        std::vector<QWidget*> windows;
        for (int meter = 0; meter < app().meterCount(); ++meter)
            for (LiveWindowKind kind :
                 {LiveWindowKind::Digital, LiveWindowKind::Analog, LiveWindowKind::Comparator})
                windows.push_back(windowsOf(meter).window(kind));
        windows.push_back(form().dataList());
        windows.push_back(form().recorder());
        const auto inMain = [this](const QWidget* w) {
            return QRect(w->mapTo(&form(), QPoint(0, 0)), w->size());
        };
        // Shown, and in front (a tab behind another lies outside the main window).
        std::erase_if(windows, [&](const QWidget* w) {
            return !w->isVisible() || !inMain(w).intersects(area);
        });
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const QRect a = inMain(windows[i]);
            EXPECT_TRUE(area.contains(a)) << windows[i]->objectName().toStdString();
            for (std::size_t j = i + 1; j < windows.size(); ++j)
                EXPECT_FALSE(a.intersects(inMain(windows[j])))
                    << windows[i]->objectName().toStdString() << " and "
                    << windows[j]->objectName().toStdString();
        }
    }

    UserDirectories m_home;
    QTemporaryDir m_start;
    ScriptedDialogs m_dialogs;
    std::shared_ptr<SimulatedCables> m_cables;
    std::unique_ptr<MainUnderTest> m_parts;
};

TEST_F(SeveralMetersWindow, LinkAllGivesEveryMeterNamedWindowsAndRenamingFollows) {
    makeCables(3);
    form().show();
    ASSERT_EQ(linkMenuTexts().count(QStringLiteral("Meter 2 (5311)")), 1);
    form().linkButton()->click();
    ASSERT_EQ(WaitForLinks(app()), 3);
    EXPECT_TRUE(form().linkButton()->isChecked());
    EXPECT_EQ(form().statusPanel(0)->text(), "3 meters linked");

    for (int i = 0; i < 3; ++i) {
        const LiveWindowSet set = windowsOf(i);
        ASSERT_NE(set.digital, nullptr) << i;
        const QString name = QStringLiteral("Meter %1").arg(i + 1);
        EXPECT_EQ(set.digital->windowTitle(), "Digital Meter : " + name + " : USB Device");
        EXPECT_EQ(set.analog->windowTitle(), "Analog Meter : " + name);
        EXPECT_EQ(set.comparator->windowTitle(), "Comparator : " + name);
        EXPECT_TRUE(set.digital->isVisible()) << i;
    }
    // Each cable's entry shows that it is linked.
    for (const QString entry : {"Meter 1 (5310)", "Meter 2 (5311)", "Meter 3 (5312)"}) {
        QAction* action = linkMenuEntry(entry);
        ASSERT_NE(action, nullptr) << entry.toStdString();
        EXPECT_TRUE(action->isChecked()) << entry.toStdString();
    }

    m_dialogs.textAnswers.push_back(QStringLiteral("Shunt"));
    EXPECT_TRUE(form().linkCommands().renameMeter(1));
    ASSERT_EQ(m_dialogs.texts.size(), 1u);
    EXPECT_EQ(m_dialogs.texts[0].text, "Meter 2");
    EXPECT_EQ(windowsOf(1).analog->windowTitle(), "Analog Meter : Shunt");
    EXPECT_EQ(windowsOf(1).digital->windowTitle(), "Digital Meter : Shunt : USB Device");
    EXPECT_NE(linkMenuEntry(QStringLiteral("Shunt (5311)")), nullptr);
    EXPECT_FALSE(form().linkCommands().renameMeter(2)) << "a cancelled question renames nothing";
    EXPECT_EQ(app().meter(2).name(), "Meter 3");

    // Choosing a linked cable's entry ends that link alone; the windows stay.
    linkMenuEntry(QStringLiteral("Meter 3 (5312)"))->trigger();
    EXPECT_FALSE(app().meter(2).link().isLinked());
    EXPECT_TRUE(app().meter(1).link().isLinked());
    EXPECT_EQ(windowsOf(2).digital->windowTitle(), "Digital Meter : Meter 3 : No Device");
    EXPECT_EQ(form().statusPanel(0)->text(), "2 meters linked");
    // Chosen again, it links that cable to the same meter and windows.
    const DigitalMeterWindow* third = windowsOf(2).digital;
    linkMenuEntry(QStringLiteral("Meter 3 (5312)"))->trigger();
    EXPECT_TRUE(WaitForLink(app().meter(2).link()));
    EXPECT_EQ(app().meterCount(), 3);
    EXPECT_EQ(windowsOf(2).digital, third);
    EXPECT_EQ(third->windowTitle(), "Digital Meter : Meter 3 : USB Device");

    // The menu renames any meter.
    ASSERT_NE(linkMenuEntry(QStringLiteral("Re&name meter")), nullptr);
    QMenu* rename = form().linkCommands().renameMenu();
    ASSERT_NE(rename, nullptr);
    ASSERT_EQ(rename->actions().size(), 3);
    m_dialogs.textAnswers.push_back(QStringLiteral("Probe"));
    rename->actions()[2]->trigger();
    EXPECT_EQ(windowsOf(2).comparator->windowTitle(), "Comparator : Probe");

    // The button now ends every link.
    form().linkButton()->click();
    EXPECT_TRUE(app().linkedMeters().empty());
    EXPECT_FALSE(form().linkButton()->isChecked());
    EXPECT_FALSE(form().statusPanel(0)->isVisibleTo(&form()));
}

TEST_F(SeveralMetersWindow, APulledCableEndsOnlyItsMetersLinkWithANamedMessage) {
    makeCables(2);
    ASSERT_TRUE(form().linkCommands().linkAll());
    WaitForLinks(app());
    ASSERT_EQ(app().meterCount(), 2);
    MeterLink& second = app().meter(1).link();
    QSignalSpy lost(&second, &MeterLink::linkLostNotice);
    m_cables->meter(1).setCablePresent(false);
    ASSERT_TRUE(lost.wait(20000));

    ASSERT_EQ(m_dialogs.boxes.size(), 1u);
    EXPECT_EQ(m_dialogs.boxes[0].text, "Meter 2: " + text(TextId::CableNotFound));
    EXPECT_EQ(m_dialogs.boxes[0].caption, caption(CaptionKind::Error, TextId::CableNotFound));
    EXPECT_TRUE(app().meter(0).link().isLinked()) << "the other meter goes on";
    EXPECT_FALSE(second.isLinked());
    EXPECT_EQ(windowsOf(1).digital->windowTitle(), "Digital Meter : Meter 2 : No Device");
    EXPECT_EQ(windowsOf(0).digital->windowTitle(), "Digital Meter : Meter 1 : USB Device");
    EXPECT_TRUE(form().linkButton()->isChecked());
}

TEST_F(SeveralMetersWindow, AFurtherMeterWaitsForItsCableInItsOwnWindows) {
    makeCables(2);
    form().setReconnectAutomatically(true);
    ASSERT_TRUE(form().linkCommands().linkAll());
    WaitForLinks(app());
    MeterLink& second = app().meter(1).link();
    ASSERT_TRUE(second.reconnectsAutomatically());
    second.setReconnectPause(std::chrono::milliseconds(20));
    QSignalSpy waiting(&second, &MeterLink::waitingForCableChanged);
    m_cables->meter(1).setCablePresent(false);
    ASSERT_TRUE(waiting.wait(20000));
    EXPECT_TRUE(m_dialogs.boxes.empty()) << "no message while waiting";
    EXPECT_EQ(form().statusPanel(0)->text(),
              "2 meters linked; Meter 2: " + translate("MainWindow", "Waiting for the cable…"));
    EXPECT_EQ(windowsOf(1).digital->windowTitle(), "Digital Meter : Meter 2 : No Device");
    EXPECT_EQ(windowsOf(0).digital->windowTitle(), "Digital Meter : Meter 1 : USB Device");

    QSignalSpy readings(&second, &MeterLink::readingReceived);
    m_cables->meter(1).setCablePresent(true);
    ASSERT_TRUE(readings.wait(20000));
    EXPECT_FALSE(second.isWaitingForCable());
    EXPECT_EQ(windowsOf(1).digital->windowTitle(), "Digital Meter : Meter 2 : USB Device");
    EXPECT_EQ(form().statusPanel(0)->text(), "2 meters linked");
}

TEST_F(SeveralMetersWindow, ALinkAfterTheFirstCableWentGivesTheOtherCableBackToItsOwnMeter) {
    makeCables(2);
    ASSERT_TRUE(form().linkCommands().linkAll());
    WaitForLinks(app());
    QSignalSpy lost(&app().link(), &MeterLink::linkLostNotice);
    m_cables->meter(0).setCablePresent(false);
    ASSERT_TRUE(lost.wait(20000));
    ASSERT_EQ(m_dialogs.boxes.size(), 1u);
    EXPECT_EQ(m_dialogs.boxes[0].text, "Meter 1: " + text(TextId::CableNotFound));

    form().linkButton()->click(); // the second meter was still linked: all end
    ASSERT_TRUE(app().linkedMeters().empty());
    form().linkButton()->click();
    WaitForLinks(app());
    EXPECT_FALSE(app().meter(0).link().isLinked()) << "its cable is away";
    EXPECT_TRUE(app().meter(1).link().isLinked());
    EXPECT_EQ(windowsOf(1).digital->windowTitle(), "Digital Meter : Meter 2 : USB Device");
    EXPECT_EQ(app().meter(1).serial(), "5311");
}

TEST_F(SeveralMetersWindow, AFurtherComparatorKeepsItsOwnLimits) {
    makeCables(2);
    ASSERT_TRUE(form().linkCommands().linkAll());
    WaitForLinks(app());
    const double firstHigh = app().settings().highLimit;
    emit windowsOf(1).comparator->limitsChanged(5.0, 1.0);
    EXPECT_EQ(app().meter(1).highLimit(), 5.0);
    EXPECT_EQ(app().meter(1).lowLimit(), 1.0);
    EXPECT_EQ(app().settings().highLimit, firstHigh) << "the first meter's limits stay";
    EXPECT_EQ(form().comparator()->highLimit(), firstHigh);
}

TEST_F(SeveralMetersWindow, TileLaysEveryMetersPanelsOutWithoutOverlap) {
    makeCables(2);
    form().show();
    form().analogMeter()->show();
    form().comparator()->show();
    form().recorder()->show();
    ASSERT_TRUE(form().linkCommands().linkAll());
    WaitForLinks(app());
    const LiveWindowSet further = windowsOf(1);
    ASSERT_TRUE(further.analog->isVisible() && further.comparator->isVisible())
        << "a further meter's windows open like the first meter's";
    form().tileWindows();
    expectTiledWithoutOverlap();

    // The second meter's analog meter and comparator alone still get their places.
    form().analogMeter()->hide();
    form().comparator()->hide();
    form().tileWindows();
    expectTiledWithoutOverlap();
}

TEST_F(SeveralMetersWindow, AFurtherMetersPanelsComeBackAsTheLastRunLeftThem) {
    makeCables(2);
    form().show();
    ASSERT_TRUE(form().linkCommands().linkAll());
    WaitForLinks(app());
    form().workspace()->dockOf(windowsOf(1).window(LiveWindowKind::Digital))->setFloating(true);
    windowsOf(1).analog->show();
    windowsOf(1).comparator->hide();
    windowsOf(1).comparator->setAlarmOn(true);
    ASSERT_TRUE(form().close());
    m_parts.reset();

    start(m_cables);
    form().show();
    ASSERT_TRUE(form().linkCommands().linkAll());
    WaitForLinks(app());
    const LiveWindowSet again = windowsOf(1);
    ASSERT_NE(again.digital, nullptr);
    EXPECT_TRUE(form().workspace()->dockOf(again.window(LiveWindowKind::Digital))->isFloating());
    EXPECT_TRUE(again.digital->isVisible());
    EXPECT_TRUE(again.analog->isVisible());
    EXPECT_FALSE(again.comparator->isVisible());
    EXPECT_TRUE(again.comparator->alarmOn());
    EXPECT_FALSE(windowsOf(0).comparator->alarmOn()) << "each meter has its own alarm switch";
}

TEST_F(SeveralMetersWindow, OneCableKeepsTheLinkMenuAndCaptionsAsBefore) {
    start(std::make_shared<SimulatedMeter>(SimScenario::Demo, false));
    const QStringList before = linkMenuTexts();
    form().linkButton()->click();
    ASSERT_TRUE(WaitForLink(app().link()));
    EXPECT_EQ(linkMenuTexts().size(), before.size());
    EXPECT_FALSE(linkMenuTexts().contains(QStringLiteral("Link &all")));
    EXPECT_EQ(form().digitalMeter()->windowTitle(), "Digital Meter : USB Device");
    EXPECT_EQ(form().analogMeter()->windowTitle(), "Analog Meter");
    EXPECT_FALSE(form().statusPanel(0)->isVisibleTo(&form()));
    form().linkButton()->click();
    EXPECT_FALSE(app().link().isLinked());
}

} // namespace
