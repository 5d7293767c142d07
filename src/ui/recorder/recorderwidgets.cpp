#include "ui/recorder/recorderwidgets.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace telmora {

// The tool buttons' pictures, drawn in code so they scale and need no files.
QIcon MakeRecorderGlyph(RecorderGlyph g) {
    const int s = 24;
    QPixmap pm(s * 2, s * 2);
    pm.setDevicePixelRatio(2.0);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    const QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    auto triangle = [&](QPointF a, QPointF b, QPointF c, const QColor& fill) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(b);
        path.lineTo(c);
        path.closeSubpath();
        p.fillPath(path, fill);
    };
    auto magnifier = [&] {
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
        p.setPen(pen);
    };
    switch (g) {
    case RecorderGlyph::Start:
        p.setBrush(QColor(210, 30, 30));
        p.setPen(QPen(QColor(120, 0, 0), 1.2));
        p.drawEllipse(QPointF(12, 12), 7, 7);
        break;
    case RecorderGlyph::Stop:
        p.setBrush(QColor(50, 50, 50));
        p.drawRect(QRectF(6, 6, 12, 12));
        break;
    case RecorderGlyph::Manual:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(5, 4, 14, 16));
        p.setPen(QPen(QColor(0, 110, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 8), QPointF(12, 16));
        p.drawLine(QPointF(10, 10), QPointF(12, 8));
        break;
    case RecorderGlyph::Option:
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QPointF(12, 12), 8, 8);
        p.drawLine(QPointF(12, 12), QPointF(12, 7));
        p.drawLine(QPointF(12, 12), QPointF(16, 14));
        break;
    case RecorderGlyph::Open:
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(3, 7, 15, 11));
        p.setBrush(QColor(250, 220, 120));
        triangle(QPointF(6, 11), QPointF(21, 11), QPointF(18, 18), QColor(250, 220, 120));
        p.drawLine(QPointF(6, 11), QPointF(21, 11));
        break;
    case RecorderGlyph::Save:
        p.setBrush(QColor(70, 100, 170));
        p.drawRect(QRectF(4, 4, 16, 16));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(QRectF(7, 4, 10, 6));
        p.drawRect(QRectF(7, 13, 10, 7));
        break;
    case RecorderGlyph::Print:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case RecorderGlyph::Clear:
        p.setPen(QPen(QColor(200, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case RecorderGlyph::Import:
        p.setBrush(QColor(255, 230, 120));
        p.drawRoundedRect(QRectF(3, 3, 11, 18), 2, 2);
        p.setBrush(QColor(160, 200, 160));
        p.drawRect(QRectF(5, 5, 7, 5));
        p.setPen(QPen(QColor(0, 90, 180), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 12), QPointF(21, 12));
        triangle(QPointF(21, 8), QPointF(21, 16), QPointF(23.5, 12), QColor(0, 90, 180));
        break;
    case RecorderGlyph::Export:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(3, 6, 12, 14));
        p.setPen(QPen(QColor(0, 130, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 13), QPointF(19, 13));
        triangle(QPointF(18, 9), QPointF(18, 17), QPointF(22.5, 13), QColor(0, 130, 60));
        break;
    case RecorderGlyph::First:
        p.fillRect(QRectF(5, 6, 2.5, 12), ink);
        triangle(QPointF(8, 12), QPointF(14, 6), QPointF(14, 18), ink);
        triangle(QPointF(13, 12), QPointF(19, 6), QPointF(19, 18), ink);
        break;
    case RecorderGlyph::PageUp:
        triangle(QPointF(8, 12), QPointF(16, 5), QPointF(16, 19), ink);
        break;
    case RecorderGlyph::PageDown:
        triangle(QPointF(16, 12), QPointF(8, 5), QPointF(8, 19), ink);
        break;
    case RecorderGlyph::Last:
        triangle(QPointF(11, 12), QPointF(5, 6), QPointF(5, 18), ink);
        triangle(QPointF(16, 12), QPointF(10, 6), QPointF(10, 18), ink);
        p.fillRect(QRectF(16.5, 6, 2.5, 12), ink);
        break;
    case RecorderGlyph::UndoZoom:
        magnifier();
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
        break;
    case RecorderGlyph::Fit:
        magnifier();
        p.drawRect(QRectF(7.5, 7.5, 5, 5));
        break;
    }
    p.end();
    return QIcon(pm);
}

QLabel* MakeValuePanel(QWidget* parent, const char* name, int minWidth) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0)); // lime
    l->setPalette(pal);
    QFont f(QStringLiteral("Airal"));
    f.setPointSize(11);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(minWidth);
    l->setMinimumHeight(QFontMetrics(f).height() + 8);
    return l;
}

} // namespace telmora
