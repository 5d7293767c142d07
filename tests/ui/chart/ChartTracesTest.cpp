#include "ui/chart/ChartWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

using namespace telmora;

namespace {

using Chart = ChartWidget;
using Place = Chart::TracePlace;
using Axis = Chart::TraceAxis;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Ten points of a flat series on a white graph without grid or cursor, so that
// only the lines have colour.
void setUpPlain(ChartWidget& g, int points = 10) {
    g.setNullValue(-99999.0);
    g.setPointCount(points);
    g.setVisiblePoints(points);
    g.setGraphBackColor(Qt::white);
    g.setDeskColor(Qt::white);
    g.setGridLines(Chart::GridLines::None);
    g.setLineColor(Qt::black);
    g.setCursorMode(Chart::CursorMode::None);
    for (int i = 0; i < points; ++i)
        g.setValue(i, 1.0f);
    g.setSeriesName("Meter A", "V");
}

Chart::Trace trace(const char* name, const char* unit, std::vector<float> values,
                   QColor colour = QColor(0, 200, 0)) {
    return {name, colour, unit, std::move(values)};
}

// The image's columns that hold a pixel close to `colour`, as runs of neighbouring
// columns: each run is one unbroken piece of line.
int runsOfColour(const QImage& image, const QColor& colour) {
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < image.width(); ++x) {
        bool found = false;
        for (int y = 0; y < image.height() && !found; ++y) {
            const QColor c = image.pixelColor(x, y);
            found = std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <
                    60;
        }
        runs += found && !inRun;
        inRun = found;
    }
    return runs;
}

} // namespace

TEST(ChartTraces, EachUnitHasAnAxisTwoPerGraphFurtherUnitsGoBelow) {
    ChartWidget g;
    setUpPlain(g);
    g.refresh();
    EXPECT_EQ(g.graphCount(), 1);
    EXPECT_FALSE(g.legendShown()); // one line needs no legend

    // The series' unit is the upper left axis; a second unit the upper right one.
    g.setTraces({trace("Meter B", "V", std::vector<float>(10, 2.0f)),
                 trace("Meter C", "A", std::vector<float>(10, 0.5f))});
    g.refresh();
    EXPECT_EQ(g.graphCount(), 1);
    EXPECT_EQ(g.tracePlace(0), (Place{0, Axis::Left}));
    EXPECT_EQ(g.tracePlace(1), (Place{0, Axis::Right}));
    EXPECT_TRUE(g.legendShown());

    // A third and fourth unit share the graph below; a known unit keeps its axis.
    g.setTraces({trace("Meter B", "A", {}), trace("Meter C", "Hz", {}), trace("Meter D", "A", {}),
                 trace("Math", "W", {})});
    g.refresh();
    EXPECT_EQ(g.graphCount(), 2);
    EXPECT_EQ(g.tracePlace(0), (Place{0, Axis::Right}));
    EXPECT_EQ(g.tracePlace(1), (Place{1, Axis::Left}));
    EXPECT_EQ(g.tracePlace(2), (Place{0, Axis::Right}));
    EXPECT_EQ(g.tracePlace(3), (Place{1, Axis::Right}));
    // Drawing with the graph below, including a picture, does not fail.
    EXPECT_FALSE(g.renderImage(QSize(600, 400)).isNull());

    // Back to one meter: one graph, no legend, as before. Restyling before the
    // refresh keeps what is drawn.
    g.setTraces({});
    g.restyle();
    EXPECT_EQ(g.graphCount(), 2);
    g.refresh();
    EXPECT_EQ(g.graphCount(), 1);
    EXPECT_FALSE(g.legendShown());
    EXPECT_FALSE(g.renderImage(QSize(600, 400)).isNull());
}

