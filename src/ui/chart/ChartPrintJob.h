#pragma once

#include <QSize>
#include <QSizeF>

#include <memory>

class QPrinter;

namespace telmora {

class ChartWidget;

// Prints graphs page after page in one job: the pages of one export come out of
// the printer (or PDF file) as one document. The job ends when the object goes.
//
// A page shows the graph as the screen shows it, scaled to fill the printable
// area: it is laid out at a screen-like size (about the height the graph has on
// screen, widened to the page's shape) and that drawing is scaled to the page, so
// titles, tick labels, margins and lines take the same share of the page as they
// take of the graph on screen, whatever the printer's resolution.
class ChartPrintJob {
public:
    explicit ChartPrintJob(QPrinter& printer);
    ~ChartPrintJob();
    ChartPrintJob(const ChartPrintJob&) = delete;
    ChartPrintJob& operator=(const ChartPrintJob&) = delete;

    // False when the printer could not be opened (none configured, file not writable).
    bool isActive() const;
    // Draws the chart as it is now on the next page.
    bool addPage(ChartWidget& chart);
    // Ends the job; false when the printer reported a failure.
    bool finish();
    int pageCount() const;

    // True when the printer names a target: a PDF file or a named printer.
    static bool printerReady(const QPrinter& printer);

    // The size, in screen pixels, at which a graph is laid out for a printable
    // area of `page` (any unit; only its shape counts), given the height the
    // graph has on screen.
    static QSize layoutSize(QSizeF page, int screenHeight);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace telmora
