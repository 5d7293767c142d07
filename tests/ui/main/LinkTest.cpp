// Link, unlink and the reaction to a lost cable, with the main window and the
// simulated meter. Message boxes are intercepted and recorded.
#include "meter/AppState.h"
#include "meter/SharedState.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/common/MessageBox.h"
#include "ui/common/WindowMessages.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/live/LcdPanel.h"
#include "ui/main/AppWindows.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

struct Box {
    QString caption;
    QString text;
};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        App().busy = 0;
        SetBoxInterceptor([this](const BoxRequest& r) {
            m_boxes.push_back({r.caption, r.text});
            if (m_onBox)
                m_onBox();
            return BoxButton::Ok;
        });
    }
    void TearDown() override {
        SetBoxInterceptor(nullptr);
        SetCableBackend(nullptr);
        QDir::setCurrent(m_oldDir);
    }

    std::shared_ptr<SimulatedMeter> use(SimScenario scenario, bool realTime = false) {
        auto meter = std::make_shared<SimulatedMeter>(scenario, realTime);
        SetCableBackend(meter);
        return meter;
    }

    static void click(MainWindow& form) {
        form.sbtnLink->setChecked(!form.sbtnLink->isChecked());
        form.sbtnLinkClick();
    }

    // Serves the event loop until `done` holds or the time is up.
    static bool waitUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = 10s) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }

    int count(TextId id) const {
        int n = 0;
        for (const Box& b : m_boxes)
            n += b.text == text(id) ? 1 : 0;
        return n;
    }

    QTemporaryDir m_dir;
    QString m_oldDir;
    std::vector<Box> m_boxes;
    std::function<void()> m_onBox;
};

} // namespace

TEST_F(LinkTest, LinkWithoutCableShowsOneMessageAndLeavesTheButtonUp) {
    use(SimScenario::NoCable);
    MainWindow form;
    click(form);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, text(TextId::CableNotFound));
    EXPECT_EQ(m_boxes[0].caption, QStringLiteral("Error[E9015]"));
    EXPECT_FALSE(form.sbtnLink->isChecked());
    EXPECT_EQ(form.mnuLink->text(), text(TextId::MenuLink));
    EXPECT_TRUE(form.sbtnAbout->isEnabled());
    EXPECT_FALSE(Shared().linkActive());
}

TEST_F(LinkTest, LinkDeliversReadingsAndUnlinkEndsTheThread) {
    auto meter = use(SimScenario::Demo, true);
    MainWindow form;
    click(form);
    EXPECT_TRUE(form.sbtnLink->isChecked());
    EXPECT_TRUE(Shared().linkActive());
    EXPECT_EQ(form.mnuLink->text(), text(TextId::MenuUnlink));
    EXPECT_FALSE(form.sbtnAbout->isEnabled());
    ASSERT_TRUE(Shared().NewReadingEvent.waitFor(2s));
    EXPECT_TRUE(Shared().readingValid());
    EXPECT_EQ(Shared().copyReading().mainUnitLabel, "V");

    click(form);
    EXPECT_FALSE(form.sbtnLink->isChecked());
    EXPECT_FALSE(Shared().linkActive());
    EXPECT_EQ(form.mnuLink->text(), text(TextId::MenuLink));
    EXPECT_EQ(meter->openDevices(), 0) << "the acquisition thread closed its cable";
    EXPECT_TRUE(m_boxes.empty());
    // The reading stays after the unlink.
    EXPECT_EQ(Shared().copyReading().mainUnitLabel, "V");
}

TEST_F(LinkTest, UnpluggingWhileLinkedEndsInOneMessageAndTheUnlinkedState) {
    auto meter = use(SimScenario::Demo);
    meter->unplugAfterPolls(5);
    MainWindow form;
    click(form);
    ASSERT_TRUE(waitUntil([&] { return !form.sbtnLink->isChecked(); }));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, text(TextId::CableNotFound));
    EXPECT_FALSE(Shared().linkActive());
    EXPECT_FALSE(Shared().readingValid());
    EXPECT_EQ(form.mnuLink->text(), text(TextId::MenuLink));
    EXPECT_EQ(meter->openDevices(), 0);
}

TEST_F(LinkTest, SilentMeterShowsNoDataThenCableNotFound) {
    use(SimScenario::Silent);
    MainWindow form;
    click(form);
    ASSERT_TRUE(waitUntil([&] { return !form.sbtnLink->isChecked(); }));
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[0].text, text(TextId::NoDataReceived));
    EXPECT_EQ(m_boxes[0].caption, QStringLiteral("Error[E9015]"));
    EXPECT_EQ(m_boxes[1].text, text(TextId::CableNotFound));
    EXPECT_FALSE(Shared().linkActive());
}

