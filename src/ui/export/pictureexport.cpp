#include "ui/export/pictureexport.h"

#include "ui/chart/ChartWidget.h"

#include <optional>

namespace telmora {

namespace {

bool exportOnePicture(ChartWidget& chart, const PictureExportRequest& request) {
    const bool bitmap = request.type == ExportType::BitMap;
    const QSizeF mm = QSizeF(request.size) / 100.0;
    if (request.destination == ExportDestination::ClipBoard) {
        if (bitmap)
            chart.copyImage(request.size);
        else
            chart.copySvg(mm);
        return true;
    }
    return bitmap ? chart.exportImage(request.path, request.size)
                  : chart.exportSvg(request.path, mm);
}

PictureExportResult printPages(ChartWidget& chart, const PictureExportRequest& request,
                               QPrinter& printer, const std::function<void(int)>& showPage) {
    std::optional<ChartPrintJob> job;
    bool printed = true;
    for (int page = request.firstPage; page <= request.lastPage && printed; ++page) {
        if (showPage)
            showPage(page);
        chart.setViewingStyle(ChartWidget::ViewingStyle::Monochrome);
        chart.restyle();
        // Without a configured printer the first page asks for one rather than
        // print nothing; a cancelled dialog ends the export.
        if (!job && (ChartPrintJob::printerReady(printer) || chart.choosePrinter(printer)))
            job.emplace(printer);
        printed = job && job->addPage(chart);
        chart.setViewingStyle(ChartWidget::ViewingStyle::Colour);
        chart.refresh();
    }
    printed = job && job->finish() && printed;
    return printed ? PictureExportResult::Done : PictureExportResult::PrintStopped;
}

} // namespace

PictureExportResult exportChartPictures(ChartWidget& chart, const PictureExportRequest& request,
                                        QPrinter& printer,
                                        const std::function<void(int page)>& showPage) {
    PictureExportResult result = PictureExportResult::Done;
    if (request.destination == ExportDestination::Printer) {
        result = printPages(chart, request, printer, showPage);
    } else {
        if (showPage)
            showPage(request.firstPage);
        if (!exportOnePicture(chart, request))
            result = PictureExportResult::WriteFailed;
    }
    if (showPage)
        showPage(request.currentPage);
    return result;
}

} // namespace telmora
