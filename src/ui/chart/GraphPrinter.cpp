#include "ui/chart/GraphPrinter.h"

#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/chart/ChartPrintJob.h"
#include "ui/chart/ChartWidget.h"

#include <QDir>
#include <QPrinter>

namespace telmora {

namespace {

// "Printer: name" or "File: path", so a message says where the job was going.
QString printTarget(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return translate("GraphPrinter", "File: ") +
               QDir::toNativeSeparators(printer.outputFileName());
    return translate("GraphPrinter", "Printer: ") + printer.printerName();
}

void reportPrintProblem(UserDialogs& dialogs, QWidget* owner, TextId id, const QString& detail) {
    QString message = text(id);
    if (!detail.isEmpty())
        message += QLatin1Char('\n') + detail;
    dialogs.showDirectBox(owner, message, CaptionKind::Error, id, BoxIcon::Error, {BoxButton::Ok});
}

bool printEachPage(ChartPrintJob& job, ChartWidget& chart, int first, int last,
                   const std::function<void(int)>& showPage, const QString& document) {
    bool printed = true;
    for (int page = first; page <= last && printed; ++page) {
        if (showPage)
            showPage(page);
        chart.setViewingStyle(ChartWidget::ViewingStyle::Monochrome);
        chart.restyle();
        printed = job.addPage(chart, document, last - first + 1);
        chart.setViewingStyle(ChartWidget::ViewingStyle::Colour);
        chart.refresh();
    }
    return printed;
}

} // namespace

GraphPrinter::GraphPrinter(QPrinter* shared)
    : m_own(shared ? nullptr : make()), m_printer(shared ? *shared : *m_own) {}

GraphPrinter::~GraphPrinter() = default;

std::unique_ptr<QPrinter> GraphPrinter::make() {
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

PrintOutcome printChartPages(UserDialogs& dialogs, ChartWidget& chart, QPrinter& printer,
                             QWidget* owner, int first, int last,
                             const std::function<void(int page)>& showPage,
                             const QString& document) {
    if (last < first)
        return PrintOutcome::Cancelled;
    if (!dialogs.choosePrinter({owner, &printer, last - first + 1}))
        return PrintOutcome::Cancelled;
    if (!ChartPrintJob::printerReady(printer)) {
        reportPrintProblem(dialogs, owner, TextId::PrinterNotSetUp, QString());
        return PrintOutcome::Failed;
    }
    ChartPrintJob job(printer);
    if (!job.isActive()) {
        reportPrintProblem(dialogs, owner, TextId::PrintFailed, printTarget(printer));
        return PrintOutcome::Failed;
    }
    const bool printed = printEachPage(job, chart, first, last, showPage, document);
    if (!job.finish() || !printed) {
        reportPrintProblem(dialogs, owner, TextId::PrintFailed, printTarget(printer));
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

PrintOutcome printChart(UserDialogs& dialogs, ChartWidget& chart, QPrinter& printer, QWidget* owner,
                        const QString& document) {
    return printChartPages(dialogs, chart, printer, owner, 1, 1, {}, document);
}

} // namespace telmora
