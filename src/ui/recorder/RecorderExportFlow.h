#pragma once

#include <cstdint>

class QString;
class QWidget;

namespace telmora {

class ChartWidget;
class ExportDialog;
class RecorderController;

// The recorder's Export command: the export dialog, then the text of the chosen
// pages to a file, or pictures of pages to the clipboard, a file or the printer.
// Pages are shown through the controller, so the window draws each one first.
class RecorderExportFlow {
public:
    RecorderExportFlow(RecorderController& controller, ChartWidget& chart, ExportDialog& dialog,
                       QWidget* owner);
    void run();

private:
    void exportPictures(std::int32_t first, std::int32_t last, const QString& fileName);

    RecorderController& m_controller;
    ChartWidget& m_chart;
    ExportDialog& m_dialog;
    QWidget* m_owner;
};

} // namespace telmora
