#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace telmora {

class ChartWidget;
class UserDialogs;

// The printer a window's graphs print through: the one it is given, which the
// main window shares with every window so that a printer set-up chosen in one
// holds in all, or a high-resolution printer of its own when given none (a
// window built alone, as in tests).
class GraphPrinter {
public:
    explicit GraphPrinter(QPrinter* shared);
    ~GraphPrinter();
    GraphPrinter(const GraphPrinter&) = delete;
    GraphPrinter& operator=(const GraphPrinter&) = delete;

    QPrinter& get() const { return m_printer; }
    // A new printer as graphs use it: high resolution, the system's default.
    static std::unique_ptr<QPrinter> make();

private:
    std::unique_ptr<QPrinter> m_own;
    QPrinter& m_printer;
};

enum class PrintOutcome { Printed, Cancelled, Failed };

// Prints the pages `first` to `last` of a chart as one job on `printer`. The print
// dialog comes first, so the user sees (and may change) the printer or file that
// receives the job; then each page is put on the chart by `showPage` (when given)
// and printed in monochrome. The chart is in colour again afterwards. A printer
// that is not set up or cannot print is reported through the message routine,
// with the printer or file it concerns; a cancelled dialog prints nothing.
// Each page's header names `document` (the file shown, or what is printed when
// there is none).
PrintOutcome printChartPages(UserDialogs& dialogs, ChartWidget& chart, QPrinter& printer,
                             QWidget* owner, int first, int last,
                             const std::function<void(int page)>& showPage = {},
                             const QString& document = QString());

// The chart as it is shown, on one page.
PrintOutcome printChart(UserDialogs& dialogs, ChartWidget& chart, QPrinter& printer, QWidget* owner,
                        const QString& document = QString());

} // namespace telmora
