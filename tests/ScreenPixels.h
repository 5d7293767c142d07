#pragma once
// What a window shows on the screen against a full paint of it: repaints that
// cover only what changed must leave nothing of an earlier picture behind.

#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace telmora {

// Pixels of `window` on the screen that differ from a full paint of it now; -1
// when the screen's picture cannot be had or has another size. The caller lets
// the pending repaints happen first.
inline int PixelsDifferingFromFullPaint(QWidget& window) {
    const QImage onScreen =
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage fullPaint = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (onScreen.isNull() || onScreen.size() != fullPaint.size())
        return -1;
    int differing = 0;
    for (int y = 0; y < onScreen.height(); ++y)
        for (int x = 0; x < onScreen.width(); ++x)
            differing += onScreen.pixel(x, y) != fullPaint.pixel(x, y) ? 1 : 0;
    return differing;
}

} // namespace telmora
