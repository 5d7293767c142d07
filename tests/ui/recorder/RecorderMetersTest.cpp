#include "FakeLiveSource.h"
#include "ScriptedDialogs.h"
#include "recorderwindowprobe.h"
#include "recording/RecorderController.h"
#include "recording/RecordingLimits.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/StatisticsPanel.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/LimitCountsView.h"
#include "ui/recorder/MathChannelDialog.h"
#include "ui/recorder/MeterStatisticsPanels.h"
#include "ui/recorder/RecorderWindow.h"
#include "ui/recorder/RecordingOverview.h"
#include "ui/recorder/recorderfiles.h"
#include "ui/recorder/recordertraces.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>

using namespace telmora;

namespace {

// A recorder window over one simulated meter with a few samples of 1.5 V.
struct MetersFixture : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FakeLiveSource live;
    std::unique_ptr<RecorderController> controller;
    std::unique_ptr<RecorderWindow> form;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        controller = std::make_unique<RecorderController>(ReadingsOf(live), dir.path());
        form = std::make_unique<RecorderWindow>(dialogs, *controller);
        DecodedReply r;
        r.main = MeasureDisplay(" 1.500", false, 0x6, 0, DisplayKind::Main);
        live.reading = r;
        live.valid = true;
        for (int i = 0; i < 3; ++i)
            controller->takeScheduledSample();
    }
    void TearDown() override {
        form.reset();
        controller.reset();
    }
    RecorderWindowProbe probe() const { return RecorderWindowProbe(*form); }
    QLabel& readings() const { return *form->findChild<QLabel*>("traceReadingsLabel"); }

    // Runs the menu command with `expression` typed into its dialog, then OK.
    void defineMath(const QString& expression) {
        QAction* command = form->findChild<QAction*>("mathChannelAction");
        ASSERT_NE(command, nullptr);
        QTimer::singleShot(0, form.get(), [this, expression] {
            MathChannelDialog& dialog = form->mathChannelDialog();
            dialog.expressionEdit().setText(expression);
            dialog.findChild<QPushButton*>("okButton")->click();
        });
        command->trigger();
    }
};

} // namespace

TEST_F(MetersFixture, OneMeterLooksAsBefore) {
    EXPECT_EQ(probe().chart().traceCount(), 0);
    EXPECT_FALSE(probe().chart().legendShown());
    EXPECT_FALSE(readings().isVisibleTo(form.get()));
    EXPECT_EQ(form->findChildren<StatisticsPanel*>().size(), 1);
}

TEST_F(MetersFixture, TheLimitCountsShowUnderTheStatisticsOnlyWithLimits) {
    const LimitCountsView* view = form->findChild<LimitCountsView*>(QStringLiteral("meterLimits1"));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->isVisibleTo(form.get())) << "no limits given";
    RecordingLimits& limits = controller->limitCounts();
    QSignalSpy counted(&limits, &RecordingLimits::countsChanged);
    limits.setLimits({LimitTest(1.6, 2.2, LimitUnits::Comparator)});
    EXPECT_EQ(view->figureText(1), QStringLiteral("\u2013")) << "counting";
    while (limits.pending())
        ASSERT_TRUE(counted.wait(10000));
    EXPECT_TRUE(view->isVisibleTo(form.get()));
    EXPECT_EQ(view->figureText(0), QStringLiteral("1.6 \u2026 2.2"));
    EXPECT_TRUE(view->title().endsWith(view->figureText(0)));
    // Three samples of 1.5 V below the limits, one excursion; the next one inside.
    EXPECT_EQ(view->figureText(3), QStringLiteral("3"));
    EXPECT_EQ(view->figureText(4), QStringLiteral("1"));
    live.reading.main = MeasureDisplay(" 2.000", false, 0x6, 0, DisplayKind::Main);
    controller->takeScheduledSample();
    EXPECT_EQ(view->figureText(1), QStringLiteral("1"));
    EXPECT_FALSE(
        view->findChild<QLabel*>(QStringLiteral("limitsAbove"))->accessibleName().isEmpty());

    limits.setLimits({std::nullopt});
    EXPECT_FALSE(view->isVisibleTo(form.get()));
}

