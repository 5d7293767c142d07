// Link, unlink and the reaction to a lost cable or a silent meter, with the main
// window, the meter link and the simulated meter. Message boxes are intercepted
// and recorded.
#include "LinkWaits.h"
#include "ScriptedDialogs.h"
#include "app/Application.h"
#include "app/Meter.h"
#include "app/UserFiles.h"
#include "logger/LoggerSessions.h"
#include "meter/CableAccess.h"
#include "meter/CableResult.h"
#include "meter/MeterLink.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/live/LcdPanel.h"
#include "ui/logger/LoggerWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include "UserDirectories.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace telmora;

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
        m_dialogs.onBox = [this](const BoxRequest& r) {
            m_boxes.push_back({r.caption, r.text});
            if (m_onBox)
                m_onBox(r);
            return BoxButton::Ok;
        };
    }
    void TearDown() override { QDir::setCurrent(m_oldDir); }

    // A meter link over a simulated meter of `scenario` (replies at once unless `realTime`).
    std::shared_ptr<SimulatedMeter> use(SimScenario scenario, bool realTime = false) {
        m_meter = std::make_shared<SimulatedMeter>(scenario, realTime);
        start(m_meter);
        return m_meter;
    }
    // The application over `backend`, as main() makes it.
    void start(std::shared_ptr<CableBackend> backend) {
        m_app =
            std::make_unique<Application>(std::move(backend), LocateUserFiles(QDir::currentPath()));
        m_link = &m_app->link();
    }

    // Waits on the link until it has changed state `count` times in all.
    bool waitForLinkChanges(QSignalSpy& spy, int count) {
        while (spy.count() < count)
            if (!spy.wait(10000))
                return false;
        return true;
    }

    int count(TextId id) const {
        int n = 0;
        for (const Box& b : m_boxes)
            n += b.text == text(id) ? 1 : 0;
        return n;
    }

    QTemporaryDir m_dir;
    UserDirectories m_userDirs;
    QString m_oldDir;
    std::vector<Box> m_boxes;
    std::function<void(const BoxRequest&)> m_onBox;
    ScriptedDialogs m_dialogs;
    std::shared_ptr<SimulatedMeter> m_meter;
    std::unique_ptr<Application> m_app;
    MeterLink* m_link = nullptr;
};

} // namespace

TEST_F(LinkTest, LinkWithoutCableShowsOneMessageAndLeavesTheButtonUp) {
    use(SimScenario::NoCable);
    MainWindow form(*m_app, m_dialogs);
    form.linkButton()->click();
    EXPECT_FALSE(WaitForLink(*m_link));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_TRUE(m_boxes[0].text.startsWith(text(TextId::CableNotFound) + QStringLiteral("\n\n")));
    EXPECT_TRUE(m_boxes[0].text.contains(QLatin1String("plugged in")));
    EXPECT_FALSE(m_boxes[0].text.contains(QLatin1String("plugdev")))
        << "no cable at all: the rights are not the question";
    EXPECT_EQ(m_boxes[0].caption, QStringLiteral("Error[E9015]"));
    EXPECT_FALSE(form.linkButton()->isChecked());
    EXPECT_EQ(form.linkAction()->text(), text(TextId::MenuLink));
    EXPECT_TRUE(form.aboutButton()->isEnabled());
    EXPECT_FALSE(m_link->isLinked());
}

TEST_F(LinkTest, LinkDeliversReadingsAndUnlinkEndsTheWorker) {
    auto meter = use(SimScenario::Demo, true);
    MainWindow form(*m_app, m_dialogs);
    QSignalSpy readings(m_link, &MeterLink::readingReceived);
    form.linkButton()->click();
    ASSERT_TRUE(WaitForLink(*m_link));
    EXPECT_TRUE(form.linkButton()->isChecked());
    EXPECT_EQ(form.linkAction()->text(), text(TextId::MenuUnlink));
    EXPECT_FALSE(form.aboutButton()->isEnabled());
    ASSERT_TRUE(readings.wait(2000));
    EXPECT_TRUE(m_link->readingValid());
    EXPECT_EQ(m_link->latestReading().main.unitLabel, "V");

    // The menu command unlinks as the button does.
    QSignalSpy stopped(m_link, &MeterLink::stopped);
    form.linkAction()->trigger();
    EXPECT_FALSE(form.linkButton()->isChecked());
    EXPECT_FALSE(m_link->isLinked());
    EXPECT_EQ(form.linkAction()->text(), text(TextId::MenuLink));
    ASSERT_TRUE(stopped.wait(2000));
    EXPECT_EQ(meter->openDevices(), 0) << "the worker closed its cable";
    EXPECT_TRUE(m_boxes.empty());
    // The reading stays after the unlink.
    EXPECT_EQ(m_link->latestReading().main.unitLabel, "V");
}

