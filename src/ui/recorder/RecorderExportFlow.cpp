#include "ui/recorder/RecorderExportFlow.h"

#include "app/UserDialogs.h"
#include "recording/RecorderController.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/export/ExportDialog.h"
#include "ui/export/pictureexport.h"
#include "ui/recorder/recorderfiles.h"

#include <cmath>

namespace telmora {

RecorderExportFlow::RecorderExportFlow(UserDialogs& dialogs, RecorderController& controller,
                                       ChartWidget& chart, QPrinter& printer, ExportDialog& dialog,
                                       QWidget* owner)
    : m_dialogs(dialogs), m_controller(controller), m_chart(chart), m_printer(printer),
      m_dialog(dialog), m_owner(owner) {}

void RecorderExportFlow::run() {
    ExportDialog* dlg = &m_dialog;
    dlg->setTextExportAllowed(true);
    dlg->setSeveralMeters(m_controller.meterCount() > 1);
    dlg->selectType(ExportType::Text);
    dlg->selectPageScope(PageScope::ThisPage);
    dlg->setPageRange(1, m_controller.lastPage());
    dlg->setFileName(QString());
    dlg->focusBrowse();
    if (dlg->exec() != QDialog::Accepted)
        return;

    const QString fileName = dlg->fileName();
    if (dlg->destination() == ExportDestination::File && fileName.isEmpty()) {
        m_dialogs.showError(m_owner, TextId::BrowseForFileName);
        return;
    }
    ExportPages scope = ExportPages::Current;
    if (dlg->pageScope() == PageScope::Range)
        scope = ExportPages::Range;
    else if (dlg->pageScope() == PageScope::AllPages)
        scope = ExportPages::All;
    const auto [first, last] = m_controller.exportPages(
        scope, dlg->pageFrom().value_or(1), dlg->pageTo().value_or(m_controller.lastPage()));
    // Text is written on the controller's worker thread; the window reports the outcome.
    if (dlg->exportType() == ExportType::Text)
        m_controller.startTextExport(fileName, first, last);
    else if (dlg->exportType() == ExportType::TidyText)
        m_controller.startTextExport(fileName, first, last, TextExportFormat::Tidy,
                                     dlg->tidyLayout());
    else
        exportPictures(first, last, fileName);
}

void RecorderExportFlow::exportPictures(std::int32_t first, std::int32_t last,
                                        const QString& fileName) {
    const ExportDestination destination = m_dialog.destination();
    const std::int32_t currentPage = m_controller.currentPage();
    if (destination != ExportDestination::Printer)
        first = last = currentPage; // a picture to the clipboard or a file is one page
    const PictureExportRequest request{
        m_dialog.exportType(),
        destination,
        fileName,
        QSize(static_cast<int>(std::lround(m_dialog.pictureWidth())),
              static_cast<int>(std::lround(m_dialog.pictureHeight()))),
        first,
        last,
        currentPage,
        PrintedDocumentName(m_controller)};
    // Pages are shown through the controller, so the window draws each one first.
    QString reason;
    const PictureExportResult result = exportChartPictures(
        m_dialogs, m_chart, request, m_printer, m_owner,
        [this](int page) { m_controller.showPage(page); }, &reason);
    if (result == PictureExportResult::WriteFailed)
        showFileSaveError(m_dialogs, m_owner, fileName, reason);
}

} // namespace telmora
