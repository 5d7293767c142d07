#include "ui/live/WindowIconEngine.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <memory>

namespace telmora {

WindowIconEngine::WindowIconEngine(const QIcon& source, std::initializer_list<int> sides) {
    std::vector<int> ordered(sides);
    std::sort(ordered.begin(), ordered.end());
    for (int side : ordered) {
        const QImage image =
            source.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        if (!image.isNull())
            m_pixmaps.push_back(QPixmap::fromImage(image, Qt::NoFormatConversion));
    }
}

QIcon WindowIconEngine::prepared(const QIcon& source) {
    return QIcon(std::make_unique<WindowIconEngine>(source, std::initializer_list<int>{16, 32})
                     .release()); // the icon owns its engine
}

const QPixmap* WindowIconEngine::closest(const QSize& size) const {
    if (m_pixmaps.empty())
        return nullptr;
    const QPixmap* best = &m_pixmaps.front();
    for (const QPixmap& p : m_pixmaps)
        if (p.width() <= size.width() && p.height() <= size.height())
            best = &p;
    return best;
}

void WindowIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                             QIcon::State state) {
    const QPixmap picture = pixmap(rect.size(), mode, state);
    if (picture.isNull())
        return;
    QRect target(QPoint(), picture.size());
    target.moveCenter(rect.center());
    painter->drawPixmap(target, picture);
}

QPixmap WindowIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
    const QPixmap* best = closest(size);
    if (best == nullptr || size.isEmpty())
        return {};
    if (best->width() <= size.width() && best->height() <= size.height())
        return *best;
    // Smaller than any prepared size: scaled down, never handed out larger.
    return best->scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QSize WindowIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const QPixmap* best = closest(size);
    if (best == nullptr)
        return {};
    return best->size().boundedTo(size);
}

QList<QSize> WindowIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (const QPixmap& p : m_pixmaps)
        sizes.append(p.size());
    return sizes;
}

QIconEngine* WindowIconEngine::clone() const {
    auto copy = std::unique_ptr<WindowIconEngine>(new WindowIconEngine);
    copy->m_pixmaps = m_pixmaps;
    return copy.release(); // the caller owns the copy
}

QString WindowIconEngine::key() const {
    return QStringLiteral("telmora.window");
}

bool WindowIconEngine::isNull() {
    return m_pixmaps.empty();
}

} // namespace telmora
