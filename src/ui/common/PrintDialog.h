#pragma once
// The print dialog of the widget set: what WidgetDialogs shows for a
// PrintDialogRequest.

#include "app/UserDialogs.h"

namespace telmora {

// Shows the print dialog modally; true when the user chose to print, with the
// printer set up as chosen.
bool ShowPrintDialog(const PrintDialogRequest& request);

} // namespace telmora
