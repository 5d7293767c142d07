#include "ui/export/pictureexport.h"
#include "app/UserDialogs.h"

#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"

namespace telmora {

namespace {

bool exportOnePicture(ChartWidget& chart, const PictureExportRequest& request, QString* reason) {
    const bool bitmap = request.type == ExportType::BitMap;
    const QSizeF mm = QSizeF(request.size) / 100.0;
    if (request.destination == ExportDestination::ClipBoard) {
        if (bitmap)
            chart.copyImage(request.size);
        else
            chart.copySvg(mm);
        return true;
    }
    return bitmap ? chart.exportImage(request.path, request.size, reason)
                  : chart.exportSvg(request.path, mm, reason);
}

} // namespace

PictureExportResult exportChartPictures(UserDialogs& dialogs, ChartWidget& chart,
                                        const PictureExportRequest& request, QPrinter& printer,
                                        QWidget* owner,
                                        const std::function<void(int page)>& showPage,
                                        QString* reason) {
    PictureExportResult result = PictureExportResult::Done;
    if (request.destination == ExportDestination::Printer) {
        if (printChartPages(dialogs, chart, printer, owner, request.firstPage, request.lastPage,
                            showPage, request.document) != PrintOutcome::Printed)
            result = PictureExportResult::PrintStopped;
    } else {
        if (showPage)
            showPage(request.firstPage);
        if (!exportOnePicture(chart, request, reason))
            result = PictureExportResult::WriteFailed;
    }
    if (showPage)
        showPage(request.currentPage);
    return result;
}

} // namespace telmora
