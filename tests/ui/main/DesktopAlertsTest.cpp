// Desktop notifications: one per event while no window of the program is active,
// none while one is, none when switched off. The notices are recorded by a fake
// notifier; message boxes are intercepted.
#include "ui/main/DesktopAlerts.h"
#include "LinkWaits.h"
#include "MainUnderTest.h"
#include "ScriptedDialogs.h"
#include "meter/CableAccess.h"
#include "meter/MeterLink.h"
#include "model/IniSettings.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/main/MainWindow.h"

#include "FakeLiveSource.h"
#include "RecordingNotifier.h"
#include "UserDirectories.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace telmora;

namespace {

constexpr std::uint32_t kDcVolts = 0x6;

class DesktopAlertsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_dialogs.onBox = [this](const BoxRequest&) {
            ++m_boxes;
            return BoxButton::Ok;
        };
        // No window of an earlier test is active.
        ASSERT_EQ(QApplication::activeWindow(), nullptr);
    }

    // Makes a window of the program the active one, as when the user works in it.
    static void activate(QWidget& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(DesktopAlerts::applicationActive());
    }

    // A comparator between 1 and 3 V, linked and shown, with the alarm on.
    static void prepare(ComparatorWindow& comparator) {
        comparator.setLinked(true);
        comparator.setAlarmOn(true);
        comparator.setTonePlayer([](int, int) {});
        comparator.show();
    }
    static void read(ComparatorWindow& comparator, const char* volts) {
        comparator.applyReading(
            telmora::MeasureDisplay(volts, false, kDcVolts, 0, telmora::DisplayKind::Main));
    }

    IniSettings& state() { return m_state; }
    MeterLink& link() { return m_link; }

    QTemporaryDir m_dir;
    UserDirectories m_userDirs;
    IniSettings m_state{m_dir.filePath(QStringLiteral("state.ini"))};
    ScriptedDialogs m_dialogs;
    CableAccess m_cable{std::make_shared<SimulatedMeter>(SimScenario::Demo, false)};
    MeterLink m_link{m_cable};
    RecordingNotifier m_notifier;
    int m_boxes = 0;
};

} // namespace

TEST_F(DesktopAlertsTest, ComparatorAlarmTellsEachCrossingOnceWhileTheUserIsElsewhere) {
    DesktopAlerts alerts(state());
    alerts.watchLink(link(), {});
    alerts.setNotifier(&m_notifier);
    ComparatorWindow comparator(m_dialogs, 3.0, 1.0);
    alerts.watchComparator(comparator);
    prepare(comparator);
    // The comparator is shown but not active: the user works in another program.
    ASSERT_FALSE(DesktopAlerts::applicationActive());

    read(comparator, "2.000"); // within the limits
    EXPECT_TRUE(m_notifier.notices.empty());
    read(comparator, "5.000"); // crosses the upper limit
    read(comparator, "6.000"); // still above: the tone sounds again, no second notice
    ASSERT_EQ(m_notifier.notices.size(), 1u);
    EXPECT_EQ(m_notifier.notices[0].summary, QStringLiteral("Comparator alarm"));
    EXPECT_TRUE(m_notifier.notices[0].body.contains(QStringLiteral("above the upper limit of 3 V")))
        << m_notifier.notices[0].body.toStdString();
    read(comparator, "0.500"); // straight to below the lower limit: a crossing of its own
    ASSERT_EQ(m_notifier.notices.size(), 2u);
    EXPECT_TRUE(
        m_notifier.notices[1].body.contains(QStringLiteral("below the lower limit of 1 V")));
    read(comparator, "2.000");
    read(comparator, "4.000"); // back inside, then out again: a new crossing
    EXPECT_EQ(m_notifier.notices.size(), 3u);

    // An unlink puts the value between the limits; the next reading outside is new.
    comparator.setLinked(false);
    comparator.setLinked(true);
    read(comparator, "4.000");
    EXPECT_EQ(m_notifier.notices.size(), 4u);
}

TEST_F(DesktopAlertsTest, ANamedMetersNoticesCarryItsName) {
    DesktopAlerts alerts(state());
    alerts.watchLink(link(), {});
    alerts.setNotifier(&m_notifier);
    ComparatorWindow comparator(m_dialogs, 3.0, 1.0);
    QString name = QStringLiteral("Meter 2");
    alerts.watchComparator(comparator, [&name] { return name; });
    prepare(comparator);
    ASSERT_FALSE(DesktopAlerts::applicationActive());
    read(comparator, "5.000");
    name.clear(); // a meter without a name (the only one) is not named
    read(comparator, "0.500");
    ASSERT_EQ(m_notifier.notices.size(), 2u);
    EXPECT_TRUE(
        m_notifier.notices[0].body.startsWith(QStringLiteral("Meter 2: The reading is above")))
        << m_notifier.notices[0].body.toStdString();
    EXPECT_TRUE(m_notifier.notices[1].body.startsWith(QStringLiteral("The reading is below")));
}

TEST_F(DesktopAlertsTest, NoNoticeWhileTheUserIsHereOrWhenSwitchedOffOrWithTheAlarmOff) {
    DesktopAlerts alerts(state());
    alerts.watchLink(link(), {});
    alerts.setNotifier(&m_notifier);
    ComparatorWindow comparator(m_dialogs, 3.0, 1.0);
    alerts.watchComparator(comparator);
    prepare(comparator);

    activate(comparator);
    read(comparator, "5.000");
    EXPECT_TRUE(m_notifier.notices.empty()) << "the user sees the comparator";
    comparator.hide();
    ASSERT_FALSE(DesktopAlerts::applicationActive());

    alerts.setEnabled(false);
    comparator.show();
    read(comparator, "2.000");
    read(comparator, "5.000");
    EXPECT_TRUE(m_notifier.notices.empty()) << "switched off";

    alerts.setEnabled(true);
    comparator.setAlarmOn(false);
    read(comparator, "2.000");
    read(comparator, "5.000");
    EXPECT_TRUE(m_notifier.notices.empty()) << "no alarm, no notice";
}

