// The data list follows the newest line by moving what it already shows and
// drawing only the new lines. After every line, what the screen holds must be
// exactly what a full paint of the list gives.
#include "ScreenPixels.h"
#include "ScriptedDialogs.h"
#include "recording/Recording.h"
#include "ui/recorder/DataListWindow.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace telmora;

namespace {

// Pixels of `window` on screen that differ from a full paint of it.
int pixelsLeftOver(QWidget& window) {
    // Delivers the posted repaint of the window, then anything it posted.
    QApplication::processEvents();
    QApplication::processEvents();
    return PixelsDifferingFromFullPaint(window);
}

SampleEntry volts(int n) {
    SampleEntry e;
    e.main.timeText.assign(" 14:05:09.3");
    e.main.displayText.assign(QByteArray::number(1000 + n).constData());
    e.main.unitText.assign("V");
    e.main.modeText.assign("DC");
    return e;
}

} // namespace

TEST(DataListRepaint, ScreenMatchesFullPaintAsLinesAreAdded) {
    Recording recording;
    ScriptedDialogs dialogs;
    DataListWindow list(dialogs);
    list.setRecording(&recording);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    // From an empty list through filling it to scrolling with every line; lines
    // arriving one by one and, as after a busy moment, three at once.
    int added = 0;
    const auto add = [&](int count) {
        for (int i = 0; i < count; ++i)
            recording.addSample(volts(added + i));
        added += count;
        list.addLine(added - 1);
    };
    for (int step = 0; step < 40; ++step) {
        add(step % 10 == 9 ? 3 : 1);
        ASSERT_EQ(pixelsLeftOver(list), 0) << "after " << added << " lines";
    }
    // The list scrolled away from its end follows the newest line again.
    list.goToSample(1);
    add(1);
    EXPECT_EQ(pixelsLeftOver(list), 0) << "after jumping back to the first line";
    EXPECT_EQ(list.selectedSample(), added);
}
