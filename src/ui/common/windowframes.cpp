#include "ui/common/windowframes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {

// What the desktop's frame adds around the client area of `w`; null while `w`
// has not been framed.
QMargins measuredFrame(const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect client = w.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace

QMargins FrameMargins(const QWidget& window, const QWidget* reference) {
    if (window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    const QMargins own = measuredFrame(window);
    if (!own.isNull())
        return own;
    if (reference != nullptr) {
        const QMargins seen = measuredFrame(*reference);
        if (!seen.isNull())
            return seen;
    }
    return {0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0};
}

TileRect OuterRect(const QWidget& window, const QWidget* reference) {
    return ToTileRect(window.geometry().marginsAdded(FrameMargins(window, reference)));
}

void PlaceOuter(QWidget& window, const TileRect& outer, const QWidget* reference) {
    const QMargins frame = FrameMargins(window, reference);
    QRect client = ToQRect(outer).marginsRemoved(frame);
    client.setSize(client.size().expandedTo(QSize(1, 1)));
    window.setGeometry(client);
}

void MoveOuter(QWidget& window, QPoint outerTopLeft, const QWidget* reference) {
    const QMargins frame = FrameMargins(window, reference);
    window.setGeometry(QRect(outerTopLeft + QPoint(frame.left(), frame.top()), window.size()));
}

namespace {

// The most program pixels that surely fit into `length` program pixels of a screen
// scaled by `ratio`: the length was rounded from the device's, which may be up to
// half a program pixel shorter.
int surelyFitting(int length, qreal ratio) {
    if (ratio == 1.0)
        return length;
    const qreal shortestDevice = std::ceil((length - 0.5) * ratio);
    return std::max(0, static_cast<int>(std::floor(shortestDevice / ratio)));
}

} // namespace

TileRect FreeArea(const QWidget& window) {
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {0, 0, 1024, 768};
    TileRect area = ToTileRect(screen->availableGeometry());
    area.width = surelyFitting(area.width, screen->devicePixelRatio());
    area.height = surelyFitting(area.height, screen->devicePixelRatio());
    return area;
}

} // namespace telmora
