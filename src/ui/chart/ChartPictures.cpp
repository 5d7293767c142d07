// ChartWidget's pictures and printing: bitmaps, SVG pictures, the clipboard and
// print jobs.

#include "ui/chart/ChartWidgetImpl.h"

#include "model/fileaccess.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <functional>

namespace telmora {

namespace {

// Graphs are drawn as on a 96 dpi screen at this width and then scaled, so fonts,
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

bool saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!OpenSaveFile(file))
        return false;
    return write(file) && file.commit();
}

} // namespace

GraphPrinter::GraphPrinter(QPrinter* shared)
    : m_own(shared ? nullptr : make()), m_printer(shared ? *shared : *m_own) {}

GraphPrinter::~GraphPrinter() = default;

std::unique_ptr<QPrinter> GraphPrinter::make() {
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

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
    applyStyle();
    return d->plot
        ->toPixmap(std::clamp(w, kMinExportSide, kMaxExportSide),
                   std::clamp(h, kMinExportSide, kMaxExportSide))
        .toImage();
}

QByteArray ChartWidget::renderSvg(QSize hundredthsMm) {
    const int w = std::max(hundredthsMm.width(), 1);
    const int h = std::max(hundredthsMm.height(), 1);
    const int logicalHeight =
        std::clamp(static_cast<int>(std::lround(double(kLogicalWidth) * h / w)), kMinExportSide,
                   kMaxExportSide);
    applyStyle();
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
    QByteArray svg = buffer.data();
    declareSvgSize(svg, QSize(w, h));
    return svg;
}

bool ChartWidget::exportImage(const QString& path, QSize sizePx) {
    const bool bmp = path.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
    return saveAtomically(path, [&](QIODevice& file) {
        return renderImage(bitmapSize(sizePx)).save(&file, bmp ? "BMP" : "PNG");
    });
}

void ChartWidget::copyImage(QSize sizePx) {
    QApplication::clipboard()->setImage(renderImage(bitmapSize(sizePx)));
}

bool ChartWidget::exportSvg(const QString& path, QSizeF sizeMm) {
    return saveAtomically(
        path, [&](QIODevice& file) { return file.write(renderSvg(metafileSize(sizeMm))) >= 0; });
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
        return false; // no printer configured
    ChartPrintJob job(target);
    return job.addPage(*this) && job.finish();
}

bool ChartWidget::choosePrinter(QPrinter& target) {
    QPrintDialog dialog(&target, this);
    return dialog.exec() == QDialog::Accepted;
}

bool ChartWidget::printWithDialog(QPrinter& target) {
    if (!choosePrinter(target))
        return false;
    ChartPrintJob job(target);
    return job.addPage(*this) && job.finish();
}

// --- print jobs ----------------------------------------------------------------------

struct ChartPrintJob::Impl {
    QPrinter& printer;
    QCPPainter painter;
    bool active = false;
    int pages = 0;
    explicit Impl(QPrinter& p) : printer(p) {}
};

ChartPrintJob::ChartPrintJob(QPrinter& printer) : d(std::make_unique<Impl>(printer)) {
    d->active = d->painter.begin(&printer);
}

ChartPrintJob::~ChartPrintJob() {
    finish();
}

bool ChartPrintJob::isActive() const {
    return d->active;
}

bool ChartPrintJob::printerReady(const QPrinter& printer) {
    return printer.outputFormat() != QPrinter::NativeFormat || !printer.printerName().isEmpty();
}

bool ChartPrintJob::addPage(ChartWidget& chart) {
    if (!d->active)
        return false;
    if (d->pages > 0 && !d->printer.newPage())
        return false;
    ++d->pages;
    chart.applyStyle();
    const QRectF page = d->printer.pageRect(QPrinter::DevicePixel);
    // Draw at a screen-like size and scale to the page, so fonts and lines keep
    // their proportions whatever the printer's resolution.
    const double ratio = page.width() > 0 ? std::min(0.75, page.height() / page.width()) : 0.6;
    const int logicalHeight = static_cast<int>(kLogicalWidth * ratio);
    const double scale = page.width() / kLogicalWidth;
    d->painter.save();
    d->painter.setMode(QCPPainter::pmVectorized);
    d->painter.setMode(QCPPainter::pmNoCaching);
    d->painter.scale(scale, scale);
    chart.d->plot->toPainter(&d->painter, kLogicalWidth, logicalHeight);
    d->painter.restore();
    return true;
}

bool ChartPrintJob::finish() {
    if (!d->active)
        return false;
    d->active = false;
    return d->painter.end();
}

} // namespace telmora
