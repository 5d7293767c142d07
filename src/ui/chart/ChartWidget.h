#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

class QCPPainter;
class QCPRange;
class QPen;
class QPrinter;

class QFont;

namespace telmora {

// The chart every graph of the program is drawn with (recorder, graph viewer,
// import window): one series of values with a time text per point, optionally
// further traces over the same points (several meters, a computed channel), a
// vertical point cursor, box zoom, printing and picture exports. Changes of data, labels,
// colours or scale are collected and shown by refresh(); the plotting library
// behind it is an implementation detail of this class.
// A marked point of the chart: a vertical line with a short label at its top.
struct ChartMarker {
    int point = 0;
    QString label;
};

class ChartWidget : public QWidget {
    Q_OBJECT

public:
    enum class ViewingStyle { Colour, Monochrome };
    enum class PlotStyle { Line, Points, LineAndPoints };
    enum class PointSize { Micro, Small, Medium, Large };
    enum class LineStyle { Solid, Dash, Dot, DashDot, DashDotDot };
    enum class LineWeight { Thin, Medium, Thick };
    enum class GridLines { Both, YOnly, XOnly, None };
    enum class GridStyle { ThinSolid, ThickSolid, Dotted, Dashed };
    enum class CursorMode { None, VerticalLine };
    enum class ZoomMode { None, Horizontal, Vertical, Both };
    // Where the view starts when fewer points are shown than the series holds.
    enum class ViewStart { FirstPoint, LastPoint };

    // The manual Y scale.
    struct YRange {
        double lower = -100.0;
        double upper = 100.0;
    };

    // A further line over the series' points: its name in the legend, its colour,
    // its unit (traces of one unit share an axis) and one value per point (NaN or
    // the null value: no value there, the line breaks).
    struct Trace {
        QString name;
        QColor colour;
        QString unit;
        std::vector<float> values;
    };
    enum class TraceAxis { Left, Right };
    // Where a line is drawn: graph 0 is the upper one; each graph has a left and a
    // right axis, one unit each.
    struct TracePlace {
        int graph = 0;
        TraceAxis axis = TraceAxis::Left;
        bool operator==(const TracePlace&) const = default;
    };

    static constexpr double kDefaultNullValue = -99999.0;

    explicit ChartWidget(QWidget* parent = nullptr);
    ~ChartWidget() override;

    // --- the series ---
    // Replaces the whole series; labels missing at the end become one blank.
    void setSeries(const std::vector<float>& values, const std::vector<QString>& labels);
    void setPointCount(int count); // new points hold the null value and a one-blank label
    int pointCount() const;
    void setValue(int point, float value); // writes outside the series are ignored
    float value(int point) const;          // the null value outside the series
    void setPointLabel(int point, const QString& label);
    QString pointLabel(int point) const;
    // A value equal to this one is not drawn (a gap).
    void setNullValue(double value);
    double nullValue() const;
    // Adds one point at the end and drops the oldest, so the count stays the same.
    void appendPoint(const QString& label, float value);
    // No line joins point `point` to the next one (the readings stopped between
    // them). Writes outside the series are ignored; new points have no gap.
    void setGapAfter(int point, bool gap);
    bool gapAfter(int point) const;
    void setVisiblePoints(int count); // 0: all points

    // --- further traces (taken over by refresh()) ---
    // The series' name in the legend and its unit, the unit of the upper graph's
    // left axis.
    void setSeriesName(const QString& name, const QString& unit);
    // The lines drawn beside the series. Each unit has its own axis: the series'
    // unit the upper graph's left one, the next unit its right one; further units
    // go on graphs below it (left, then right), which share the point axis. The
    // legend names every line once there is more than one. The series' gaps
    // (setGapAfter) break the traces too.
    void setTraces(std::vector<Trace> traces);
    int traceCount() const;
    // Trace `trace`'s value at `point`; NaN outside.
    float traceValue(int trace, int point) const;
    // As of the last refresh(): where trace `trace` is drawn, how many graphs are
    // stacked and whether the legend shows.
    TracePlace tracePlace(int trace) const;
    int graphCount() const;
    bool legendShown() const;
    void setViewStart(ViewStart start);

