#include "ScriptedDialogs.h"
#include "app/Settings.h"
#include "text/texts.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorLimitsDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/live/DisplayArt.h"
#include "ui/live/DisplayPlacement.h"
#include "ui/live/LcdPanel.h"
#include "ui/live/SpokenReading.h"
#include "ui/live/ToneGenerator.h"
#include "ui/live/WindowIconEngine.h"
#include "ui/main/PanelDock.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace telmora;

using namespace std::chrono_literals;
using telmora::DecodedReply;

namespace {

bool waitUntil(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A control found by its object name; the test fails when it is missing.
QPushButton* button(const QWidget& window, const char* name) {
    auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QLineEdit* edit(const QWidget& window, const char* name) {
    auto* found = window.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void spin(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct ReadingFields {
    const char* text = " 1.234";
    std::uint32_t function = 0x6;
    const char* part1 = "";
    const char* part2 = "V";
    const char* mode = "DC";
    bool negative = false;
    const char* exponent = "0";
    bool lowBattery = false;
    std::uint32_t subFunction = 0;
    const char* subText = "";
    const char* subPrefix = "";
    const char* subUnit = "";
    const char* subMode = "";
};

DecodedReply makeReading(const ReadingFields& s) {
    DecodedReply r;
    r.main = MeasureDisplay(s.text, s.negative, s.function | (s.lowBattery ? 0x80000000u : 0u),
                            std::stoi(s.exponent), DisplayKind::Main);
    r.main.line.part1.assign(s.part1);
    r.main.line.part2.assign(s.part2);
    r.main.modeLabel.assign(s.mode);
    r.lowBattery = s.lowBattery;
    r.sub = MeasureDisplay(s.subText, false, s.subFunction, 0, DisplayKind::Sub);
    r.sub.modeLabel.assign(s.subMode);
    if (s.subFunction != 0) {
        r.sub.line.part1.assign(s.subPrefix);
        r.sub.line.part2.assign(s.subUnit);
    }
    return r;
}

// The main display showing `text` with the given unit parts.
Measurement mainShowing(const char* text, bool negative, const char* part1, const char* part2,
                        std::uint32_t function) {
    Measurement m = MeasureDisplay(text, negative, function, 0, DisplayKind::Main);
    m.line.part1.assign(part1);
    m.line.part2.assign(part2);
    return m;
}

// The main display showing `text` with the prefix exponent `exponent`.
Measurement mainValue(const char* text, bool negative, int exponent, std::uint32_t function) {
    return MeasureDisplay(text, negative, function, exponent, DisplayKind::Main);
}

class Displays : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialogs.onBox = [this](const telmora::BoxRequest& r) {
            boxes.push_back(r);
            return telmora::BoxButton::Ok;
        };
    }
    telmora::ScriptedDialogs m_dialogs;
    std::vector<telmora::BoxRequest> boxes;
};

// Hands a reading to the linked digital meter, which shows it at once.
void publishAndShow(DigitalMeterWindow& form, const ReadingFields& fields) {
    form.showReading(makeReading(fields));
    ASSERT_EQ(form.readingPanel()->text(), QLatin1String(fields.text));
}

// The comparator's limits in these tests.
constexpr double kHigh = 3.0;
constexpr double kLow = 1.0;

} // namespace

TEST_F(Displays, DigitalMeterPanelsFollowTheReading) {
    DigitalMeterWindow form;
    form.show();
    form.setLinked(true);
    EXPECT_TRUE(form.windowTitle().endsWith(QLatin1String(" : USB Device")));

    // Ohms: the unit panel draws the ohm sign; a volt reading switches back.
    ReadingFields ohm{.text = " 4.700", .function = 0x80, .part1 = "k", .part2 = "W", .mode = ""};
    publishAndShow(form, ohm);
    EXPECT_TRUE(form.unitPanel()->showsOhmSign());
    EXPECT_EQ(form.unitPanel()->displayText(), QString(QChar(0x03A9)));
    EXPECT_EQ(form.prefixPanel()->text(), QLatin1String("k"));
    const int firstIcon = form.iconNumber();

    ReadingFields volts{.text = " 1.234", .function = 0x6, .part2 = "V", .mode = "DC"};
    publishAndShow(form, volts);
    EXPECT_FALSE(form.unitPanel()->showsOhmSign());
    EXPECT_EQ(form.unitPanel()->displayText(), QLatin1String("V"));
    EXPECT_EQ(form.modePanel()->text(), QLatin1String("DC"));
    EXPECT_NE(form.iconNumber(), firstIcon) << "the icon alternates with every reading";

    // Decibel-milliwatt: "dB" then "m".
    ReadingFields dbm{.text = "-12.0", .function = 0x2000, .part1 = "dB", .part2 = "m", .mode = ""};
    publishAndShow(form, dbm);
    EXPECT_EQ(form.prefixPanel()->text(), QLatin1String("dB"));
    EXPECT_EQ(form.unitPanel()->text(), QLatin1String("m"));

    // Low battery on and off again.
    ReadingFields low = volts;
    low.text = " 1.111";
    low.lowBattery = true;
    publishAndShow(form, low);
    EXPECT_EQ(form.lowBatteryPanel()->text(), QLatin1String("LB"));
    EXPECT_EQ(form.lowBatteryPanel()->background(), QColor(255, 0, 0));
    publishAndShow(form, volts);
    EXPECT_TRUE(form.lowBatteryPanel()->text().isEmpty());
    EXPECT_EQ(form.lowBatteryPanel()->background(), QColor(Qt::black));

    // Sub display: shown with prefix and unit, empty when the sub function is 0.
    ReadingFields withSub{.text = " 2.345",
                          .function = 0x5,
                          .part2 = "V",
                          .mode = "AC",
                          .subFunction = 0x400,
                          .subText = "50.00",
                          .subPrefix = "",
                          .subUnit = "Hz",
                          .subMode = ""};
    publishAndShow(form, withSub);
    EXPECT_EQ(form.subReadingPanel()->text(), QLatin1String("50.00Hz"));
    ReadingFields noSub = withSub;
    noSub.text = " 2.346";
    noSub.subFunction = 0;
    publishAndShow(form, noSub);
    EXPECT_TRUE(form.subReadingPanel()->text().isEmpty());
    EXPECT_TRUE(form.subModePanel()->text().isEmpty());

    // Unlink blanks the window; caption back to " : No Device".
    form.setLinked(false);
    EXPECT_TRUE(form.readingPanel()->text().isEmpty());
    for (const telmora::LcdPanel* p :
         {form.prefixPanel(), form.unitPanel(), form.modePanel(), form.lowBatteryPanel(),
          form.subModePanel(), form.subReadingPanel()})
        EXPECT_TRUE(p->text().isEmpty()) << p->objectName().toStdString();
    EXPECT_EQ(form.iconNumber(), 2);
    EXPECT_EQ(form.windowTitle(),
              telmora::text(TextId::DigitalMeterCaption) + QLatin1String(" : No Device"));
}

TEST_F(Displays, DigitalIconAlternatesWhereItShows) {
    QMainWindow main;
    auto* form = new DigitalMeterWindow;
    auto* dock = new PanelDock(form, QStringLiteral("digitalMeterPanel"), false, &main);
    main.addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->show();
    main.show();
    form->setLinked(true);
    const auto iconKeyAfterReading = [&] {
        publishAndShow(*form, ReadingFields{});
        return dock->windowIcon().cacheKey();
    };

    // Docked, neither the panel nor its tab shows an icon: nothing changes.
    const qint64 docked = dock->windowIcon().cacheKey();
    EXPECT_EQ(iconKeyAfterReading(), docked);
    EXPECT_EQ(iconKeyAfterReading(), docked);

    // Floated, the window shows the latest reading's icon and alternates with each.
    dock->setFloating(true);
    const qint64 floated = dock->windowIcon().cacheKey();
    EXPECT_NE(floated, docked) << "the icon of the reading shown, not of the first";
    const qint64 next = iconKeyAfterReading();
    EXPECT_NE(next, floated);
    EXPECT_EQ(iconKeyAfterReading(), floated);

    // Docked again, the last one stays.
    dock->setFloating(false);
    EXPECT_EQ(iconKeyAfterReading(), floated);
}

namespace {

// Counts the window's repaints and the paints of one widget.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        repaints += event->type() == QEvent::UpdateRequest ? 1 : 0;
        paints += watched == painted && event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    QObject* painted = nullptr;
    int repaints = 0;
    int paints = 0;
};

} // namespace

TEST_F(Displays, ADigitalPanelBehindAnotherTabRepaintsOnlyWhenBroughtToTheFront) {
    QMainWindow main;
    main.resize(800, 600);
    std::array<DigitalMeterWindow*, 2> forms{new DigitalMeterWindow, new DigitalMeterWindow};
    std::array<PanelDock*, 2> docks{};
    for (std::size_t i = 0; i < forms.size(); ++i) {
        docks[i] = new PanelDock(forms[i], QStringLiteral("digital%1").arg(i), false, &main);
        main.addDockWidget(Qt::LeftDockWidgetArea, docks[i]);
        docks[i]->show();
        forms[i]->setLinked(true);
    }
    main.tabifyDockWidget(docks[0], docks[1]);
    docks[0]->raise();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    spin(50);

    PaintCounter counter;
    auto* behind = forms[1]->findChild<LcdPanel*>(QStringLiteral("DataPanel"));
    ASSERT_NE(behind, nullptr);
    counter.painted = behind;
    main.installEventFilter(&counter);
    behind->installEventFilter(&counter);
    ReadingFields reading;
    reading.text = " 7.531";
    publishAndShow(*forms[1], reading);
    spin(50);
    EXPECT_EQ(counter.repaints, 0) << "nothing of the panel behind is in sight";

    docks[1]->raise();
    EXPECT_TRUE(waitUntil([&] { return counter.paints > 0; })) << "in front, it paints";
    EXPECT_EQ(behind->text(), QStringLiteral(" 7.531"));
}

TEST_F(Displays, ReadingsWhileUnlinkedAreNotShown) {
    DigitalMeterWindow digital;
    AnalogMeterWindow analog;
    ComparatorWindow comparator(m_dialogs, kHigh, kLow);
    digital.show();
    analog.show();
    comparator.show();
    const DecodedReply reading = makeReading({.text = " 9.999"});
    digital.showReading(reading);
    analog.showReading(reading);
    comparator.showReading(reading);
    EXPECT_TRUE(digital.readingPanel()->text().isEmpty());
    EXPECT_EQ(analog.scale().counts, 0);
    EXPECT_EQ(comparator.value(), 0.0f);

    // After an unlink a late reading is not shown either.
    for (bool linked : {true, false}) {
        digital.setLinked(linked);
        analog.setLinked(linked);
        comparator.setLinked(linked);
    }
    digital.showReading(reading);
    analog.showReading(reading);
    EXPECT_TRUE(digital.readingPanel()->text().isEmpty());
    EXPECT_EQ(analog.scale().counts, 0);
}

TEST_F(Displays, AnalogMeterAndComparatorFollowDecodedReplysOnlyWhileShown) {
    AnalogMeterWindow analog;
    ComparatorWindow comparator(m_dialogs, kHigh, kLow);
    analog.setLinked(true);
    comparator.setLinked(true);
    const DecodedReply reading = makeReading({.text = " 2.000", .function = 0x6});
    analog.showReading(reading);
    comparator.showReading(reading);
    EXPECT_EQ(analog.scale().counts, 0) << "hidden: the reading is dropped";
    EXPECT_EQ(comparator.value(), 0.0f);

    analog.show();
    comparator.show();
    analog.showReading(reading);
    comparator.showReading(reading);
    const long counts = analog.scale().counts;
    EXPECT_GT(counts, 0);
    EXPECT_EQ(comparator.value(), 2.0f);

    analog.showMinimized();
    analog.showReading(makeReading({.text = " 1.000", .function = 0x6}));
    EXPECT_EQ(analog.scale().counts, counts) << "minimised: the reading is dropped";
}

TEST_F(Displays, AnalogMeterScaleLabelsSignAndReset) {
    AnalogMeterWindow form;
    form.show();
    form.applyReading(mainShowing(" 1.234", false, "", "V", 0x5));
    EXPECT_EQ(form.scaleImage(), 100);
    EXPECT_FALSE(form.unitPanel()->showsOhmSign());

    form.applyReading(mainShowing("- 1.000", true, "k", "W", 0x80));
    EXPECT_EQ(form.scaleImage(), 60);
    EXPECT_TRUE(form.unitPanel()->showsOhmSign());
    EXPECT_EQ(form.unitPanel()->displayText(), QString(QChar(0x03A9)));
    EXPECT_TRUE(form.negative());
    EXPECT_EQ(form.multiplierPanel()->text(), QLatin1String("x1"));
    const double angle = form.needleAngle();
    EXPECT_NEAR(angle, 180 - (1000 * 0.02 + 30), 1e-9);
    // The needle sweeps and settles on the new angle.
    EXPECT_TRUE(waitUntil([&] { return !form.sweeping(); }));
    EXPECT_EQ(form.shownNeedleAngle(), angle);

    form.applyReading(mainShowing(" 25C", false, "", "", 0x8020));
    EXPECT_EQ(form.scaleImage(), 200);
    EXPECT_EQ(form.unitPanel()->text(), QStringLiteral("\u00B0C"));
    EXPECT_FALSE(form.unitPanel()->showsOhmSign());
    EXPECT_EQ(form.multiplierPanel()->text(), QLatin1String("x10"));

    form.setLinked(false);
    EXPECT_EQ(form.scale().fullScale, 2000);
    EXPECT_EQ(form.scale().counts, 0);
    EXPECT_TRUE(waitUntil([&] {
        return form.needleAngle() == telmora::kNeedleZero && !form.sweeping() &&
               form.shownNeedleAngle() == telmora::kNeedleZero;
    }));
    EXPECT_EQ(form.multiplierPanel()->text(), QLatin1String("x100"));
    EXPECT_TRUE(form.prefixPanel()->text().isEmpty());

    // Hidden: the values are reset at once, no message is needed.
    form.applyReading(mainShowing(" 5.000", false, "", "V", 0x6));
    form.hide();
    form.setLinked(false);
    EXPECT_EQ(form.shownNeedleAngle(), telmora::kNeedleZero);
}

TEST_F(Displays, ComparatorNeedleAlarmAndReset) {
    ComparatorWindow form(m_dialogs, kHigh, kLow);
    form.show();
    EXPECT_EQ(form.highLimit(), 3.0);
    EXPECT_EQ(form.lowLimit(), 1.0);
    EXPECT_EQ(form.highLimitPanel()->text(), QLatin1String("3"));
    std::vector<std::pair<int, int>> tones;
    form.setTonePlayer([&](int hz, int ms) { tones.emplace_back(hz, ms); });

    const auto feed = [&](const char* text, bool negative = false) {
        form.applyReading(mainValue(text, negative, 0, 0x6));
    };
    feed("2.000");
    EXPECT_DOUBLE_EQ(form.needleAngle(), 90);
    feed("3.000");
    EXPECT_DOUBLE_EQ(form.needleAngle(), 70);
    feed("5.000");
    EXPECT_DOUBLE_EQ(form.needleAngle(), 50);
    feed("-1.000", true);
    EXPECT_DOUBLE_EQ(form.needleAngle(), 130);
    EXPECT_TRUE(tones.empty()) << "the alarm is off at creation";

    button(form, "alarmButton")->click();
    EXPECT_EQ(button(form, "alarmButton")->text(), QLatin1String("ON"));
    feed("5.000");
    feed("1.000");
    feed("0.500");
    feed("3.000");
    ASSERT_EQ(tones.size(), 2u);
    EXPECT_EQ(tones[0], std::make_pair(1047, 100));
    EXPECT_EQ(tones[1], std::make_pair(523, 100));
    button(form, "alarmButton")->click();
    EXPECT_EQ(button(form, "alarmButton")->text(), QLatin1String("OFF"));

    form.applyReading(mainValue("10.00", false, -9, 0x8));
    EXPECT_FLOAT_EQ(form.value(), 0.01f);
    EXPECT_EQ(form.highPrefixPanel()->text(), QLatin1String("u"));
    EXPECT_EQ(form.highUnitPanel()->text(), QLatin1String("F"));

    form.setLinked(false);
    EXPECT_FLOAT_EQ(form.value(), 2.0f);
    EXPECT_TRUE(waitUntil([&] { return form.needleAngle() == 90.0 && !form.sweeping(); }));
    EXPECT_EQ(form.shownNeedleAngle(), 90.0);
}

// Temperatures are written with the degree sign in the windows, whichever way the
// display writes them (a lettered "51.1C" or a bare scale); the limits carry it too.
TEST_F(Displays, TemperaturesAreWrittenInDegrees) {
    EXPECT_EQ(DegreeUnit(0x8020), QStringLiteral("\u00B0C"));
    EXPECT_EQ(DegreeUnit(0x4040), QStringLiteral("\u00B0F"));
    EXPECT_EQ(DegreeUnit(0x20), QStringLiteral("\u00B0C"));
    EXPECT_EQ(DegreeUnit(0x80000040u), QStringLiteral("\u00B0F")); // low battery bit
    EXPECT_TRUE(DegreeUnit(0x8000).isEmpty());                     // an input without a scale
    EXPECT_TRUE(DegreeUnit(0x6).isEmpty());
    EXPECT_EQ(WithoutDegreeLetter(0x8020, QStringLiteral(" 51.1C")), QStringLiteral("51.1"));
    EXPECT_EQ(WithoutDegreeLetter(0x8040, QStringLiteral("-3.0F")), QStringLiteral("-3.0"));
    // Only the letter of the function's own scale goes; other texts stay whole.
    EXPECT_EQ(WithoutDegreeLetter(0x8020, QStringLiteral("51.1F")), QStringLiteral("51.1F"));
    EXPECT_EQ(WithoutDegreeLetter(0x6, QStringLiteral("1.5C")), QStringLiteral("1.5C"));

    ComparatorWindow form(m_dialogs, kHigh, kLow);
    form.show();
    form.setTonePlayer([](int, int) {});
    button(form, "alarmButton")->click();
    QSignalSpy alarms(&form, &ComparatorWindow::alarmRaised);
    form.applyReading(mainShowing(" 25C", false, "", "", 0x8020));
    ASSERT_EQ(alarms.count(), 1);
    EXPECT_EQ(alarms[0][1].toString(), QStringLiteral("3 \u00B0C"));
    EXPECT_EQ(form.highUnitPanel()->displayText(), QStringLiteral("\u00B0C"));
    EXPECT_FALSE(form.highUnitPanel()->showsOhmSign());
    EXPECT_TRUE(form.highPrefixPanel()->displayText().isEmpty());
    form.applyReading(mainShowing(" 77F", false, "", "", 0x8040));
    EXPECT_EQ(form.highUnitPanel()->displayText(), QStringLiteral("\u00B0F"));
    // Back to volts: the volt's own labels.
    form.applyReading(mainValue("2.000", false, 0, 0x6));
    EXPECT_NE(form.highUnitPanel()->displayText(), QStringLiteral("\u00B0F"));

    // The digital meter: the number without its letter, the unit in degrees.
    DigitalMeterWindow digital;
    digital.show();
    digital.setLinked(true);
    digital.showReading(
        makeReading({.text = " 51.1C", .function = 0x8020, .part2 = "C", .mode = ""}));
    EXPECT_EQ(digital.readingPanel()->text(), QStringLiteral(" 51.1"));
    EXPECT_EQ(digital.unitPanel()->text(), QStringLiteral("\u00B0C"));
    digital.showReading(makeReading({.text = " 1.234"}));
    EXPECT_EQ(digital.unitPanel()->text(), QStringLiteral("V")) << "volts as before";

    // The limit dialog writes the limits of a temperature in degrees too.
    ComparatorLimitsDialog limits(m_dialogs);
    limits.setup(0x8040, 80, 20, QString(), QString());
    limits.show();
    EXPECT_EQ(limits.highUnitText(), QStringLiteral("\u00B0F"));
}

TEST_F(Displays, HiddenComparatorIgnoresReadingsAndStaysSilent) {
    DigitalMeterWindow digital;
    ComparatorWindow comparator(m_dialogs, kHigh, kLow);
    std::vector<int> tones;
    comparator.setTonePlayer([&](int hz, int) { tones.push_back(hz); });
    button(comparator, "alarmButton")->click();
    digital.setLinked(true);
    comparator.setLinked(true);
    const DecodedReply reading = makeReading({.text = " 9.000"});
    digital.showReading(reading);
    comparator.showReading(reading);
    EXPECT_EQ(digital.readingPanel()->text(), QLatin1String(" 9.000"));
    EXPECT_TRUE(tones.empty());
    EXPECT_EQ(comparator.value(), 0.0f);
}

TEST_F(Displays, LimitDialogRejectsBadInputAndKeepsGoodLimits) {
    ComparatorLimitsDialog dialog(m_dialogs);
    dialog.setup(0x80, 3, 1, QString(), QStringLiteral("W"));
    dialog.show();
    EXPECT_EQ(edit(dialog, "highLimitEdit")->text(), QLatin1String("3"));
    EXPECT_TRUE(dialog.unitShowsOhmSign());
    EXPECT_EQ(dialog.highUnitText(), QString(QChar(0x03A9)));

    edit(dialog, "highLimitEdit")->setText(QStringLiteral("abc"));
    button(dialog, "okButton")->click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, telmora::errorCaption(TextId::InvalidFloatValue));
    EXPECT_EQ(boxes[0].text, telmora::text(TextId::InvalidFloatValue));
    EXPECT_TRUE(dialog.isVisible());

