// The page progress bar looks as the style's progress bar does, and a new value
// is painted with the window's next painting, over just the part that changed.
#include "ui/recorder/PageProgressBar.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <utility>

using namespace telmora;

namespace {

// The rectangle of the pixels that differ between two pictures of one size.
QRect differingPixels(const QImage& a, const QImage& b) {
    QRect differing;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                differing |= QRect(x, y, 1, 1);
    return differing;
}

QImage pictureAt(PageProgressBar& bar, int value) {
    bar.setValue(value);
    return bar.grab().toImage();
}

// Collects the rectangles the bar is painted in.
class PaintedAreas : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            areas.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
    std::vector<QRect> areas;
};

} // namespace

TEST(PageProgressBar, LooksLikeTheStylesProgressBar) {
    PageProgressBar ours;
    QProgressBar theirs;
    theirs.setTextVisible(false);
    for (QWidget* bar : {static_cast<QWidget*>(&ours), static_cast<QWidget*>(&theirs)})
        bar->resize(400, 12);
    ours.setRange(0, 200);
    theirs.setRange(0, 200);
    for (int value : {0, 1, 57, 199, 200}) {
        ours.setValue(value);
        theirs.setValue(value);
        EXPECT_TRUE(ours.grab().toImage() == theirs.grab().toImage()) << "value " << value;
    }
    EXPECT_EQ(ours.sizeHint(), theirs.sizeHint());
}

TEST(PageProgressBar, TheChangedAreaHoldsEveryPixelThatChanged) {
    for (int width : {150, 400, 1100}) {
        PageProgressBar bar;
        bar.setRange(0, 200);
        bar.resize(width, 12);
        for (const auto& [before, after] :
             {std::pair(0, 1), std::pair(1, 2), std::pair(57, 58), std::pair(198, 199),
              std::pair(199, 200), std::pair(200, 0), std::pair(120, 3)}) {
            const QImage old = pictureAt(bar, before);
            const QImage now = pictureAt(bar, after);
            const QRect changed = differingPixels(old, now);
            EXPECT_TRUE(bar.changedArea(before, after).contains(changed))
                << width << " px, " << before << " to " << after;
        }
    }
}

TEST(PageProgressBar, ANewValueIsPaintedLaterAndOnlyWhereItChanged) {
    PageProgressBar bar;
    bar.setRange(0, 200);
    bar.resize(600, 12);
    bar.show();
    QApplication::processEvents();
    PaintedAreas painted;
    bar.installEventFilter(&painted);
    bar.setValue(80);
    bar.setValue(81);
    EXPECT_TRUE(painted.areas.empty()) << "painted at once";
    QApplication::processEvents();
    ASSERT_EQ(painted.areas.size(), 1u);
    EXPECT_EQ(painted.areas.front(), bar.changedArea(0, 81));
    painted.areas.clear();
    bar.setValue(82);
    QApplication::processEvents();
    ASSERT_EQ(painted.areas.size(), 1u);
    EXPECT_LE(painted.areas.front().width(), 3 + 2 * 4 + 1);
    EXPECT_EQ(bar.value(), 82);
    bar.setValue(500);
    EXPECT_EQ(bar.value(), 200) << "kept in range";
}
