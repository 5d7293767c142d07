// What assistive technology finds in the windows: names of the controls, the live
// readings as text, the recorder graph's description, and commands that work the
// same whether a button is clicked or toggled through its accessible action.
#include "LinkWaits.h"
#include "ScriptedDialogs.h"
#include "UserDirectories.h"
#include "app/Application.h"
#include "app/UserFiles.h"
#include "meter/MeterLink.h"
#include "model/Measurement.h"
#include "model/ReadingRecord.h"
#include "recording/RecorderController.h"
#include "sim/SimulatedMeter.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/live/LiveReadout.h"
#include "ui/live/SpokenReading.h"
#include "ui/main/MainWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace telmora;
using namespace std::chrono_literals;

namespace {

QString accessibleText(QObject* object, QAccessible::Text which) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(which) : QStringLiteral("<no interface>");
}

// Waits until `readout` has passed on texts whose value is `value`.
bool waitForValue(const LiveReadout& readout, const QString& value) {
    QSignalSpy changed(&readout, &LiveReadout::textsChanged);
    while (readout.texts().value != value)
        if (!changed.wait(5000))
            return false;
    return true;
}

Measurement mainReading(const char* text, std::uint32_t function, int exponent = 0) {
    return MeasureDisplay(text, text[0] == '-', function, exponent, DisplayKind::Main);
}

DecodedReply reply(const char* text, std::uint32_t function) {
    DecodedReply r;
    r.main = mainReading(text, function);
    r.sub = MeasureDisplay("", false, 0, 0, DisplayKind::Sub);
    return r;
}

constexpr std::uint32_t kVoltsDc = 0x6;
constexpr std::uint32_t kResistance = 0x80;
constexpr std::uint32_t kCurrentDc = 0x202;

// Walks the accessible tree below `iface` and calls `visit` with every node.
void walk(QAccessibleInterface* iface, const std::function<void(QAccessibleInterface*)>& visit,
          int depth = 0) {
    if (!iface || depth > 30)
        return;
    visit(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), visit, depth + 1);
}

// Every button below `window` that a screen reader lists has a name; the number of them.
int expectNamedButtons(QWidget& window) {
    int buttons = 0;
    walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface* iface) {
        const QAccessible::Role role = iface->role();
        if (role != QAccessible::PushButton && role != QAccessible::CheckBox &&
            role != QAccessible::RadioButton && role != QAccessible::ButtonDropDown &&
            role != QAccessible::ButtonMenu)
            return;
        // Qt's own extension buttons of tool bars and menu bars are the style's business.
        if (iface->object() && iface->object()->objectName().startsWith(QLatin1String("qt_")))
            return;
        ++buttons;
        EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
            << window.objectName().toStdString() << ": "
            << (iface->object() ? iface->object()->objectName().toStdString() : "?");
    });
    return buttons;
}

} // namespace

TEST(SpokenReading, SaysNumberUnitAndModeAsPeopleWriteThem) {
    EXPECT_EQ(SpokenReading(mainReading("1.513", kVoltsDc)), QStringLiteral("1.513 V DC"));
    EXPECT_EQ(SpokenReading(mainReading("-0.002", kVoltsDc)), QStringLiteral("-0.002 V DC"));
    EXPECT_EQ(SpokenReading(mainReading("4.700", kResistance, 3)), QStringLiteral("4.700 k\u03A9"));
    EXPECT_EQ(SpokenReading(mainReading("12.50", kCurrentDc, -6)),
              QStringLiteral("12.50 \u00B5A DC"));
    // A display that shows nothing says nothing.
    EXPECT_EQ(SpokenReading(mainReading("", kVoltsDc)), QString());

    ReadingRecord record;
    record.displayText.assign(" 1.513");
    record.functionCode = kVoltsDc;
    record.prefixText.assign("m");
    record.unitText.assign("V");
    record.modeText.assign("DC");
    EXPECT_EQ(SpokenRecord(record), QStringLiteral("1.513 mV DC"));
}

TEST(LiveReadout, PassesChangesOnAtMostOnceAnIntervalAndHidesThePiecesBehindIt) {
    QWidget display;
    auto* piece = new QWidget(&display);
    piece->setObjectName(QStringLiteral("piece"));
    QString value = QStringLiteral("1");
    LiveReadout readout(
        display, QAccessible::StaticText,
        [&] {
            return LiveReadout::Texts{value, value, QStringLiteral("what")};
        },
        300ms);
    readout.changed();
    EXPECT_EQ(accessibleText(&display, QAccessible::Name), QStringLiteral("1"));
    EXPECT_EQ(accessibleText(&display, QAccessible::Description), QStringLiteral("what"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&display);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->childCount(), 0);

    // Two changes within the interval: the first waits, the second replaces it.
    value = QStringLiteral("2");
    readout.changed();
    value = QStringLiteral("3");
    readout.changed();
    EXPECT_EQ(accessibleText(&display, QAccessible::Value), QStringLiteral("1"));
    QSignalSpy changed(&readout, &LiveReadout::textsChanged);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(accessibleText(&display, QAccessible::Value), QStringLiteral("3"));
}

