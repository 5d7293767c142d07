#include "ui/recorder/InkIconEngine.h"

#include "ui/common/contrast.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPixmapCache>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace telmora {

namespace {

// The colours the pictures are drawn in: ink for outlines and dark fills, paper
// for the light fills inside them.
constexpr const char* kInk[] = {"#282828", "#323232"};
constexpr const char* kPaper[] = {"#fafafa", "#f0f0f0", "#ffffff", "#dcebfa", "#d2e6fa"};

// Lightens `colour` until it stands out from the dark `background` (3:1).
QColor lightenedOn(QColor colour, const QColor& background) {
    for (int step = 0; step < 40 && ContrastRatio(colour, background) < kGraphicContrast; ++step)
        colour = colour.lighter(112);
    return colour;
}

// The SVG with its ink and paper in the palette's colours; on a dark palette the
// other colours that would not show on the buttons are lightened as well.
QByteArray coloured(QByteArray svg, const QPalette& palette) {
    const QColor ink = palette.color(QPalette::Active, QPalette::ButtonText);
    const QColor paper = palette.color(QPalette::Active, QPalette::Base);
    const QColor button = palette.color(QPalette::Active, QPalette::Button);
    for (const char* c : kInk)
        svg.replace(c, ink.name().toLatin1());
    for (const char* c : kPaper)
        svg.replace(c, paper.name().toLatin1());
    if (!IsDarkPalette(palette))
        return svg;
    static const QRegularExpression hex(QStringLiteral("#[0-9a-fA-F]{6}"));
    const QString text = QString::fromLatin1(svg);
    QString out;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& m : hex.globalMatch(text)) {
        out += text.mid(at, m.capturedStart() - at);
        const QColor c(m.captured());
        out += (c == ink || c == paper) ? m.captured() : lightenedOn(c, button).name();
        at = m.capturedEnd();
    }
    out += text.mid(at);
    return out.toLatin1();
}

} // namespace

InkIconEngine::InkIconEngine(const QString& path) : m_path(path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        m_svg = file.readAll();
}

QIconEngine* InkIconEngine::clone() const {
    return new InkIconEngine(*this);
}

QString InkIconEngine::key() const {
    return QStringLiteral("telmora-ink");
}

QSize InkIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    return size;
}

QPixmap InkIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) {
    if (size.isEmpty() || m_svg.isEmpty())
        return {};
    const QPalette palette = QApplication::palette();
    const QString cacheKey = QStringLiteral("telmora-ink:%1:%2x%3:%4:%5:%6:%7")
                                 .arg(m_path)
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(int(mode))
                                 .arg(palette.color(QPalette::Active, QPalette::ButtonText).rgba())
                                 .arg(palette.color(QPalette::Active, QPalette::Base).rgba())
                                 .arg(palette.color(QPalette::Active, QPalette::Button).rgba());
    QPixmap cached;
    if (QPixmapCache::find(cacheKey, &cached))
        return cached;

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QSvgRenderer renderer(coloured(m_svg, palette));
        QPainter p(&image);
        renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QPixmap result = QPixmap::fromImage(image);
    if (mode == QIcon::Disabled) {
        QStyleOption option;
        option.palette = palette;
        result = QApplication::style()->generatedIconPixmap(QIcon::Disabled, result, &option);
    }
    QPixmapCache::insert(cacheKey, result);
    return result;
}

void InkIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap pm = pixmap(rect.size() * ratio, mode, state);
    pm.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, pm);
}

} // namespace telmora
