// A framed box looks exactly as the plain group box would, whatever changed since
// its frame was last drawn.
#include "ui/common/FramedBox.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace telmora;

namespace {

// The two boxes side by side in one window, each with a figure inside.
struct Pair {
    QWidget window;
    QGroupBox* plain = new QGroupBox(&window);
    FramedBox* framed = new FramedBox(&window);
    Pair() {
        for (QGroupBox* box : {plain, static_cast<QGroupBox*>(framed)}) {
            auto* layout = new QVBoxLayout(box);
            layout->addWidget(new QLabel(QStringLiteral("1.5180 V"), box));
        }
        setGeometry(QSize(220, 120));
        window.show();
    }
    void setTitle(const QString& title) {
        plain->setTitle(title);
        framed->setTitle(title);
    }
    void setGeometry(QSize size) {
        window.resize(2 * size.width(), size.height());
        plain->setGeometry(QRect(QPoint(0, 0), size));
        framed->setGeometry(QRect(QPoint(size.width(), 0), size));
    }
    // Alike but for the rounding of blending the frame in one step or in two: at
    // most two levels in any colour of any pixel.
    bool lookAlike() const {
        const QImage a = plain->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage b = framed->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (a.size() != b.size())
            return false;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y);
                const QRgb q = b.pixel(x, y);
                if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 ||
                    std::abs(qBlue(p) - qBlue(q)) > 2)
                    return false;
            }
        return true;
    }
};

} // namespace

TEST(FramedBox, LooksLikeTheGroupBoxAfterEveryChange) {
    Pair pair;
    pair.setTitle(QStringLiteral("Meter 1"));
    EXPECT_TRUE(pair.lookAlike()) << "first drawn";
    EXPECT_TRUE(pair.lookAlike()) << "drawn from the picture";

    pair.setTitle(QStringLiteral("Statistics \u2013 V DC"));
    EXPECT_TRUE(pair.lookAlike()) << "a new title";

    pair.setGeometry(QSize(300, 160));
    EXPECT_TRUE(pair.lookAlike()) << "a new size";

    QPalette dark = pair.window.palette();
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    pair.window.setPalette(dark);
    EXPECT_TRUE(pair.lookAlike()) << "a dark palette";

    QFont larger = pair.window.font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    pair.window.setFont(larger);
    EXPECT_TRUE(pair.lookAlike()) << "a larger font";

    pair.framed->setEnabled(false);
    pair.plain->setEnabled(false);
    EXPECT_TRUE(pair.lookAlike()) << "disabled";
}
