#pragma once

#include <QDateTime>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>

class QPrinter;

namespace telmora {

class ChartWidget;

// Prints graphs page after page in one job: the pages of one export come out of
// the printer (or PDF file) as one document. The job ends when the object goes.
//
// Paper has a scale of its own: the graph is laid out as if the page were a
// screen of 96 pixels per inch, so its text has the same size in points on every
// page (whatever the window it was printed from or the printer's resolution), and
// the time axis takes as many labels as the printed width holds. Above the graph
// every page carries a header line: what was printed, when, and "page n of m".
class ChartPrintJob {
public:
    explicit ChartPrintJob(QPrinter& printer);
    ~ChartPrintJob();
    ChartPrintJob(const ChartPrintJob&) = delete;
    ChartPrintJob& operator=(const ChartPrintJob&) = delete;

    // False when the printer could not be opened (none configured, file not writable).
    bool isActive() const;
    // Draws the chart as it is now on the next page, below a header line that
    // names `document` (a file name, or what is printed when there is none), the
    // date and time printed and the page's number among `pageTotal` pages.
    bool addPage(ChartWidget& chart, const QString& document = QString(), int pageTotal = 1);
    // Ends the job; false when the printer reported a failure.
    bool finish();
    int pageCount() const;

    // True when the printer names a target: a PDF file or a named printer.
    static bool printerReady(const QPrinter& printer);

    // The size, in the pixels a graph is laid out in, of a printable area of
    // `pagePoints` (in points, 1/72 inch): 96 such pixels to the inch.
    static QSize layoutSize(QSizeF pagePoints);

    // The header line of page `page` of `pageTotal`.
    static QString headerText(const QString& document, const QDateTime& printed, int page,
                              int pageTotal);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace telmora
