#include "export/TDlgFitExportForm.h"

TDlgFitExportForm::TDlgFitExportForm(QWidget* parent) : TDlgExportForm(parent) {
    setPrinterPageLock(true);
    sourceFlag = 1;
}
