#pragma once

#include "logger/SessionGraph.h"
#include "model/exportoptions.h"

#include <QWidget>

#include <cstdint>

class QGroupBox;
class QPrinter;
class QLabel;
class QRadioButton;
class QToolButton;

namespace telmora {

class UserDialogs;
class ChartWidget;
class LineColorDialog;
class LoggerSessions;
class SessionTabs;

// The graph side of the data logger window: the read-outs of the cursor, the
// largest and the smallest reading of main and sub display, the main/sub choice,
// the page buttons and the graph of one session.
class SessionGraphView : public QWidget {
    Q_OBJECT

public:
    // The graph prints, and exports pictures for the printer, on `printer`.
    SessionGraphView(UserDialogs& dialogs, const LoggerSessions& sessions, const SessionTabs& tabs,
                     LineColorDialog& lineColors, QPrinter& printer, QWidget* parent);

    // Plots session s with the cursor on its last point and the read-outs.
    void drawSession(int s);
    // A blank graph of the current point count.
    void clearGraph();
    // No session: blank graph of 200 points, empty read-outs, page buttons and
    // main/sub choice disabled.
    void blank();
    void cursorReadout();

    // Pictures of sessions first..last (1-based): bitmap or vector picture to the
    // clipboard, a file or the printer; the current session is drawn again after.
    // False, with the reason in `reason`, when a file could not be written.
    bool exportPictures(bool bitmap, ExportDestination destination, int first, int last,
                        const QString& path, double width, double height,
                        QString* reason = nullptr);
    void print();

    const SessionPlot& plot() const { return m_plot; }
    ChartWidget& chart() const { return *m_chart; }

signals:
    void firstPageRequested();
    void pageUpRequested();
    void pageDownRequested();
    void lastPageRequested();

private:
    struct Readouts {
        QLabel* time = nullptr;
        QLabel* reading = nullptr;
        QLabel* maxTime = nullptr;
        QLabel* maxReading = nullptr;
        QLabel* minTime = nullptr;
        QLabel* minReading = nullptr;
    };

    QGroupBox* buildReadouts(const QString& display, const QString& caption, Readouts& r);
    QWidget* buildButtonBar();
    void setUpGraph();
    void resetExtremes(Readouts& r, std::int64_t& maxIndex, std::int64_t& minIndex);
    void enableChoiceFor(bool hasSub);
    void plotSample(int s, std::size_t r, int j);
    void updateExtremes(int s, std::size_t r);
    void showExtremes(int s);
    void updatePageButtons();

    // What printed pages name in their header: the session file, or where the
    // sessions came from.
    QString printedDocument() const;

    UserDialogs& m_dialogs;
    const LoggerSessions& m_sessions;
    const SessionTabs& m_tabs;
    LineColorDialog& m_lineColors;
    QPrinter& m_printer;
    SessionPlot m_plot;
    int m_drawnSession = -1; // the session whose table feeds the read-outs
    Readouts m_main;
    Readouts m_sub;
    QRadioButton* m_mainChoice = nullptr;
    QRadioButton* m_subChoice = nullptr;
    QToolButton* m_undoZoom = nullptr;
    QToolButton* m_firstPage = nullptr;
    QToolButton* m_pageUp = nullptr;
    QToolButton* m_pageDown = nullptr;
    QToolButton* m_lastPage = nullptr;
    ChartWidget* m_chart = nullptr;
};

} // namespace telmora
