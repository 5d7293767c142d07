#pragma once

#include "model/exportoptions.h"

#include <QSize>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace telmora {

class ChartWidget;
class UserDialogs;

// A picture export as the export dialog describes it.
struct PictureExportRequest {
    ExportType type = ExportType::MetaFile; // MetaFile or BitMap
    ExportDestination destination = ExportDestination::ClipBoard;
    QString path;      // for File
    QSize size;        // pixels for bitmaps, hundredths of a millimetre for vector pictures
    int firstPage = 1; // pages to print; clipboard and file take the first page
    int lastPage = 1;
    int currentPage = 1; // shown again afterwards
    QString document{};  // named in the header of printed pages
};

enum class PictureExportResult { Done, WriteFailed, PrintStopped };

// The one loop that turns chart pages into pictures for the recorder, the import
// window and the graph viewer. `showPage` puts a page on the chart (it is not
// called when empty: the chart shows its only page); afterwards the current page
// is shown again. Printing makes one print job of the pages on `printer`, after
// the print dialog (see printChartPages); problems are reported to the user with
// `owner` as the parent of the message, and give PrintStopped like a cancel. A
// file that could not be written gives WriteFailed with the reason in `reason`.
PictureExportResult exportChartPictures(UserDialogs& dialogs, ChartWidget& chart,
                                        const PictureExportRequest& request, QPrinter& printer,
                                        QWidget* owner,
                                        const std::function<void(int page)>& showPage = {},
                                        QString* reason = nullptr);

} // namespace telmora
