// The recorder window's markers: Mark with a note (or none, or cancelled), drawn
// on the graph, next and previous move the cursor between them, and the markers
// panel lists, shows, edits and deletes them.
#include "FakeLiveSource.h"
#include "ScriptedDialogs.h"
#include "recording/RecorderController.h"
#include "ui/chart/ChartWidget.h"
#include "ui/recorder/MarkersPanel.h"
#include "ui/recorder/RecorderWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

using namespace telmora;

namespace {

struct RecorderMarkers : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FakeLiveSource live;
    std::unique_ptr<RecorderController> controller;
    std::unique_ptr<RecorderWindow> form;

    void SetUp() override {
        controller = std::make_unique<RecorderController>(ReadingsOf(live), dir.path());
        form = std::make_unique<RecorderWindow>(dialogs, *controller);
        for (const char* value : {" 1.000", " 2.000", " 3.000", " 4.000"}) {
            live.deliver(value);
            controller->takeScheduledSample();
        }
    }
    void TearDown() override {
        form.reset();
        controller.reset();
    }
    void trigger(const char* action) const {
        QAction* a = form->findChild<QAction*>(QLatin1String(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    ChartWidget& chart() const { return *form->findChild<ChartWidget*>("ChartWidget"); }
    std::vector<std::int64_t> samples() const {
        std::vector<std::int64_t> all;
        for (const Marker& marker : controller->markers().all())
            all.push_back(marker.sample);
        return all;
    }
};

} // namespace

TEST_F(RecorderMarkers, MarkAsksForANoteAndDrawsTheMarker) {
    dialogs.textAnswers = {QStringLiteral("  valve opened "), std::nullopt, QString()};
    trigger("markSampleAction"); // the cursor is on the newest sample
    trigger("markSampleAction"); // cancelled: no marker
    ASSERT_EQ(samples(), (std::vector<std::int64_t>{3}));
    EXPECT_EQ(controller->markers().at(0).note, QStringLiteral("valve opened"));
    EXPECT_EQ(chart().markerCount(), 1);
    EXPECT_TRUE(controller->hasUnsavedData());

    form->goToSample(1);
    form->findChild<QToolButton*>("markButton")->click(); // an empty note is a marker too
    EXPECT_EQ(samples(), (std::vector<std::int64_t>{1, 3}));
    EXPECT_EQ(chart().markerCount(), 2);

    // Next and previous go from marker to marker and stop at the ends.
    form->goToSample(0);
    trigger("nextMarkerAction");
    trigger("nextMarkerAction");
    trigger("previousMarkerAction");
    const int pointOfFirst = chart().cursorPoint();
    trigger("previousMarkerAction");
    EXPECT_EQ(chart().cursorPoint(), pointOfFirst) << "no marker before the first";
    trigger("nextMarkerAction");
    const int pointOfSecond = chart().cursorPoint();
    EXPECT_EQ(pointOfSecond - pointOfFirst, 2);
}

TEST_F(RecorderMarkers, ThePanelListsShowsEditsAndDeletes) {
    controller->addMarker(QStringLiteral("start"), 0);
    controller->addMarker(QStringLiteral("heater on"), 2);
    MarkersPanel panel(dialogs, *controller);
    auto* table = panel.findChild<QTableWidget*>("markersTable");
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("3")) << "samples count from 1";
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("heater on"));

    QSignalSpy chosen(&panel, &MarkersPanel::sampleChosen);
    table->selectRow(1);
    panel.goToSelected();
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.first().at(0).value<std::int64_t>(), 2);

    dialogs.textAnswers = {QStringLiteral("heater off")};
    panel.editSelected();
    EXPECT_EQ(controller->markers().at(1).note, QStringLiteral("heater off"));
    EXPECT_EQ(table->item(1, 3)->text(), QStringLiteral("heater off"));

    table->selectRow(0);
    panel.deleteSelected();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(samples(), (std::vector<std::int64_t>{2}));
    EXPECT_EQ(chart().markerCount(), 1);

    controller->clear();
    EXPECT_EQ(table->rowCount(), 0) << "a new recording has none";
    EXPECT_EQ(chart().markerCount(), 0);
}
