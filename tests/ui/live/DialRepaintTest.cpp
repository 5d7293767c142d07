// The dial windows repaint only the pixels the needle leaves and enters, and skip
// needle steps too small to show. What the screen holds once the needle rests
// must still be exactly what a full paint of the window gives.
#include "ScreenPixels.h"
#include "ScriptedDialogs.h"
#include "model/Measurement.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DialBackdrop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace telmora;

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

// Lets the pending repaints of the windows happen.
void settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// What the window's pixels on screen are now, next to a full paint of it.
void expectScreenMatchesFullPaint(QWidget& window, const char* when) {
    settle();
    EXPECT_EQ(PixelsDifferingFromFullPaint(window), 0)
        << when << ": pixels left over from an earlier paint";
}

Measurement volts(const char* text, bool negative = false) {
    Measurement m = MeasureDisplay(text, negative, 0x6, 0, DisplayKind::Main);
    m.line.part2.assign("V");
    return m;
}

// The box around every pixel `draw` touches on a transparent image, in logical
// pixels at `ratio`.
QRect touchedPixels(int ratio, const std::function<void(QPainter&)>& draw) {
    QImage image(QSize(400, 300) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        draw(p);
    }
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                box |= QRect(x / ratio, y / ratio, 1, 1);
    return box;
}

} // namespace

TEST(DialRepaint, TheNeedleAreaHoldsEveryPixelTheNeedleTouches) {
    for (const NeedleShape needle : {NeedleShape{{200.5, 150.0}, 100.0, 1.6, 4.0},
                                     NeedleShape{{199.0, 149.0}, 70.0, 1.8, 6.0}})
        for (int ratio : {1, 2})
            for (double degrees = -15.0; degrees <= 195.0; degrees += 6.7) {
                const QRect touched =
                    touchedPixels(ratio, [&](QPainter& p) { DrawNeedle(p, needle, degrees); });
                ASSERT_FALSE(touched.isEmpty());
                EXPECT_TRUE(NeedleArea(needle, degrees).contains(touched))
                    << degrees << " degrees at ratio " << ratio;
            }
}

TEST(DialRepaint, OnlyStepsThatMoveTheTipATenthOfAPixelShow) {
    const NeedleShape needle{{100.0, 132.0}, 100.0, 1.6, 4.0};
    // A last digit flickering: the tip moves by thousandths of a pixel.
    EXPECT_FALSE(NeedleStepShows(needle, 131.6976, 131.6988, 1.0));
    EXPECT_FALSE(NeedleStepShows(needle, 90.0, 90.0, 2.0));
    // A tenth of a pixel at the tip is 0.057 degrees; twice the ratio, half the angle.
    EXPECT_TRUE(NeedleStepShows(needle, 90.0, 90.06, 1.0));
    EXPECT_FALSE(NeedleStepShows(needle, 90.0, 90.04, 1.0));
    EXPECT_TRUE(NeedleStepShows(needle, 90.0, 90.04, 2.0));
    EXPECT_TRUE(NeedleStepShows(needle, 150.0, 30.0, 1.0));
}

TEST(DialRepaint, AnalogMeterOnScreenMatchesAFullPaintAfterEveryKindOfChange) {
    AnalogMeterWindow window;
    window.show();
    ASSERT_TRUE(waitUntil([&] { return window.isVisible(); }));
    const auto showAndRest = [&](const Measurement& m, const char* when) {
        window.applyReading(m);
        ASSERT_TRUE(waitUntil([&] { return !window.sweeping(); }));
        expectScreenMatchesFullPaint(window, when);
    };
    showAndRest(volts("7.500"), "a long sweep");
    showAndRest(volts("7.501"), "a change of one count (steps too small to show)");
    showAndRest(volts("2.000", true), "the sign mark turns");
    showAndRest(volts("15.00"), "another scale");
    // A new reading while the needle is still on its way.
    window.applyReading(volts("1.000"));
    window.applyReading(volts("9.000"));
    window.applyReading(volts("8.999"));
    ASSERT_TRUE(waitUntil([&] { return !window.sweeping(); }));
    expectScreenMatchesFullPaint(window, "readings during a sweep");
    window.setLinked(false);
    ASSERT_TRUE(waitUntil([&] { return !window.sweeping(); }));
    settle();
    ASSERT_TRUE(waitUntil([&] { return !window.sweeping(); }));
    expectScreenMatchesFullPaint(window, "back to rest after the unlink");
}

TEST(DialRepaint, ComparatorOnScreenMatchesAFullPaintAfterEveryKindOfChange) {
    ScriptedDialogs dialogs;
    ComparatorWindow window(dialogs, 3.0, 1.0);
    window.show();
    ASSERT_TRUE(waitUntil([&] { return window.isVisible(); }));
    for (const char* text : {"2.600", "2.601", "9.000", "0.500", "1.999"}) {
        window.applyReading(volts(text));
        ASSERT_TRUE(waitUntil([&] { return !window.sweeping(); }));
        expectScreenMatchesFullPaint(window, text);
    }
    window.applyReading(volts("0.100"));
    window.applyReading(volts("2.900"));
    ASSERT_TRUE(waitUntil([&] { return !window.sweeping(); }));
    expectScreenMatchesFullPaint(window, "readings during a sweep");
}