// The value axis spans the readings, not a range symmetric about zero; a change
// of function starts a new line on its own unit's axis instead of joining the
// readings of both units.
TEST_F(MetersFixture, TheAxisFollowsTheReadingsAndAChangeOfUnitStartsANewLine) {
    ChartWidget& chart = probe().chart();
    const auto newest = [&] { return chart.value(chart.pointCount() - 1); };
    for (int i = 0; i < 3; ++i) {
        live.deliver(" 4.700", 0x80);
        live.reading.main = MeasureDisplay(" 4.700", false, 0x80, 3, DisplayKind::Main);
        controller->takeScheduledSample();
    }
    // Only ohms on the line now? No: the volts before them are a line of their own.
    const float ohms = newest();
    ASSERT_GT(ohms, 0.0f);
    ASSERT_EQ(chart.traceCount(), 1) << "the volts of the set-up";
    EXPECT_NE(chart.tracePlace(0), ChartWidget::TracePlace{}) << "on an axis of their own";
    EXPECT_FLOAT_EQ(chart.traceValue(0, chart.pointCount() - 4), 1.5f);
    EXPECT_EQ(chart.value(chart.pointCount() - 4),
              static_cast<float>(ChartWidget::kDefaultNullValue));
    const ChartWidget::YRange range = chart.yRange();
    EXPECT_GT(range.lower, 0.0) << "no room below zero for positive readings";
    EXPECT_LT(range.upper, 1.2 * ohms);
    EXPECT_GE(range.upper, ohms);

    // Back to volts: the ohms become the separate line, the volts one line again.
    for (int i = 0; i < 2; ++i) {
        live.deliver(" 1.500", 0x6);
        controller->takeScheduledSample();
    }
    ASSERT_EQ(chart.traceCount(), 1);
    EXPECT_FLOAT_EQ(chart.traceValue(0, chart.pointCount() - 3), ohms);
    EXPECT_FLOAT_EQ(chart.value(chart.pointCount() - 6), 1.5f);
    EXPECT_FLOAT_EQ(newest(), 1.5f);
    EXPECT_TRUE(std::isnan(chart.traceValue(0, chart.pointCount() - 1)));
}

TEST_F(MetersFixture, TheMathChannelIsATraceWithALegendAndAReadout) {
    defineMath(" M1 * 2 ");
    EXPECT_EQ(controller->mathExpression(), "M1 * 2");
    EXPECT_FALSE(form->mathChannelDialog().isVisible());
    EXPECT_EQ(form->mathChannelDialog().variablesText(), "M1 = Meter 1");
    ChartWidget& chart = probe().chart();
    ASSERT_EQ(chart.traceCount(), 1);
    EXPECT_TRUE(chart.legendShown());
    // The cursor read-out names every line with its reading at the cursor.
    EXPECT_TRUE(readings().isVisibleTo(form.get()));
    EXPECT_TRUE(readings().text().contains("Meter 1: 1.500 V")) << readings().text().toStdString();
    EXPECT_TRUE(readings().text().contains("M1 * 2: -")) << readings().text().toStdString();

    // A meter's new name reaches the read-out, the legend and the dialog.
    controller->setMeters({{"Bench", "SN-7", ReadingsOf(live)}});
    EXPECT_TRUE(readings().text().contains("Bench: 1.500 V")) << readings().text().toStdString();
    EXPECT_EQ(form->mathChannelDialog().variablesText(), "M1 = Bench (SN-7)");

    // An empty expression removes the channel: the window is as it was.
    defineMath(QString());
    EXPECT_FALSE(controller->hasMath());
    EXPECT_EQ(chart.traceCount(), 0);
    EXPECT_FALSE(chart.legendShown());
    EXPECT_FALSE(readings().isVisibleTo(form.get()));
}

TEST(MeterStatisticsPanels, OnePanelPerMeterHeadedByItsNameWhenSeveral) {
    MeterStatisticsPanels panels;
    StatisticsPanel* first = &panels.first();
    EXPECT_EQ(panels.meterCount(), 1);
    EXPECT_TRUE(panels.heading(0).isEmpty());

    panels.setMeters({"Bench", "Probe", "Clamp"});
    ASSERT_EQ(panels.meterCount(), 3);
    EXPECT_EQ(panels.heading(0), "Bench");
    EXPECT_EQ(panels.heading(2), "Clamp");
    EXPECT_EQ(&panels.first(), first); // the window keeps the first meter's panel

    // Fewer meters (and never none): the first panel stays, without a heading.
    panels.setMeters({});
    EXPECT_EQ(panels.meterCount(), 1);
    EXPECT_EQ(&panels.first(), first);
    EXPECT_TRUE(panels.heading(0).isEmpty());
    EXPECT_EQ(panels.findChildren<StatisticsPanel*>().size(), 1);
}