// The acquisition thread waits in its blocking call for the "No data received."
// box while the user-interface thread unlinks and waits for the thread's end.
TEST_F(LinkTest, UnlinkWhileTheThreadWaitsForItsBoxDoesNotDeadlock) {
    use(SimScenario::Silent);
    MainWindow form;
    click(form);
    // The silent meter fails three polls at once; the thread is now blocked in
    // its notice, which only this thread can show.
    std::this_thread::sleep_for(300ms);
    click(form);
    EXPECT_FALSE(form.sbtnLink->isChecked());
    EXPECT_EQ(count(TextId::NoDataReceived), 1);
    waitUntil([] { return false; }, 100ms); // let the watcher's queued step run
    EXPECT_EQ(count(TextId::CableNotFound), 0)
        << "the user switched the link off: no lost-cable message";
}

// A click or an unlink request that arrives while an unlink waits is ignored;
// the unlink completes once.
TEST_F(LinkTest, RepeatedUnlinkDuringTheWaitIsHarmless) {
    use(SimScenario::Silent);
    MainWindow form;
    click(form);
    std::this_thread::sleep_for(300ms);
    m_onBox = [&] {
        form.sbtnLink->setChecked(true);
        form.sbtnLinkClick();
        QCoreApplication::postEvent(&form, new WindowMessageEvent(WindowMessage::UnlinkRequest));
    };
    click(form);
    m_onBox = nullptr;
    waitUntil([] { return false; }, 100ms); // let the queued request and steps run
    EXPECT_FALSE(form.sbtnLink->isChecked());
    EXPECT_FALSE(Shared().linkActive());
    EXPECT_EQ(count(TextId::NoDataReceived), 1);
    EXPECT_EQ(count(TextId::CableNotFound), 0);
}

// Shut-down while the watcher and the acquisition thread are inside blocking
// calls into the user-interface thread: the window goes without a hang and no
// thread outlives it.
TEST_F(LinkTest, ClosingWhileThreadsWaitForTheUserInterfaceDoesNotDeadlock) {
    auto meter = use(SimScenario::Silent);
    {
        auto form = std::make_unique<MainWindow>();
        click(*form);
        std::this_thread::sleep_for(300ms);
        form.reset();
    }
    EXPECT_EQ(meter->openDevices(), 0);
    EXPECT_EQ(count(TextId::CableNotFound), 0);

    {
        auto form = std::make_unique<MainWindow>();
        Shared().LinkLostEvent.set(); // the watcher now waits for its step
        std::this_thread::sleep_for(100ms);
        form.reset();
    }
    EXPECT_EQ(count(TextId::CableNotFound), 0);
}

TEST_F(LinkTest, ClosingWhileLinkedEndsTheAcquisitionThread) {
    auto meter = use(SimScenario::Demo, true);
    {
        MainWindow form;
        click(form);
        ASSERT_TRUE(Shared().NewReadingEvent.waitFor(2s));
    }
    EXPECT_EQ(meter->openDevices(), 0);
    EXPECT_FALSE(Shared().linkActive());
}

TEST_F(LinkTest, TheLiveWindowsFollowTheLink) {
    auto meter = use(SimScenario::Demo, true);
    MainWindow form;
    form.createWindows();
    DigitalMeterWindow* digital = Windows().DigitalMeterForm;
    ASSERT_NE(digital, nullptr);
    EXPECT_TRUE(digital->windowTitle().endsWith(QStringLiteral(" : No Device")));
    click(form);
    EXPECT_TRUE(digital->windowTitle().endsWith(QStringLiteral(" : USB Device")));
    EXPECT_TRUE(waitUntil([&] { return !digital->DataPanel->text().isEmpty(); }, 3s))
        << "readings reach the digital meter";
    click(form);
    EXPECT_EQ(digital->windowTitle(),
              text(TextId::DigitalMeterCaption) + QStringLiteral(" : No Device"));
    EXPECT_TRUE(digital->DataPanel->text().isEmpty());
    EXPECT_EQ(meter->openDevices(), 0);

    // A lost cable with every window present: one message, then the unlinked state.
    meter->unplugAfterPolls(2);
    click(form);
    ASSERT_TRUE(waitUntil([&] { return !form.sbtnLink->isChecked(); }));
    EXPECT_EQ(count(TextId::CableNotFound), 1);
    EXPECT_TRUE(digital->windowTitle().endsWith(QStringLiteral(" : No Device")));
}