TEST_F(LinkTest, UnpluggingWhileLinkedEndsInOneMessageAndTheUnlinkedState) {
    auto meter = use(SimScenario::Demo);
    meter->unplugAfterPolls(5);
    MainWindow form(*m_app, m_dialogs);
    QSignalSpy changes(m_link, &MeterLink::linkedChanged);
    QSignalSpy stopped(m_link, &MeterLink::stopped);
    bool linkedDuringMessage = false;
    m_onBox = [&](const BoxRequest&) { linkedDuringMessage = form.linkButton()->isChecked(); };
    form.linkButton()->click();
    ASSERT_TRUE(waitForLinkChanges(changes, 2));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, text(TextId::CableNotFound));
    EXPECT_TRUE(linkedDuringMessage) << "the message comes first, then the unlink";
    EXPECT_FALSE(form.linkButton()->isChecked());
    EXPECT_FALSE(m_link->readingValid());
    EXPECT_EQ(form.linkAction()->text(), text(TextId::MenuLink));
    // The worker closes its cable on its own thread as it ends.
    ASSERT_TRUE(!stopped.isEmpty() || stopped.wait(2000));
    EXPECT_EQ(meter->openDevices(), 0);
}

#ifdef Q_OS_LINUX
TEST_F(LinkTest, CableThatCannotBeOpenedGetsAdviceOnAccessRights) {
    // The system lists the cable, but opening it is refused.
    struct RefusingBackend final : CableBackend {
        std::vector<HidInterfaceInfo> interfaces() override {
            return {{"/dev/hidraw7", {kCableVendorId, kCableProductId, 0x0100}}};
        }
        std::unique_ptr<CableDevice> open(const std::string&) override { return nullptr; }
    };
    start(std::make_shared<RefusingBackend>());
    MainWindow form(*m_app, m_dialogs);
    form.linkButton()->click();
    EXPECT_FALSE(WaitForLink(*m_link));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].caption, QStringLiteral("Error[E9015]"));
    EXPECT_TRUE(m_boxes[0].text.startsWith(text(TextId::CableNotFound)));
    EXPECT_TRUE(m_boxes[0].text.contains(QLatin1String("70-telmora-cable.rules")));
    EXPECT_TRUE(m_boxes[0].text.contains(QLatin1String(" plugdev\n")));
    EXPECT_FALSE(m_link->isLinked());
}
#endif

TEST_F(LinkTest, SilentMeterIsToldOnceAsMeterNotAnswering) {
    auto meter = use(SimScenario::Silent);
    MainWindow form(*m_app, m_dialogs);
    QSignalSpy changes(m_link, &MeterLink::linkedChanged);
    QSignalSpy stopped(m_link, &MeterLink::stopped);
    form.linkButton()->click();
    ASSERT_TRUE(waitForLinkChanges(changes, 2));
    ASSERT_TRUE(stopped.count() > 0 || stopped.wait(5000));
    // One event, one box: the cable is still there, so the meter does not answer.
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, text(TextId::MeterNotAnswering));
    EXPECT_EQ(m_boxes[0].caption, QStringLiteral("Error[E9019]"));
    EXPECT_EQ(count(TextId::NoDataReceived), 0);
    EXPECT_EQ(count(TextId::CableNotFound), 0);
    EXPECT_FALSE(m_link->isLinked());
    EXPECT_EQ(meter->polls(), 3);
    EXPECT_EQ(meter->openDevices(), 0);
}

// The cable goes after the meter fell silent: then it is the cable.
TEST_F(LinkTest, SilentMeterWhoseCableGoesIsToldOnceAsCableNotFound) {
    auto meter = use(SimScenario::Silent);
    // The cable is pulled as the third poll goes unanswered, before the link looks
    // for it again: connected ahead of the window, whose answer to the notice lets
    // the link look.
    QObject::connect(
        m_link, &MeterLink::noDataNotice, m_link, [&] { meter->setCablePresent(false); },
        Qt::DirectConnection);
    MainWindow form(*m_app, m_dialogs);
    QSignalSpy changes(m_link, &MeterLink::linkedChanged);
    form.linkButton()->click();
    ASSERT_TRUE(waitForLinkChanges(changes, 2));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, text(TextId::CableNotFound));
    EXPECT_EQ(count(TextId::MeterNotAnswering), 0);
}

