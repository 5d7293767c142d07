#pragma once

#include "ui/export/ExportDialog.h"

namespace telmora {

// The export dialog of the graph viewer. It is the recorder's export dialog with
// the printer page lock set: printing covers This Page only.
class FitExportDialog : public ExportDialog {
    Q_OBJECT
public:
    explicit FitExportDialog(QWidget* parent = nullptr);
};

} // namespace telmora
