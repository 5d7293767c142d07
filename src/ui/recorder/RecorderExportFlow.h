#pragma once

#include <cstdint>

class QPrinter;
class QString;
class QWidget;

namespace telmora {

class UserDialogs;
class ChartWidget;
class ExportDialog;
class RecorderController;

// The recorder's Export command: the export dialog, then the text of the chosen
// pages to a file, or pictures of pages to the clipboard, a file or the printer.
// Pages are shown through the controller, so the window draws each one first.
class RecorderExportFlow {
public:
    // Pictures for the printer go to `printer`.
    RecorderExportFlow(UserDialogs& dialogs, RecorderController& controller, ChartWidget& chart,
                       QPrinter& printer, ExportDialog& dialog, QWidget* owner);
    void run();

private:
    void exportPictures(std::int32_t first, std::int32_t last, const QString& fileName);

    UserDialogs& m_dialogs;
    RecorderController& m_controller;
    ChartWidget& m_chart;
    QPrinter& m_printer;
    ExportDialog& m_dialog;
    QWidget* m_owner;
};

} // namespace telmora
