// ChartWidget's pictures and printing: bitmaps, SVG pictures, the clipboard and
// one printed page.

#include "ui/chart/ChartPrintJob.h"
#include "ui/chart/ChartWidgetImpl.h"

#include "model/SaveFile.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>

namespace telmora {

namespace {

// Vector pictures are drawn as on a 96 dpi screen at this width and then scaled, so fonts,
// margins and lines keep their proportions on any device.
constexpr int kLogicalWidth = 1000;

// The generator writes the size it derived from 96 dpi; put in the size asked for.
void declareSvgSize(QByteArray& svg, QSize hundredthsMm) {
    const qsizetype tag = svg.indexOf("<svg");
    const qsizetype close = tag < 0 ? -1 : svg.indexOf('>', tag);
    if (close <= tag)
        return;
    static const QRegularExpression widthAttr(QStringLiteral("width=\"[^\"]*\""));
    static const QRegularExpression heightAttr(QStringLiteral("height=\"[^\"]*\""));
    QString head = QString::fromLatin1(svg.mid(tag, close - tag));
    head.replace(widthAttr,
                 QStringLiteral("width=\"%1mm\"").arg(hundredthsMm.width() / 100.0, 0, 'f', 2));
    head.replace(heightAttr,
                 QStringLiteral("height=\"%1mm\"").arg(hundredthsMm.height() / 100.0, 0, 'f', 2));
    svg.replace(tag, close - tag, head.toLatin1());
}

void setReason(QString* reason, const QString& text) {
    if (reason != nullptr)
        *reason = text;
}

} // namespace

QSize ChartWidget::bitmapSize(QSize requested) const {
    const int w = requested.width() > 0 ? requested.width() : std::max(width(), 640);
    const int h = requested.height() > 0 ? requested.height() : std::max(height(), 400);
    return {std::clamp(w, kMinExportSide, kMaxExportSide),
            std::clamp(h, kMinExportSide, kMaxExportSide)};
}

QSize ChartWidget::metafileSize(QSizeF requestedMm) const {
    // Hundredths of a millimetre; without a size, the widget's size at 96 dpi.
    const long w = std::lround(requestedMm.width() * 100.0);
    const long h = std::lround(requestedMm.height() * 100.0);
    return {w > 0 ? static_cast<int>(w) : std::max(width(), 640) * 2540 / 96,
            h > 0 ? static_cast<int>(h) : std::max(height(), 400) * 2540 / 96};
}

QImage ChartWidget::renderImage(QSize sizePx) {
    const int w = sizePx.width() > 0 ? sizePx.width() : std::max(width(), 16);
    const int h = sizePx.height() > 0 ? sizePx.height() : std::max(height(), 16);
    const QSize size(std::clamp(w, kMinExportSide, kMaxExportSide),
                     std::clamp(h, kMinExportSide, kMaxExportSide));
    applyStyle(size.width());
    const QImage image = d->plot->toPixmap(size.width(), size.height()).toImage();
    applyStyle();
    return image;
}

QByteArray ChartWidget::renderSvg(QSize hundredthsMm) {
    const int w = std::max(hundredthsMm.width(), 1);
    const int h = std::max(hundredthsMm.height(), 1);
    const int logicalHeight =
        std::clamp(static_cast<int>(std::lround(double(kLogicalWidth) * h / w)), kMinExportSide,
                   kMaxExportSide);
    applyStyle(kLogicalWidth);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(96);
    generator.setSize(QSize(kLogicalWidth, logicalHeight));
    generator.setViewBox(QRect(0, 0, kLogicalWidth, logicalHeight));
    generator.setTitle(d->mainTitle);
    QCPPainter painter(&generator);
    d->plot->toPainter(&painter, kLogicalWidth, logicalHeight);
    painter.end();
    applyStyle();
    QByteArray svg = buffer.data();
    declareSvgSize(svg, QSize(w, h));
    return svg;
}

bool ChartWidget::exportImage(const QString& path, QSize sizePx, QString* reason) {
    if (path.isEmpty())
        return false;
    // Encoded in memory first, so the file gets one checked write.
    const bool bmp = path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    if (!renderImage(bitmapSize(sizePx)).save(&encoded, bmp ? "BMP" : "PNG")) {
        setReason(reason, QStringLiteral("the picture could not be encoded"));
        return false;
    }
    return SaveFile::writeWhole(path, encoded.data(), reason);
}

void ChartWidget::copyImage(QSize sizePx) {
    QApplication::clipboard()->setImage(renderImage(bitmapSize(sizePx)));
}

bool ChartWidget::exportSvg(const QString& path, QSizeF sizeMm, QString* reason) {
    if (path.isEmpty())
        return false;
    return SaveFile::writeWhole(path, renderSvg(metafileSize(sizeMm)), reason);
}

void ChartWidget::copySvg(QSizeF sizeMm) {
    const QSize size = metafileSize(sizeMm);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), renderSvg(size));
    // Programs that take no vector pictures get the same graph as a bitmap.
    const int imageHeight =
        static_cast<int>(std::lround(double(kLogicalWidth) * size.height() / size.width()));
    mime->setImageData(renderImage(QSize(kLogicalWidth, imageHeight)));
    QApplication::clipboard()->setMimeData(mime);
}

bool ChartWidget::print(QPrinter& target) {
    if (!ChartPrintJob::printerReady(target))
        return false;
    ChartPrintJob job(target);
    return job.addPage(*this) && job.finish();
}

void ChartWidget::paintOn(QCPPainter& painter, QSize size) {
    applyStyle(size.width());
    d->plot->toPainter(&painter, size.width(), size.height());
    applyStyle();
}

} // namespace telmora