    edit(dialog, "highLimitEdit")->setText(QStringLiteral("2"));
    edit(dialog, "lowLimitEdit")->setText(QStringLiteral("1,5"));
    button(dialog, "okButton")->click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, telmora::errorCaption(TextId::InvalidFloatValue));

    edit(dialog, "lowLimitEdit")->setText(QStringLiteral("2"));
    button(dialog, "okButton")->click();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].caption, telmora::errorCaption(TextId::LimitsUnacceptable));
    EXPECT_TRUE(dialog.isVisible());

    edit(dialog, "highLimitEdit")->setText(QStringLiteral(" 12.5 "));
    edit(dialog, "lowLimitEdit")->setText(QStringLiteral("-0.25"));
    button(dialog, "okButton")->click();
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.highLimit(), 12.5);
    EXPECT_EQ(dialog.lowLimit(), -0.25);
}

// The limits a missing or unreadable settings file leaves are ones the dialog takes.
TEST_F(Displays, LimitDialogAcceptsTheDefaultLimits) {
    ComparatorLimitsDialog dialog(m_dialogs);
    dialog.setup(0x6, kSettingsDefaults.highLimit, kSettingsDefaults.lowLimit, QString(),
                 QStringLiteral("V"));
    dialog.show();
    EXPECT_EQ(edit(dialog, "highLimitEdit")->text(), QLatin1String("300"));
    EXPECT_EQ(edit(dialog, "lowLimitEdit")->text(), QLatin1String("100"));
    button(dialog, "okButton")->click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.highLimit(), 300.0);
    EXPECT_EQ(dialog.lowLimit(), 100.0);
}

