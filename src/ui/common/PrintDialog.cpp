#include "ui/common/PrintDialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace telmora {

namespace {

PrintDialogInterceptor g_printInterceptor;

} // namespace

void SetPrintDialogInterceptor(PrintDialogInterceptor interceptor) {
    g_printInterceptor = std::move(interceptor);
}

bool RunPrintDialog(const PrintDialogRequest& request) {
    if (request.printer == nullptr)
        return false;
    if (g_printInterceptor)
        return g_printInterceptor(request);

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
