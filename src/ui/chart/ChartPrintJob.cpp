#include "ui/chart/ChartPrintJob.h"

#include "text/texts.h"
#include "ui/chart/ChartWidgetImpl.h"

#include <QFontMetricsF>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace telmora {

namespace {

// Layout pixels per inch of paper: text set in pixels for the screen comes out at
// its usual size in points.
constexpr double kLayoutPixelsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;
// The header line: its font size in points and the gap below it (points).
constexpr double kHeaderPoints = 8.0;
constexpr double kHeaderGapPoints = 6.0;

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

QSize ChartPrintJob::layoutSize(QSizeF pagePoints) {
    const double scale = kLayoutPixelsPerInch / kPointsPerInch;
    return {std::max(1, static_cast<int>(std::lround(pagePoints.width() * scale))),
            std::max(1, static_cast<int>(std::lround(pagePoints.height() * scale)))};
}

QString ChartPrintJob::headerText(const QString& document, const QDateTime& printed, int page,
                                  int pageTotal) {
    // The date as ISO 8601 and numbers in plain digits, whatever the locale.
    const QString when = printed.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const QString number = QString::number(page);
    const QString total = QString::number(std::max(page, pageTotal));
    if (document.isEmpty())
        return translate("ChartPrintJob", "printed %1    page %2 of %3").arg(when, number, total);
    return translate("ChartPrintJob", "%1    printed %2    page %3 of %4")
        .arg(document, when, number, total);
}

bool ChartPrintJob::addPage(ChartWidget& chart, const QString& document, int pageTotal) {
    if (!d->active)
        return false;
    if (d->pages > 0 && !d->printer.newPage())
        return false;
    ++d->pages;
    const QRectF page = d->printer.pageRect(QPrinter::DevicePixel);
    const double dotsPerPoint = d->printer.resolution() / kPointsPerInch;

    // The header line at the top of the printable area, in its own size in points.
    QFont font = chart.font();
    font.setPointSizeF(kHeaderPoints);
    d->painter.save();
    d->painter.setFont(QFont(font, &d->printer));
    d->painter.setPen(Qt::black);
    const double headerHeight = QFontMetricsF(d->painter.font()).height();
    const QString header = headerText(document, QDateTime::currentDateTime(), d->pages, pageTotal);
    d->painter.drawText(QRectF(0, 0, page.width(), headerHeight),
                        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, header);
    d->painter.restore();

    // The graph below it, laid out at the paper's scale.
    const double top = headerHeight + kHeaderGapPoints * dotsPerPoint;
    const QSizeF graphArea(page.width(), std::max(1.0, page.height() - top));
    const QSize layout = layoutSize(graphArea / dotsPerPoint);
    d->painter.save();
    d->painter.setMode(QCPPainter::pmVectorized);
    d->painter.setMode(QCPPainter::pmNoCaching);
    // Hairlines would be one printer dot wide; they get the width of a layout pixel.
    d->painter.setMode(QCPPainter::pmNonCosmetic);
    d->painter.translate(0, top);
    d->painter.scale(graphArea.width() / layout.width(), graphArea.height() / layout.height());
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
