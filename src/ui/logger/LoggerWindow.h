#pragma once

#include "logger/ImportSessions.h"
#include "logger/SessionGraph.h"
#include "text/texts.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QWidget;

namespace telmora {

class ChartWidget;
class ProgressWindow;
class ExportDialog;
class LineColorDialog;

// "Data Logger": the sessions downloaded from the meter's logger memory or read
// from a session file, one tab with a table per session and a graph of one
// session at a time with cursor, current and extreme read-outs. Opened modally by
// the recorder once the live link is released; closing it discards the sessions.
class LoggerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit LoggerWindow(QWidget* parent = nullptr);
    ~LoggerWindow() override;

    // --- handlers, named after their controls ---
    void sbtnImportClick(); // download of the logger memory
    void sbtnExportClick();
    void sbtnOpenClick();
    bool sbtnSaveClick(); // true when the sessions are saved afterwards
    void sbtnClearClick();
    void sbtnFirstPageClick();
    void sbtnPageUpClick();
    void sbtnPageDownClick();
    void sbtnLastPageClick();
    void sbtnUndoZoomClick();
    void rbtnMainDataClick();
    void rbtnSubDataClick();
    void ChartWidgetCursorMoved();
    void ChartWidgetZoomIn();
    void mnuPrintClick();
    void mnuPrinterSetupClick();
    void mnuGraphLineColorClick();

    // --- window operations ---
    void UpdateControls();
    bool AddSessionTab();
    void RemoveSessionTabs();
    void DrawSession(int s);
    void ClearGraph();
    void ResetExtremes(bool main);
    void CursorReadout();
    // The import reset request (message 1036): busy flag clear, no sessions, blank
    // graph, controls updated.
    void resetImport();

    // Text export of sessions first..last (1-based, clamped) to `path`; false on a
    // write failure (reported to the user).
    bool ExportText(const QString& path, int first, int last);
    // Kind 1 bitmap, 0 vector picture; destination 0 clipboard, 1 file, 2 printer.
    void ExportImage(int kind, int destination, int first, int last, const QString& path,
                     double width, double height);

    // Read access for tests and the export.
    const telmora::ImportSessions& data() const { return m_data; }
    const telmora::SessionPlot& plot() const { return m_plot; }
    int tabCount() const { return static_cast<int>(m_grids.size()); }
    QTableView* grid(int i) const { return m_grids.at(static_cast<std::size_t>(i)); }

    // --- controls, named as the window describes them ---
    QToolBar* ToolBar1 = nullptr;
    QToolButton* sbtnImport = nullptr;
    QToolButton* sbtnExport = nullptr;
    QToolButton* sbtnOpen = nullptr;
    QToolButton* sbtnSave = nullptr;
    QToolButton* sbtnClear = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QWidget* PanelClient = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* PanelGraph = nullptr;

    QGroupBox* grbxMainDisplay = nullptr;
    QLabel* pnlMainDataTime = nullptr;
    QLabel* pnlMainDataRdg = nullptr;
    QGroupBox* grbxMaxMainData = nullptr;
    QLabel* pnlMaxMainDataTime = nullptr;
    QLabel* pnlMaxMainDataRdg = nullptr;
    QGroupBox* grbxMinMainData = nullptr;
    QLabel* pnlMinMainDataTime = nullptr;
    QLabel* pnlMinMainDataRdg = nullptr;

    QGroupBox* grbxSubDisplay = nullptr;
    QLabel* pnlSubDataTime = nullptr;
    QLabel* pnlSubDataRdg = nullptr;
    QGroupBox* grbxMaxSubData = nullptr;
    QLabel* pnlMaxSubDataTime = nullptr;
    QLabel* pnlMaxSubDataRdg = nullptr;
    QGroupBox* grbxMinSubData = nullptr;
    QLabel* pnlMinSubDataTime = nullptr;
    QLabel* pnlMinSubDataRdg = nullptr;

    QWidget* PanelSBtn = nullptr;
    QRadioButton* rbtnMainData = nullptr;
    QRadioButton* rbtnSubData = nullptr;
    QToolButton* sbtnUndoZoom = nullptr;
    QToolButton* sbtnFirstPage = nullptr;
    QToolButton* sbtnPageUp = nullptr;
    QToolButton* sbtnPageDown = nullptr;
    QToolButton* sbtnLastPage = nullptr;
    telmora::ChartWidget* ChartWidget = nullptr;

    QAction* mnuOpen = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuPrinterSetup = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuLineColor = nullptr;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void setUpGraph();
    // Discards every session and its tab, blanks the graph and the read-outs.
    void discardSessions();
    // Adds a tab per session held, draws the last one with the cursor on its end.
    bool showSessions();
    void drawAndReadout(int s);
    void updatePageButtons();
    // The text of cell (row, column) of the table of session s (row 0 the titles).
    QString cellText(int s, int row, int column) const;
    // Plots sample r of the current session at graph point j.
    void plotSample(int s, std::size_t r, int j);
    void updateExtremes(int s, std::size_t r);
    ProgressWindow* progressForm();
    ExportDialog* exportForm();
    LineColorDialog* lineColorForm();
    void reportDownloadMessage(TextId message);

    telmora::ImportSessions m_data;
    telmora::SessionPlot m_plot;
    std::vector<QTableView*> m_grids;
    std::unique_ptr<ProgressWindow> m_ownMsgForm;
    std::unique_ptr<ExportDialog> m_ownExportForm;
    std::unique_ptr<LineColorDialog> m_ownLineColorForm;
    int m_drawnSession = -1; // the session whose table feeds the read-outs
};

} // namespace telmora