TEST(RecorderFiles, SeveralMetersAreSavedAsATelmoraGroup) {
    ScriptedDialogs dialogs;
    dialogs.fileAnswers = {QStringLiteral("/data/run1"), QStringLiteral("/data/run2.telmora"),
                           QStringLiteral("/data/one.g53")};
    EXPECT_EQ(askRecordingSaveName(dialogs, nullptr, true), QStringLiteral("/data/run1.telmora"));
    EXPECT_EQ(dialogs.files.back().fileName, "Untitled.telmora");
    EXPECT_EQ(dialogs.files.back().defaultExt, "telmora");
    EXPECT_TRUE(dialogs.files.back().filter.contains("*.telmora"));
    EXPECT_EQ(askRecordingSaveName(dialogs, nullptr, true), QStringLiteral("/data/run2.telmora"));
    EXPECT_EQ(GroupSavePath("/data/run3.G53"), QStringLiteral("/data/run3.telmora"));
    EXPECT_EQ(GroupSavePath("/data/run.4"), QStringLiteral("/data/run.4.telmora"));
    // One meter: a .g53 as always.
    EXPECT_EQ(askRecordingSaveName(dialogs, nullptr, false), QStringLiteral("/data/one.g53"));
    EXPECT_EQ(dialogs.files.back().defaultExt, "g53");

    // Open takes either kind of recording.
    dialogs.fileAnswers = {std::nullopt};
    askRecordingToOpen(dialogs, nullptr);
    EXPECT_TRUE(dialogs.files.back().filter.contains("*.telmora"));
    EXPECT_TRUE(dialogs.files.back().filter.contains("*.g53"));
}

TEST_F(MetersFixture, TheViewerDrawsTheRecordersFurtherLinesUntilItIsClosed) {
    RecordingOverview viewer(dialogs);
    auto* chart = viewer.findChild<ChartWidget*>("ChartWidgetView");
    ASSERT_NE(chart, nullptr);
    viewer.showRecorder(*controller);
    EXPECT_EQ(chart->traceCount(), 0); // one meter, no math: one line as always

    controller->setMathExpression("M1 + 1", nullptr);
    viewer.showRecorder(*controller);
    ASSERT_EQ(chart->traceCount(), 1);
    EXPECT_TRUE(chart->legendShown());
    EXPECT_EQ(chart->pointCount(), 3);

    // A plain recording shown afterwards has no lines of the recorder.
    Recording other;
    viewer.showRecording(other);
    EXPECT_EQ(chart->traceCount(), 0);
}

TEST_F(MetersFixture, TheDataListOfOneMeterKeepsItsSingleColumn) {
    DataListWindow list(dialogs, controller.get());
    EXPECT_EQ(list.meterColumns(), 1);
    EXPECT_EQ(list.lineCount(), 0); // bound after the samples: they come with the next one
    controller->takeScheduledSample();
    EXPECT_EQ(list.lineCount(), 4);
    // The math channel is no meter: still one column.
    controller->setMathExpression("M1 * 2", nullptr);
    EXPECT_EQ(list.meterColumns(), 1);
}

// A recorder of two meters, "Bench" and "Probe".
struct TwoMeters : ::testing::Test {
    QTemporaryDir dir;
    FakeLiveSource first;
    FakeLiveSource second;
    RecorderController controller{ReadingsOf(first), dir.path()};
    ScriptedDialogs dialogs;
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        controller.setMeters(
            {{"Bench", "SN-1", ReadingsOf(first)}, {"Probe", "SN-2", ReadingsOf(second)}});
    }
};