TEST_F(LinkTest, ClosingWhileLinkedEndsTheWorkerPromptly) {
    for (SimScenario scenario : {SimScenario::Demo, SimScenario::Silent}) {
        auto meter = use(scenario, scenario == SimScenario::Demo);
        QSignalSpy changes(m_link, &MeterLink::linkedChanged);
        {
            MainWindow form(*m_app, m_dialogs);
            form.createWindows();
            form.linkButton()->click();
            ASSERT_TRUE(WaitForLink(*m_link));
            if (scenario == SimScenario::Demo) {
                QSignalSpy readings(m_link, &MeterLink::readingReceived);
                ASSERT_TRUE(readings.wait(2000));
            }
        }
        EXPECT_FALSE(m_link->isLinked());
        m_app.reset();
        EXPECT_EQ(meter->openDevices(), 0);
        EXPECT_EQ(count(TextId::CableNotFound), 0);
    }
}

TEST_F(LinkTest, TheLiveWindowsFollowTheLink) {
    auto meter = use(SimScenario::Demo, true);
    MainWindow form(*m_app, m_dialogs);
    form.show();
    form.createWindows();
    DigitalMeterWindow* digital = form.digitalMeter();
    AnalogMeterWindow* analog = form.analogMeter();
    ComparatorWindow* comparator = form.comparator();
    analog->show();
    comparator->show();
    EXPECT_TRUE(digital->windowTitle().endsWith(QStringLiteral(" : No Device")));
    form.linkButton()->click();
    ASSERT_TRUE(WaitForLink(*m_link));
    EXPECT_TRUE(digital->windowTitle().endsWith(QStringLiteral(" : USB Device")));

    // A slot connected after the windows sees each reading already taken by all three.
    QString digitalText;
    std::uint32_t analogFunction = 0;
    std::uint32_t comparatorFunction = 0;
    QSignalSpy readings(m_link, &MeterLink::readingReceived);
    QObject::connect(m_link, &MeterLink::readingReceived, &form, [&](const DecodedReply& r) {
        digitalText =
            QString::fromLatin1(r.main.text.view().data(), static_cast<int>(r.main.text.size()));
        EXPECT_EQ(digital->readingPanel()->text(), digitalText);
        analogFunction = analog->function();
        comparatorFunction = comparator->function();
    });
    ASSERT_TRUE(readings.wait(2000));
    EXPECT_EQ(analogFunction, m_link->latestReading().main.functionCode());
    EXPECT_EQ(comparatorFunction, m_link->latestReading().main.functionCode());

    QSignalSpy stopped(m_link, &MeterLink::stopped);
    form.linkButton()->click();
    EXPECT_EQ(digital->windowTitle(),
              text(TextId::DigitalMeterCaption) + QStringLiteral(" : No Device"));
    EXPECT_TRUE(digital->readingPanel()->text().isEmpty());
    EXPECT_EQ(analog->scale().counts, 0) << "the analog meter is back at rest";
    // The worker lets go of the cable once its cancelled read has returned.
    ASSERT_TRUE(stopped.wait(2000));
    EXPECT_EQ(meter->openDevices(), 0);
}

// The logger is a panel beside the live displays: the recorder's Import brings it
// up with the link kept, and a download holds the meter's cable, so no reading is
// taken while the memory is read; the status panel says so until polling goes on.
TEST_F(LinkTest, AnImportPausesTheReadingsOfItsMeterAndTheStatusSaysSo) {
    use(SimScenario::Demo, true);
    MainWindow form(*m_app, m_dialogs);
    form.createWindows();
    form.show();
    RecorderWindow* recorder = form.recorder();
    form.linkButton()->click();
    ASSERT_TRUE(WaitForLink(*m_link));
    emit recorder->importRequested();
    auto* logger = qobject_cast<LoggerWindow*>(form.loggerWindow());
    ASSERT_NE(logger, nullptr);
    EXPECT_TRUE(logger->isVisible());
    EXPECT_FALSE(logger->isWindow()) << "a panel of the main window";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(m_link->isLinked());

    // What the status panel says when the pause begins and when it ends (that no
    // poll is made meanwhile, the sessions' own tests show).
    QStringList said;
    CableAccess& cable = m_app->loggerMeter().cable();
    QObject::connect(&cable, &CableAccess::pollingPausedChanged, &form,
                     [&] { said << form.statusPanel(0)->text(); });
    QSignalSpy asked(&m_app->loggerSessions(), &LoggerSessions::downloadConfirmationNeeded);
    logger->importFromMeter();
    ASSERT_TRUE(asked.wait(10000)); // answered "no" by the scripted box
    ASSERT_TRUE(QTest::qWaitFor([&] { return said.size() >= 2; }, 10000));
    EXPECT_TRUE(said[0].contains(QStringLiteral("Readings paused"))) << said[0].toStdString();
    EXPECT_FALSE(said[1].contains(QStringLiteral("Readings paused"))) << said[1].toStdString();
    EXPECT_TRUE(m_link->isLinked()) << "the link goes on after the import";
    QSignalSpy readings(m_link, &MeterLink::readingReceived);
    EXPECT_TRUE(readings.wait(10000));
    form.linkButton()->click();
}
