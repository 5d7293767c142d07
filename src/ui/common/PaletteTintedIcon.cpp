#include "ui/common/PaletteTintedIcon.h"

#include "ui/common/contrast.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <utility>

namespace telmora {

namespace {

class TintedEngine : public QIconEngine {
public:
    explicit TintedEngine(QIcon icon) : m_icon(std::move(icon)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap drawn = m_icon.pixmap(size, mode, state);
        const QPalette palette = QApplication::palette();
        if (drawn.isNull() || !IsDarkPalette(palette))
            return drawn;
        const QColor button = palette.color(QPalette::Active, QPalette::Button);
        const QColor ink = palette.color(
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText);
        QImage image = drawn.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb px = line[x];
                if (qAlpha(px) == 0 || ContrastRatio(QColor(px), button) >= kGraphicContrast)
                    continue;
                line[x] = qRgba(ink.red(), ink.green(), ink.blue(), qAlpha(px));
            }
        }
        QPixmap tinted = QPixmap::fromImage(image);
        tinted.setDevicePixelRatio(drawn.devicePixelRatio());
        return tinted;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return m_icon.actualSize(size, mode, state);
    }

    QIconEngine* clone() const override { return new TintedEngine(m_icon); }
    QString key() const override { return QStringLiteral("telmora-tinted"); }

private:
    QIcon m_icon;
};

} // namespace

QIcon PaletteTinted(const QIcon& icon) {
    return QIcon(new TintedEngine(icon));
}

} // namespace telmora