TEST_F(DesktopAlertsTest, TheSwitchIsRememberedAndOnAtFirst) {
    {
        DesktopAlerts alerts(state());
        alerts.watchLink(link(), {});
        EXPECT_TRUE(alerts.isEnabled());
        alerts.setEnabled(false);
    }
    IniSettings again(m_dir.filePath(QStringLiteral("state.ini")));
    DesktopAlerts alerts(again);
    alerts.watchLink(link(), {});
    EXPECT_FALSE(alerts.isEnabled());

    // The main window's Window menu entry shows and changes the same switch.
    MainUnderTest parts(std::make_shared<SimulatedMeter>(SimScenario::Demo, false), m_dialogs);
    MainWindow& form = parts.window;
    ASSERT_NE(form.notificationsAction(), nullptr);
    EXPECT_TRUE(form.notificationsAction()->isCheckable());
    EXPECT_TRUE(form.notificationsAction()->isChecked());
    form.notificationsAction()->trigger();
    EXPECT_FALSE(form.desktopAlerts().isEnabled());
    EXPECT_EQ(form.desktopState().value(QStringLiteral("Desktop/Notifications")), false);
}

TEST_F(DesktopAlertsTest, ARecordingStoppedByAnErrorIsToldOthersAreNot) {
    DesktopAlerts alerts(state());
    alerts.watchLink(link(), {});
    alerts.setNotifier(&m_notifier);
    FakeLiveSource source;
    source.linked = true;
    // The temporary folder is a file: the recording cannot get its temporary file.
    const QString notAFolder = m_dir.filePath(QStringLiteral("file"));
    {
        QFile file(notAFolder);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    RecorderController recording(ReadingsOf(source), notAFolder);
    alerts.watchRecording(recording);

    EXPECT_FALSE(recording.startRecording());
    ASSERT_EQ(m_notifier.notices.size(), 1u);
    EXPECT_EQ(m_notifier.notices[0].summary, QStringLiteral("Recording stopped"));
    EXPECT_EQ(m_notifier.notices[0].body, text(TextId::TempFileCreateFailed));

    // Not linked: the start is refused, no recording was stopped.
    QCoreApplication::processEvents(); // a new press of the button, a new event
    source.linked = false;
    EXPECT_FALSE(recording.startRecording());
    EXPECT_EQ(m_notifier.notices.size(), 1u);

    // The error that follows a stop in the same event ended that recording; one
    // that comes later is about something else.
    emit recording.recordingStateChanged(true);
    emit recording.recordingStateChanged(false);
    emit recording.errorRaised(TextId::OutOfMemory, {});
    EXPECT_EQ(m_notifier.notices.size(), 2u);
    QCoreApplication::processEvents(); // the event that stopped it is over
    emit recording.errorRaised(TextId::OutOfMemory, {});
    EXPECT_EQ(m_notifier.notices.size(), 2u);
}

TEST_F(DesktopAlertsTest, ALostCableIsToldOnceBeforeTheMessageBox) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    meter->unplugAfterPolls(5);
    MainUnderTest parts(meter, m_dialogs);
    MainWindow& form = parts.window;
    MeterLink& link = parts.app.link();
    form.setDesktopNotifier(&m_notifier);
    std::size_t noticesAtTheBox = 0;
    m_dialogs.onBox = [&](const BoxRequest&) {
        noticesAtTheBox = m_notifier.notices.size();
        return BoxButton::Ok;
    };
    QSignalSpy ended(&link, &MeterLink::linkedChanged);
    form.toggleLink();
    ASSERT_TRUE(WaitForLink(link));
    while (link.isLinked())
        ASSERT_TRUE(ended.wait(10000));
    ASSERT_EQ(m_notifier.notices.size(), 1u);
    EXPECT_EQ(noticesAtTheBox, 1u) << "the notice goes out before the box waits";
    EXPECT_EQ(m_notifier.notices[0].body, text(TextId::CableNotFound));
}

TEST_F(DesktopAlertsTest, ASilentMeterIsToldOnceAndNothingWhileTheUserIsHere) {
    for (const bool userHere : {false, true}) {
        MainUnderTest parts(std::make_shared<SimulatedMeter>(SimScenario::Silent, false),
                            m_dialogs);
        MainWindow& form = parts.window;
        MeterLink& link = parts.app.link();
        form.setDesktopNotifier(&m_notifier);
        m_notifier.notices.clear();
        if (userHere)
            activate(form);
        QSignalSpy ended(&link, &MeterLink::linkedChanged);
        form.toggleLink();
        ASSERT_TRUE(WaitForLink(link));
        while (link.isLinked())
            ASSERT_TRUE(ended.wait(10000));
        if (userHere) {
            EXPECT_TRUE(m_notifier.notices.empty());
        } else {
            ASSERT_EQ(m_notifier.notices.size(), 1u);
            EXPECT_EQ(m_notifier.notices[0].body, text(TextId::MeterNotAnswering));
        }
        form.hide();
    }
}
