#pragma once

#include "export/TDlgExportForm.h"

// The export dialog of the graph viewer. It is the recorder's export dialog with
// the printer page lock set: printing covers This Page only.
class TDlgFitExportForm : public TDlgExportForm {
    Q_OBJECT
public:
    explicit TDlgFitExportForm(QWidget* parent = nullptr);
};