// With several meters every column of the data list writes a reading alike: the
// same unit spelling, the mode and the sub reading, for meter 2 as for meter 1.
TEST_F(TwoMeters, EveryDataListColumnIsWrittenAlikeWithModeAndSubReading) {
    DataListWindow list(dialogs, &controller);
    ASSERT_EQ(list.meterColumns(), 2);
    for (FakeLiveSource* live : {&first, &second}) {
        live->deliver(" 4.700", 0x80);
        live->reading.main = MeasureDisplay(" 4.700", false, 0x80, 3, DisplayKind::Main);
        live->reading.sub = MeasureDisplay("60.00", false, 0x6, 0, DisplayKind::Sub);
    }
    controller.takeScheduledSample();
    controller.takeScheduledSample(); // the list is bound with the first sample
    ASSERT_GE(list.lineCount(), 1);
    const auto* view = list.findChild<QTableView*>(QStringLiteral("DataList"));
    ASSERT_NE(view, nullptr);
    const QString line = view->model()->index(0, 0).data().toString();
    const QString column = view->model()->index(0, 1).data().toString();
    const QString readings = DataListReadings(*controller.meterRecording(1).readSample(0));
    EXPECT_EQ(column, readings);
    EXPECT_EQ(line.section(QLatin1Char(','), 2), readings) << line.toStdString();
    EXPECT_TRUE(column.startsWith(QStringLiteral(" 4.700 kOhm"))) << column.toStdString();
    EXPECT_TRUE(line.section(QLatin1Char(','), 2).startsWith(QStringLiteral(" 4.700 kOhm")))
        << "every meter's reading is spelt alike: " << line.toStdString();
    EXPECT_TRUE(column.contains(QStringLiteral("60.00"))) << "the sub reading";
}

// A data list narrower than its meters' columns scrolls sideways to the last one,
// and stays there as lines come.
TEST_F(TwoMeters, ANarrowDataListScrollsSidewaysToEveryMetersColumn) {
    DataListWindow list(dialogs, &controller);
    list.setMinimumSize(0, 0);
    // Wide enough for both columns at first, then narrowed, as when the recorder
    // opens beside it.
    list.resize(800, 300);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.resize(240, 300);
    first.deliver(" 1.000");
    second.deliver(" 1.500");
    controller.takeScheduledSample();
    controller.takeScheduledSample(); // the list is bound with the first sample
    ASSERT_GE(list.lineCount(), 1);
    auto* view = list.findChild<QTableView*>(QStringLiteral("DataList"));
    ASSERT_NE(view, nullptr);
    QScrollBar* sideways = view->horizontalScrollBar();
    ASSERT_TRUE(QTest::qWaitFor([sideways] { return sideways->isVisible(); }));
    EXPECT_EQ(sideways->value(), 0) << "new lines alone do not scroll sideways";
    sideways->setValue(sideways->maximum());
    EXPECT_GE(view->columnViewportPosition(1), 0) << "where the second meter's readings begin";
    EXPECT_LE(view->columnViewportPosition(1) + view->columnWidth(1), view->viewport()->width())
        << "the second meter's column can be brought into view";
    const int scrolled = sideways->value();
    first.deliver(" 2.000");
    second.deliver(" 3.000");
    controller.takeScheduledSample();
    ASSERT_GE(list.lineCount(), 2);
    EXPECT_EQ(sideways->value(), scrolled) << "a new line keeps the list where the user scrolled";
}

// A further meter's panel counts the samples shown as the controller does, without
// its gaps, like the first meter's.
TEST_F(TwoMeters, AFurtherMetersStatisticsCountItsReadingsOnThePage) {
    RecorderWindow form(dialogs, controller);
    first.deliver(" 1.000");
    second.deliver(" 2.000");
    ASSERT_TRUE(controller.startRecording());
    controller.takeScheduledSample();
    first.deliver(" 3.000");
    controller.takeScheduledSample(); // the second meter has nothing new: a gap
    second.deliver(" 4.000");
    controller.takeScheduledSample();

    auto* panels = form.findChild<MeterStatisticsPanels*>();
    ASSERT_NE(panels, nullptr);
    ASSERT_EQ(panels->meterCount(), 2);
    const StatisticsPanel& panel = panels->panel(1);
    for (auto column : {StatisticsPanel::Column::Whole, StatisticsPanel::Column::Shown}) {
        EXPECT_EQ(panel.figureText(column, 0), QStringLiteral("2")) << "two readings, one gap";
        EXPECT_EQ(panel.figureText(column, 1), QStringLiteral("3.0000 V"));
    }
}