    // --- appearance ---
    void setMainTitle(const QString& text);
    void setSubTitle(const QString& text);
    void setXAxisLabel(const QString& text);
    void setYAxisLabel(const QString& text);
    QString yAxisLabel() const;
    void setDeskColor(const QColor& color);
    void setGraphBackColor(const QColor& color);
    void setGraphForeColor(const QColor& color);
    void setLineColor(const QColor& color);
    QColor lineColor() const;
    void setLineType(LineWeight weight, LineStyle style);
    void setPlotStyle(PlotStyle style);
    void setDecimals(int decimals); // of the Y-axis numbers
    // Sample texts that reserve room for the widest value and point label.
    void setWidestValueText(const QString& sample);
    void setWidestPointLabel(const QString& sample);
    // A fixed Y scale; until it is set the scale follows the values.
    void setYRange(double lower, double upper);
    // The scale follows the values again (with a tenth of their span as room).
    void setAutomaticYRange();
    YRange yRange() const;
    void setViewingStyle(ViewingStyle style);
    ViewingStyle viewingStyle() const;
    void setPointSize(PointSize size);
    void setGridLines(GridLines lines);
    void setGridStyle(GridStyle style);
    void setCursorMode(CursorMode mode);
    void setMouseMovesCursor(bool on);
    void setZoomMode(ZoomMode mode);

    // --- showing ---
    void refresh(); // takes over data, labels, scale and style and redraws
    void restyle(); // takes over colours and texts only (a change of viewing style)

    // --- markers ---
    // Replaces the marked points (drawn at once; they stay until replaced).
    void setMarkers(const std::vector<ChartMarker>& markers);
    int markerCount() const;

    // --- cursor and zoom ---
    int cursorPoint() const;
    void setCursorPoint(int point); // clamped to the points; emits nothing
    bool isZoomed() const;
    void resetZoom();
    // The first and last point the view shows now (all points unless zoomed in);
    // first > last when it shows none.
    std::pair<int, int> shownPoints() const;

    // --- printing and pictures ---
    // One page on the printer, without a dialog; false when the printer names no
    // target or fails. (Windows print through printChartPages, which asks first.)
    bool print(QPrinter& printer);
    // Bitmap pictures: BMP when the name ends in ".bmp", else PNG. A size with a
    // side of 0 or less takes the widget's size (at least 640 x 400). False with
    // the reason in `reason` when the file could not be written; an old file of
    // that name is then kept as it was.
    bool exportImage(const QString& path, QSize sizePx, QString* reason = nullptr);
    void copyImage(QSize sizePx);
    // Vector (SVG) pictures that declare their size in millimetres. A side of 0 or
    // less takes the widget's size at 96 dpi. Failures as for exportImage.
    bool exportSvg(const QString& path, QSizeF sizeMm, QString* reason = nullptr);
    void copySvg(QSizeF sizeMm);
    // The graph as it is drawn now, at the given size (the widget's size when empty).
    QImage renderImage(QSize sizePx = {});

signals:
    void cursorMoved(int point); // the user moved the cursor (mouse or arrow keys)
    void zoomed();               // the user zoomed in with the zoom box
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class ChartPrintJob;
    struct Impl;
    std::unique_ptr<Impl> d;

    void buildPlot();
    void rebuild(bool replot);
    // Styles the plot for drawing `drawWidth` pixels wide (tick spacing, margins,
    // markers); 0 is the widget's own width.
    void applyStyle(int drawWidth = 0);
    void applySeriesStyle(int drawWidth);
    int measuredWidth(const QFont& font, QStringView text) const;
    int widestPointLabel(const QFont& font) const;
    // Draws the graph laid out at `size` on the painter (printing), then styles it
    // for the screen again.
    void paintOn(QCPPainter& painter, QSize size);
    void applyRanges();
    // Builds the graphs and axes the traces need (when their units changed) and
    // gives each trace its data.
    void rebuildTraces();
    void placeTraces();
    void addLowerGraph();
    void applyTraceStyle(const QPen& seriesPen, bool markers, int markerSize);
    QCPRange valueSpan(TracePlace place) const;
    void applyTraceRanges();
    // The cursor line on the graphs below (`pen` unless it is Qt::NoPen).
    void updateTraceCursors(bool show, const QPen& pen);
    void updateCursorItem();
    void moveCursorBy(int delta);
    void zoomTo(const QRect& box);
    bool handleKey(int key);
    void handleMouse(QEvent* event);
    QByteArray renderSvg(QSize hundredthsMm);
    QSize bitmapSize(QSize requested) const;
    QSize metafileSize(QSizeF requestedMm) const;
};

} // namespace telmora
