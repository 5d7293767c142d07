#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace telmora {

// One print dialog: the printer it sets up and the number of pages the job will
// have (the pages were chosen before, so the dialog offers no page range).
struct PrintDialogRequest {
    QWidget* owner = nullptr;
    QPrinter* printer = nullptr;
    int pageCount = 1;
};

// Shows the print dialog modally; true when the user chose to print, with the
// printer set up as chosen. Tests install an interceptor that answers instead
// of the user (and may set the printer up, for example to a PDF file).
using PrintDialogInterceptor = std::function<bool(const PrintDialogRequest&)>;
void SetPrintDialogInterceptor(PrintDialogInterceptor interceptor);
bool RunPrintDialog(const PrintDialogRequest& request);

} // namespace telmora
