#include "ui/common/PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace telmora {

bool ShowPrintDialog(const PrintDialogRequest& request) {
    if (request.printer == nullptr)
        return false;
    QPrinter& printer = *request.printer;
    // Every job prints all of its pages; a range left from an earlier job would
    // drop some of them.
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, request.owner);
    const int pages = std::max(1, request.pageCount);
    dialog.setMinMax(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace telmora
