#include "ui/export/FitExportDialog.h"

namespace telmora {

FitExportDialog::FitExportDialog(QWidget* parent) : ExportDialog(parent) {
    setPrinterPageLock(true);
    sourceFlag = 1;
}

} // namespace telmora
