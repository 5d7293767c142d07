// A new sample on a strip chart repaints only the data, the point labels and the
// cursor while nothing else changed. After every change, what the screen holds
// must be exactly what a full paint of the chart gives.
#include "ScreenPixels.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace telmora;

namespace {

// Keeps the area of the last region the plot was painted in.
class PaintedArea : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            last = 0;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                last += static_cast<long long>(r.width()) * r.height();
        }
        return false;
    }
    long long last = 0;
};

// Lets a change reach the screen: the plot looks at its changes, then paints.
void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Pixels of `window` on screen that differ from a full paint of it.
int pixelsLeftOver(QWidget& window) {
    settle();
    return PixelsDifferingFromFullPaint(window);
}

} // namespace

TEST(ChartRepaint, ScreenMatchesFullPaintAsSamplesArrive) {
    constexpr int kPoints = 120;
    ChartWidget g;
    g.setMainTitle(QStringLiteral("Data Logger"));
    g.setXAxisLabel(QStringLiteral("Time"));
    g.setYAxisLabel(QStringLiteral("Reading"));
    g.setNullValue(-99999.0f);
    g.setPointCount(kPoints);
    g.setVisiblePoints(kPoints);
    g.setGraphBackColor(Qt::black);
    g.setYRange(-2.0, 2.0);
    g.setViewStart(ChartWidget::ViewStart::LastPoint);
    g.setPointSize(ChartWidget::PointSize::Large);
    g.setGridLines(ChartWidget::GridLines::Both);
    g.setGridStyle(ChartWidget::GridStyle::Dotted);
    g.setCursorMode(ChartWidget::CursorMode::VerticalLine);
    for (int i = 0; i < kPoints; ++i)
        g.setValue(i, -99999.0f);
    g.refresh();
    g.resize(640, 400);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    PaintedArea painted;
    QWidget* plot = g.focusProxy();
    plot->installEventFilter(&painted);
    const long long whole = static_cast<long long>(plot->width()) * plot->height();

    int sample = 0;
    // A sample as the recorder adds one: the points move along, the cursor
    // stays on the newest.
    const auto add = [&](double value) {
        const QString label = QStringLiteral(" 10:%1:%2.5")
                                  .arg(sample / 60 % 60, 2, 10, QLatin1Char('0'))
                                  .arg(sample % 60, 2, 10, QLatin1Char('0'));
        g.appendPoint(label, static_cast<float>(value));
        ++sample;
        g.refresh();
        g.setCursorPoint(kPoints - 1);
    };
    for (int i = 0; i < 30; ++i) {
        add(1.5 + 0.002 * std::sin(i));
        ASSERT_EQ(pixelsLeftOver(g), 0) << "after sample " << sample;
    }
    add(1.5);
    settle();
    EXPECT_LT(painted.last * 3, whole) << "a steady sample repaints the whole chart";

    // A spike, a sample after a gap, the cursor moved back, a new scale, a new
    // title, a new size: each shown whole and right.
    add(-1.9);
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after a spike";
    g.setGapAfter(kPoints - 1, true);
    add(1.2);
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after a gap";
    g.setCursorPoint(kPoints - 10);
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after moving the cursor along the data";
    g.setCursorPoint(40);
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after moving the cursor off the data";
    g.setYRange(-20.0, 20.0);
    add(1.4);
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after a new scale";
    g.setMainTitle(QStringLiteral("Another title"));
    g.refresh();
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after a new title";
    g.resize(560, 380);
    add(1.3);
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after a new size";
    for (int i = 0; i < 5; ++i)
        add(1.3);
    EXPECT_EQ(pixelsLeftOver(g), 0) << "after more samples";
}