TEST(LiveDisplaysAccessible, DigitalMeterSpeaksTheReadingAndForgetsItOnUnlink) {
    DigitalMeterWindow window;
    window.setLinked(true);
    window.showReading(reply("1.513", kVoltsDc));
    ASSERT_TRUE(waitForValue(window.readout(), QStringLiteral("1.513 V DC")));
    QWidget* display = window.findChild<QWidget*>(QStringLiteral("displayArea"));
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(accessibleText(display, QAccessible::Name), QStringLiteral("1.513 V DC"));
    EXPECT_EQ(accessibleText(display, QAccessible::Value), QStringLiteral("1.513 V DC"));
    EXPECT_EQ(accessibleText(display, QAccessible::Description), text(TextId::DigitalMeterCaption));

    // The display's seven panels are not listed on their own.
    int unnamed = 0;
    walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface* iface) {
        unnamed += iface->text(QAccessible::Name).isEmpty() ? 1 : 0;
    });
    EXPECT_EQ(unnamed, 0);

    window.setLinked(false);
    ASSERT_TRUE(waitForValue(window.readout(), QString()));
    EXPECT_EQ(accessibleText(display, QAccessible::Name), text(TextId::DigitalMeterCaption));
}

TEST(LiveDisplaysAccessible, AnalogMeterAndComparatorSpeakReadingAndSide) {
    AnalogMeterWindow analog;
    analog.applyReading(mainReading("4.700", kResistance, 3));
    ASSERT_TRUE(waitForValue(analog.readout(), QStringLiteral("4.700 k\u03A9")));
    QWidget* dial = analog.findChild<QWidget*>(QStringLiteral("dialReadout"));
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(accessibleText(dial, QAccessible::Name), QStringLiteral("4.700 k\u03A9"));
    EXPECT_EQ(accessibleText(dial, QAccessible::Description), text(TextId::AnalogMeterCaption));

    ScriptedDialogs dialogs;
    ComparatorWindow comparator(dialogs, 1.0, 0.5);
    QWidget* zone = comparator.findChild<QWidget*>(QStringLiteral("dialReadout"));
    ASSERT_NE(zone, nullptr);
    comparator.applyReading(mainReading("1.513", kVoltsDc));
    ASSERT_TRUE(waitForValue(comparator.readout(), QStringLiteral("1.513 V DC")));
    EXPECT_EQ(accessibleText(zone, QAccessible::Name),
              QStringLiteral("1.513 V DC: above the upper limit"));
    comparator.applyReading(mainReading("0.750", kVoltsDc));
    ASSERT_TRUE(waitForValue(comparator.readout(), QStringLiteral("0.750 V DC")));
    EXPECT_EQ(accessibleText(zone, QAccessible::Name),
              QStringLiteral("0.750 V DC: within the limits"));
    comparator.applyReading(mainReading("0.100", kVoltsDc));
    ASSERT_TRUE(waitForValue(comparator.readout(), QStringLiteral("0.100 V DC")));
    EXPECT_EQ(accessibleText(zone, QAccessible::Name),
              QStringLiteral("0.100 V DC: below the lower limit"));
    EXPECT_EQ(accessibleText(zone, QAccessible::Description), text(TextId::ComparatorCaption));
}

// The main window, its windows and the simulated meter, in a directory of their own.
class AccessibleWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        m_dialogs.onBox = [](const BoxRequest&) { return BoxButton::Ok; };
        m_app = std::make_unique<Application>(
            std::make_shared<SimulatedMeter>(SimScenario::Demo, false),
            LocateUserFiles(QDir::currentPath()));
        m_main = std::make_unique<MainWindow>(*m_app, m_dialogs);
        m_main->createWindows();
    }
    void TearDown() override {
        m_main.reset();
        m_app.reset();
        QDir::setCurrent(m_oldDir);
    }

    static void toggle(QWidget* button) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(iface, nullptr);
        ASSERT_NE(iface->actionInterface(), nullptr);
        ASSERT_TRUE(iface->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::toggleAction()));
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    }

    QTemporaryDir m_dir;
    QString m_oldDir;
    UserDirectories m_userDirs;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Application> m_app;
    std::unique_ptr<MainWindow> m_main;
};

