#include "ui/chart/ChartPrintJob.h"

#include "ui/chart/ChartWidgetImpl.h"

#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {

// The height a graph is laid out with when it has none on screen (never shown).
constexpr int kUnshownHeight = 450;
constexpr int kMinLayoutHeight = 240;
constexpr int kMaxLayoutHeight = 1600;
// On a page narrower than the screen's shape (portrait) the layout is widened,
// at the cost of slightly smaller text, until the axis has room for its labels.
constexpr double kMinLayoutWidth = 480.0;
constexpr double kMaxWidening = 1.3;

} // namespace

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

int ChartPrintJob::pageCount() const {
    return d->pages;
}

bool ChartPrintJob::printerReady(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty();
}

QSize ChartPrintJob::layoutSize(QSizeF page, int screenHeight) {
    const double height = std::clamp(screenHeight, kMinLayoutHeight, kMaxLayoutHeight);
    const double shape = page.height() > 0 ? page.width() / page.height() : 1.0;
    double w = height * shape;
    double h = height;
    if (w < kMinLayoutWidth) {
        const double widen = std::min(kMinLayoutWidth / w, kMaxWidening);
        w *= widen;
        h *= widen;
    }
    return {static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h))};
}

bool ChartPrintJob::addPage(ChartWidget& chart) {
    if (!d->active)
        return false;
    if (d->pages > 0 && !d->printer.newPage())
        return false;
    ++d->pages;
    const QRectF page = d->printer.pageRect(QPrinter::DevicePixel);
    const int screenHeight = chart.isVisible() ? chart.height() : kUnshownHeight;
    const QSize layout = layoutSize(page.size(), screenHeight);
    d->painter.save();
    d->painter.setMode(QCPPainter::pmVectorized);
    d->painter.setMode(QCPPainter::pmNoCaching);
    // Hairlines would be one printer dot wide; they get the width of a screen pixel.
    d->painter.setMode(QCPPainter::pmNonCosmetic);
    d->painter.scale(page.width() / layout.width(), page.height() / layout.height());
    chart.paintOn(d->painter, layout);
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