TEST(ChartTraces, AMissingValueOrASeriesGapBreaksTheTrace) {
    ChartWidget g;
    setUpPlain(g);
    const QColor green(0, 200, 0);
    std::vector<float> values(10, 3.0f);
    g.setTraces({trace("Meter B", "A", values, green)});
    g.refresh();
    EXPECT_EQ(runsOfColour(g.renderImage(QSize(800, 400)), green), 1);

    values[5] = kNaN;
    g.setTraces({trace("Meter B", "A", values, green)});
    g.refresh();
    EXPECT_EQ(runsOfColour(g.renderImage(QSize(800, 400)), green), 2);

    // The readings stopped between two points: no meter's line joins them.
    values[5] = 3.0f;
    g.setTraces({trace("Meter B", "A", values, green)});
    g.setGapAfter(2, true);
    g.refresh();
    EXPECT_EQ(runsOfColour(g.renderImage(QSize(800, 400)), green), 2);
}

TEST(ChartTraces, PicturesIncludeTheTracesOfEveryGraph) {
    ChartWidget g;
    setUpPlain(g);
    const QColor red(220, 0, 0);
    const QColor blue(0, 0, 220);
    g.setTraces({trace("Meter B", "A", std::vector<float>(10, 2.0f), red),
                 trace("Meter C", "Hz", std::vector<float>(10, 50.0f), blue)});
    g.refresh();
    ASSERT_EQ(g.graphCount(), 2);
    const QImage image = g.renderImage(QSize(800, 600));
    EXPECT_GE(runsOfColour(image, red), 1);
    EXPECT_GE(runsOfColour(image, blue), 1);
    // The lower graph's line lies in the lower half of the picture.
    bool blueBelow = false;
    for (int y = image.height() / 2; y < image.height() && !blueBelow; ++y)
        for (int x = 0; x < image.width() && !blueBelow; ++x)
            blueBelow = image.pixelColor(x, y) == blue;
    EXPECT_TRUE(blueBelow);

    QTemporaryDir dir;
    const QString path = dir.filePath("graph.svg");
    ASSERT_TRUE(g.exportSvg(path, QSizeF(100, 80)));
    QFile svg(path);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray content = svg.readAll();
    EXPECT_TRUE(content.contains(red.name().toLatin1()));
    EXPECT_TRUE(content.contains(blue.name().toLatin1()));
    EXPECT_TRUE(content.contains("Meter C")); // the legend
}

TEST(ChartTraces, AppendingAPointMovesTheTracesAlong) {
    ChartWidget g;
    setUpPlain(g, 3);
    g.setTraces({trace("Meter B", "V", {1.0f, 2.0f, 3.0f})});
    g.appendPoint("t", 4.0f);
    EXPECT_EQ(g.traceValue(0, 0), 2.0f);
    EXPECT_EQ(g.traceValue(0, 1), 3.0f);
    EXPECT_TRUE(std::isnan(g.traceValue(0, 2)));
    EXPECT_TRUE(std::isnan(g.traceValue(0, 3)));
    EXPECT_TRUE(std::isnan(g.traceValue(1, 0)));
}

TEST(ChartTraces, AClickIntoTheGraphBelowMovesTheSharedCursor) {
    ChartWidget g;
    setUpPlain(g, 100);
    g.setCursorMode(Chart::CursorMode::VerticalLine);
    g.setMouseMovesCursor(true);
    g.setTraces({trace("Meter B", "A", std::vector<float>(100, 2.0f)),
                 trace("Meter C", "Hz", std::vector<float>(100, 50.0f))});
    g.resize(800, 600);
    g.show();
    g.refresh();
    ASSERT_EQ(g.graphCount(), 2);
    QList<int> moved;
    QObject::connect(&g, &ChartWidget::cursorMoved, [&](int point) { moved << point; });
    QWidget* plot = g.focusProxy();
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const QPointF pos(400, 520); // well inside the lower graph
        QMouseEvent e(type, pos, plot->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(plot, &e);
    }
    ASSERT_EQ(moved.size(), 1);
    EXPECT_GT(g.cursorPoint(), 30);
    EXPECT_LT(g.cursorPoint(), 70);
}