TEST_F(AccessibleWindows, ToolButtonsAreNamedByTheirCommandsAndTakeTheFocusByKey) {
    QList<QToolButton*> tools;
    for (const char* name :
         {"linkButton", "digitalMeterButton", "analogMeterButton", "dataListButton",
          "recorderButton", "comparatorButton", "tileButton", "portButton", "aboutButton"})
        tools << m_main->findChild<QToolButton*>(QLatin1String(name));
    ASSERT_FALSE(tools.contains(nullptr));
    for (QToolButton* b : tools) {
        EXPECT_FALSE(accessibleText(b, QAccessible::Name).isEmpty())
            << b->objectName().toStdString();
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus) << b->objectName().toStdString();
    }
    EXPECT_EQ(accessibleText(m_main->linkButton(), QAccessible::Name), text(TextId::HintLink));
    EXPECT_EQ(accessibleText(m_main->aboutButton(), QAccessible::Name), text(TextId::HintAbout));

    // Tab goes from button to button, and the button with the focus shows it.
    m_main->show();
    m_main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
    QToolButton* link = m_main->linkButton();
    auto* digital = m_main->findChild<QToolButton*>(QStringLiteral("digitalMeterButton"));
    ASSERT_NE(digital, nullptr);
    const QImage unfocused = digital->grab().toImage();
    link->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(link->hasFocus());
    QTest::keyClick(link, Qt::Key_Tab);
    ASSERT_TRUE(digital->hasFocus());
    EXPECT_NE(digital->grab().toImage(), unfocused);
    // Space on the focused button runs its command as a click does.
    QTest::keyClick(digital, Qt::Key_Space);
    EXPECT_TRUE(m_main->digitalMeter()->isVisible());

    EXPECT_GE(expectNamedButtons(*m_main), 9);
    EXPECT_GE(expectNamedButtons(*m_main->comparator()), 2);
    EXPECT_GE(expectNamedButtons(*m_main->recorder()), 16);
    expectNamedButtons(*m_main->dataList());
}

TEST_F(AccessibleWindows, TogglingLinkThroughItsActionLinksAndUnlinks) {
    QToolButton* link = m_main->linkButton();
    toggle(link);
    ASSERT_TRUE(WaitForLink(m_app->link()));
    EXPECT_TRUE(link->isChecked());
    EXPECT_EQ(accessibleText(link, QAccessible::Name), text(TextId::HintUnlink));

    toggle(link);
    EXPECT_FALSE(m_app->link().isLinked());
    EXPECT_FALSE(link->isChecked());
}

TEST_F(AccessibleWindows, TogglingStartAndStopRecordsAndTheGraphDescribesTheReadings) {
    RecorderWindow* recorder = m_main->recorder();
    ASSERT_NE(recorder, nullptr);
    m_main->toggleLink();
    ASSERT_TRUE(WaitForLink(m_app->link()));
    auto* start = recorder->findChild<QToolButton*>(QStringLiteral("startRecordingButton"));
    auto* stop = recorder->findChild<QToolButton*>(QStringLiteral("stopRecordingButton"));
    ASSERT_TRUE(start && stop);

    QSignalSpy added(&recorder->controller(), &RecorderController::sampleAdded);
    toggle(start);
    EXPECT_TRUE(recorder->controller().isRecording());
    EXPECT_TRUE(start->isChecked());
    EXPECT_FALSE(stop->isChecked());
    while (recorder->recording().sampleCount() < 2)
        ASSERT_TRUE(added.wait(10000));

    toggle(stop);
    EXPECT_FALSE(recorder->controller().isRecording());
    EXPECT_FALSE(start->isChecked());
    EXPECT_TRUE(stop->isChecked());

    // The graph tells the newest reading, its time and the range.
    auto* chart = recorder->findChild<ChartWidget*>();
    ASSERT_NE(chart, nullptr);
    const LiveReadout* readout = LiveReadout::of(chart);
    ASSERT_NE(readout, nullptr);
    const QString newest =
        SpokenRecord(recorder->recording().sampleAt(recorder->recording().sampleCount() - 1).main);
    ASSERT_FALSE(newest.isEmpty());
    ASSERT_TRUE(waitForValue(*readout, newest));
    const QString description = accessibleText(chart, QAccessible::Description);
    EXPECT_TRUE(description.startsWith(QStringLiteral("Newest reading ") + newest))
        << description.toStdString();
    EXPECT_TRUE(description.contains(QStringLiteral("lowest"))) << description.toStdString();
    EXPECT_TRUE(description.contains(QStringLiteral("highest"))) << description.toStdString();
    EXPECT_EQ(accessibleText(chart, QAccessible::Value), newest);
}
