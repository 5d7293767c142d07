#pragma once

#include <QColor>
#include <QStringList>

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QPrinter;

namespace telmora {

class UserDialogs;
class ChartWidget;
class LiveReadout;
class RecorderController;
struct SampleEntry;

// The recorder's graph over its controller: one page of points, counted back from
// the newest sample, with the cursor on the newest point after each new sample.
// The first meter is the chart's series; further meters and the math channel are
// traces over the same points, drawn again with every page and sample. A meter's
// readings in another unit than its newest (after a change of function) are a
// line of their own on that unit's axis. The value axis follows the readings
// shown. Screen readers are told the newest reading and the lowest and highest one.
class RecorderGraph {
public:
    // Pages print on `printer`.
    RecorderGraph(UserDialogs& dialogs, ChartWidget& chart, const RecorderController& controller,
                  std::int32_t pointsPerPage, QPrinter& printer);

    // Styles and scales the chart once.
    void setUp();
    // An empty page at the recording's scale.
    void reset();
    // The controller's current page.
    void drawPage();
    // The sample at buffer `index` joins the graph on the right.
    void appendSample(std::int64_t index);
    // The sample under the cursor; none on an empty point or a sample that cannot be
    // read.
    std::optional<SampleEntry> sampleAtCursor() const;
    // Buffer indices first .. end - 1 of the samples the view shows (the page, or
    // the zoomed part of it).
    std::pair<std::int64_t, std::int64_t> shownSamples() const;
    // The point of the shown page that shows buffer index `index`; -1: none.
    int pointOfIndex(std::int64_t index) const;
    // The buffer index of the point under the cursor (negative or beyond the
    // recording on an empty point).
    std::int64_t cursorIndex() const;
    // Every meter's and the math channel's reading at the cursor, one per line;
    // empty with a single meter and no math channel, or on an empty point.
    QStringList readingsAtCursor() const;
    // "Reading" with the unit of `sample`, or plain "Reading" without one.
    void showUnitOf(const SampleEntry* sample);
    // Prints the shown page in monochrome through the print dialog.
    void printPage();
    // Draws the markers of the shown page (after every change of the page or the
    // markers).
    void drawMarkers();

private:
    // The buffer index of graph point `point` on the shown page.
    std::int64_t indexOfPoint(int point) const;
    // The legend names and the traces of the shown page (taken over by the next refresh).
    void drawTraces();
    // The axis unit of meter `meter`'s sample at buffer `index` ("(V)"); empty
    // where it has no reading.
    QString unitAt(int meter, std::int64_t index) const;
    // Every meter's unit at every point of the shown page, looked up again.
    void findUnits();
    // The series' values at the points, the first meter's readings whatever their unit.
    std::vector<float> m_values;
    // [meter][point]: the unit of each meter's reading at each point of the page.
    std::vector<std::vector<QString>> m_units;

    UserDialogs& m_dialogs;
    ChartWidget& m_chart;
    const RecorderController& m_controller;
    std::int32_t m_pointsPerPage;
    QPrinter& m_printer;
    // Tells screen readers the newest reading and the range (a child of the chart).
    LiveReadout* m_readout = nullptr;
};

} // namespace telmora
