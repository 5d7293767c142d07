#pragma once

#include <QIconEngine>
#include <QPixmap>

#include <initializer_list>
#include <vector>

namespace telmora {

// The picture of a window whose icon changes often, such as the digital meter's
// sign of each reading. The window system takes a window's icon as straight
// (not premultiplied) ARGB pixels in every size the icon offers. An icon read
// from an image file converts each size again with every change, after looking
// it up in the pixmap cache. This engine draws the sizes once, already in that
// format, and hands them out as they are.
class WindowIconEngine final : public QIconEngine {
public:
    // `source` drawn once at each side, in pixels.
    WindowIconEngine(const QIcon& source, std::initializer_list<int> sides);

    // `source` prepared in the sizes title bars, task bars and window switchers
    // take: 16 and 32 pixels.
    static QIcon prepared(const QIcon& source);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    WindowIconEngine() = default;
    // The largest picture that fits in `size`, or the smallest when none does.
    const QPixmap* closest(const QSize& size) const;

    std::vector<QPixmap> m_pixmaps; // smallest first
};

} // namespace telmora
