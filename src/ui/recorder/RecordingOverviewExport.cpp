#include "ui/recorder/RecordingOverview.h"

#include "app/UserDialogs.h"
#include "text/texts.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/GraphPrinter.h"
#include "ui/export/ExportDialog.h"
#include "ui/export/pictureexport.h"
#include "ui/recorder/recorderfiles.h"

// The overview's picture of its graph: printed, or exported as a picture file.

namespace telmora {

namespace {

void reportExportFailure(UserDialogs& dialogs, QWidget* owner, const QString& path,
                         const QString& reason) {
    QString message = text(TextId::FileSaveError);
    if (!path.isEmpty())
        message += QStringLiteral("\n\"%1\" could not be written.").arg(path);
    if (!reason.isEmpty())
        message += QStringLiteral("\n(%1)").arg(reason);
    dialogs.showDirectBox(owner, message, CaptionKind::Error, TextId::FileSaveError, BoxIcon::Error,
                          {BoxButton::Ok});
}

} // namespace

// Printed in black and white, shown in colour again afterwards.
void RecordingOverview::printGraph() {
    printChart(m_dialogs, *m_chart, m_printer.get(), this, m_documentName);
}

ExportDialog& RecordingOverview::exportDialog() {
    if (m_exportDialog == nullptr)
        m_exportDialog =
            new ExportDialog(m_dialogs, ExportDialog::PrinterPages::ThisPageOnly, this);
    return *m_exportDialog;
}

void RecordingOverview::exportGraph() {
    ExportDialog* dlg = &exportDialog();
    dlg->setTextExportAllowed(false);
    dlg->selectType(ExportType::MetaFile);
    dlg->selectPageScope(PageScope::ThisPage);
    dlg->setPageRange(1, 1);
    dlg->setFileName(QString());
    dlg->focusExport();
    if (dlg->exec() != QDialog::Accepted)
        return;

    const ExportDestination destination = dlg->destination();
    const QString fileName = dlg->fileName();
    if (destination == ExportDestination::File && fileName.isEmpty()) {
        m_dialogs.showError(this, TextId::BrowseForFileName);
        return;
    }
    // A bitmap for the printer goes through the print dialog like the Print button.
    if (dlg->exportType() == ExportType::BitMap && destination == ExportDestination::Printer) {
        printGraph();
        return;
    }
    PictureExportRequest request{
        dlg->exportType(), destination, fileName,
        QSize(static_cast<int>(dlg->pictureWidth()), static_cast<int>(dlg->pictureHeight()))};
    request.document = m_documentName;
    QString reason;
    if (exportChartPictures(m_dialogs, *m_chart, request, m_printer.get(), this, {}, &reason) ==
        PictureExportResult::WriteFailed)
        reportExportFailure(m_dialogs, this, fileName, reason);
}

} // namespace telmora