TEST_F(Displays, ComparatorWritesNewLimitsBack) {
    ComparatorWindow form(m_dialogs, kHigh, kLow);
    form.show();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<ComparatorLimitsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        edit(*dialog, "highLimitEdit")->setText(QStringLiteral("10"));
        edit(*dialog, "lowLimitEdit")->setText(QStringLiteral("0.5"));
        button(*dialog, "okButton")->click();
    });
    QSignalSpy changed(&form, &ComparatorWindow::limitsChanged);
    button(form, "limitsButton")->click();
    EXPECT_EQ(form.highLimit(), 10.0);
    EXPECT_EQ(form.lowLimit(), 0.5);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toDouble(), 10.0);
    EXPECT_EQ(changed.at(0).at(1).toDouble(), 0.5);
    EXPECT_EQ(form.highLimitPanel()->text(), QLatin1String("10"));
    EXPECT_EQ(form.lowLimitPanel()->text(), QLatin1String("0.5"));
}

// True when the picture shows something: not every pixel has the colour of the first.
static bool HasDetail(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb first = argb.pixel(0, 0);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (line[x] != first)
                return true;
    }
    return false;
}

// Renders each window and picture at 100 % and 200 % and checks that each shows
// something. With TELMORA_RENDER_DIR set the pictures are also written there as
// PNG files, for looking at them.
TEST_F(Displays, WindowsAndArtRenderWithContent) {
    const QString dir = qEnvironmentVariable("TELMORA_RENDER_DIR");
    const auto save = [&](QWidget& w, const QString& name) {
        for (int dpr : {1, 2}) {
            QImage image(w.size() * dpr, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(dpr);
            image.fill(Qt::white);
            w.render(&image);
            EXPECT_TRUE(HasDetail(image)) << name.toStdString() << " @" << dpr;
            if (!dir.isEmpty())
                image.save(QStringLiteral("%1/displays-%2@%3x.png").arg(dir, name).arg(dpr));
        }
    };
    DigitalMeterWindow digital;
    digital.resize(480, 255);
    digital.show();
    digital.setLinked(true);
    digital.showReading(makeReading({.text = "-12.34",
                                     .function = 0x1000005,
                                     .part1 = "m",
                                     .part2 = "V",
                                     .mode = "AC",
                                     .negative = true,
                                     .lowBattery = true,
                                     .subFunction = 0x400,
                                     .subText = "50.00",
                                     .subPrefix = "k",
                                     .subUnit = "Hz"}));
    ASSERT_EQ(digital.readingPanel()->text(), QLatin1String("-12.34"));
    save(digital, QStringLiteral("digital"));

    AnalogMeterWindow analog;
    analog.show();
    analog.applyReading(mainShowing(" 3.456", false, "k", "W", 0x80));
    ASSERT_TRUE(waitUntil([&] { return !analog.sweeping(); }));
    save(analog, QStringLiteral("analog"));
    analog.applyReading(mainShowing("-7.50", true, "", "V", 0x6));
    ASSERT_TRUE(waitUntil([&] { return !analog.sweeping(); }));
    save(analog, QStringLiteral("analog-10"));

    ComparatorWindow comparator(m_dialogs, kHigh, kLow);
    comparator.show();
    comparator.applyReading(mainValue("2.600", false, 0, 0x6));
    ASSERT_TRUE(
        waitUntil([&] { return comparator.shownNeedleAngle() == comparator.needleAngle(); }));
    save(comparator, QStringLiteral("comparator"));

    ComparatorLimitsDialog dialog(m_dialogs);
    dialog.setup(0x8, 3, 1, QStringLiteral("u"), QStringLiteral("F"));
    dialog.show();
    save(dialog, QStringLiteral("limits"));
    dialog.hide();

    for (int id : {11, 60, 100, 200, 17, 18, 12, 16}) {
        const QImage image = telmora::art::Render(id, 4);
        ASSERT_FALSE(image.isNull()) << id;
        EXPECT_TRUE(HasDetail(image)) << id;
        if (!dir.isEmpty())
            image.save(QStringLiteral("%1/art-%2@4x.png").arg(dir).arg(id));
    }
}

TEST(ToneGenerator, PlaysOrFallsBackWithoutFailing) {
    // On a machine without audio output this rings the bell; with one it starts
    // a tone. Either way it returns at once and bad requests are ignored.
    telmora::ToneGenerator tone;
    QElapsedTimer timer;
    timer.start();
    tone.play(1047, 100);
    tone.play(523, 100);
    tone.play(0, 100);
    tone.play(440, -5);
    EXPECT_LT(timer.elapsed(), 1000);
    spin(150);
}

TEST(WindowIconEngine, HandsOutTheWindowSystemsFormatNeverLarger) {
    const QIcon source = telmora::DisplayIcon(QStringLiteral("icon8"));
    const QIcon icon = telmora::WindowIconEngine::prepared(source);
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    for (int side : {16, 32}) {
        const QImage image = icon.pixmap(QSize(side, side), 1.0).toImage();
        // Straight ARGB: taken as it is, without a conversion on every change.
        EXPECT_EQ(image.format(), QImage::Format_ARGB32) << side;
        EXPECT_EQ(
            image,
            source.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32))
            << side;
    }
    EXPECT_EQ(icon.pixmap(QSize(24, 24), 1.0).size(), QSize(16, 16));
    EXPECT_EQ(icon.pixmap(QSize(64, 48), 1.0).size(), QSize(32, 32));
    EXPECT_EQ(icon.pixmap(QSize(8, 8), 1.0).size(), QSize(8, 8));
    EXPECT_TRUE(icon.pixmap(QSize(0, 0), 1.0).isNull());
    EXPECT_TRUE(telmora::WindowIconEngine::prepared(QIcon()).isNull());
}
