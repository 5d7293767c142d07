#pragma once

// The inside of ChartWidget, shared by its source files (model and input,
// drawing, pictures and printing). Not for use outside src/ui/chart.

#include "ui/chart/ChartWidget.h"

#include "ui/chart/ChartPlot.h"
#include "ui/common/contrast.h"

#include <qcustomplot.h>

#include <QFont>
#include <QHash>
#include <QPalette>
#include <QPoint>

#include <cmath>
#include <optional>
#include <vector>

namespace telmora {

inline constexpr int kMaxExportSide = 8000;
inline constexpr int kMinExportSide = 16;

// X-axis ticks on whole point numbers, labelled with the points' texts. The step
// is chosen so that the widest expected label fits between two ticks, and ticks
// are counted back from the right end of the view so the newest point is labelled.
class PointLabelTicker : public QCPAxisTicker {
public:
    const std::vector<QString>* labels = nullptr;
    int maxTicks = 8;

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double) override { return 0; }
    QVector<double> createTickVector(double step, const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale&, QChar, int) override;
};

// A graph stacked below the upper one: its axis rectangle and cursor line.
struct LowerGraph {
    QCPAxisRect* rect = nullptr;
    QCPItemStraightLine* cursorLine = nullptr;
};

struct ChartWidget::Impl {
    ChartPlot* plot = nullptr;
    QCPTextElement* title = nullptr;
    QCPItemStraightLine* cursorLine = nullptr;
    QCPItemTracer* cursorMark = nullptr;
    QCPGraph* graph = nullptr;
    QSharedPointer<PointLabelTicker> ticker;

    // The series.
    std::vector<float> values;
    std::vector<QString> labels;
    // Per point: no line is drawn from this point to the next.
    std::vector<char> gapsAfter;
    double nullValue = kDefaultNullValue;
    int visiblePoints = 0;
    ViewStart viewStart = ViewStart::FirstPoint;

    // Appearance.
    QString mainTitle, subTitle, xLabel, yLabel;
    // Colours set by the owner; an invalid colour follows the widget's palette
    // (desk: its window, graph area: its base, grid: between base and text, line:
    // blue or, where blue does not show, a light blue).
    QColor desk;
    QColor back;
    QColor fore;
    QColor line;
    QPalette palette;
    LineWeight lineWeight = LineWeight::Thin;
    LineStyle lineStyle = LineStyle::Solid;
    PlotStyle plotStyle = PlotStyle::Line;
    int decimals = 3;
    QString widestValue = QStringLiteral("00000.000");
    QString widestLabel = QStringLiteral("00:00:00");
    // Widths of point label patterns (each digit as a 0) in the tick label font.
    QFont measuredFont;
    QHash<QString, int> measuredWidths;
    std::optional<YRange> manualY;
    ViewingStyle viewingStyle = ViewingStyle::Colour;
    PointSize pointSize = PointSize::Small;
    GridLines gridLines = GridLines::Both;
    GridStyle gridStyle = GridStyle::ThinSolid;
    CursorMode cursorMode = CursorMode::None;
    bool mouseMovesCursor = false;
    ZoomMode zoomMode = ZoomMode::None;

    // Further traces: their data, the plotted graphs, where each is drawn, the
    // unit of every axis in graph order (left, right, left, ...), and the graphs
    // stacked below the upper one.
    QString seriesName;
    QString seriesUnit;
    std::vector<Trace> traces;
    std::vector<QCPGraph*> traceGraphs;
    std::vector<TracePlace> tracePlaces;
    std::vector<QString> axisUnits;
    std::vector<LowerGraph> lowerGraphs;
    // The lines and labels of the marked points (see ChartMarkers.cpp).
    std::vector<QCPAbstractItem*> markerItems;
    int markerCount = 0;
    QCPMarginGroup* marginGroup = nullptr;

    // Cursor and zoom.
    int cursor = 0;
    bool zoomed = false;
    QPoint pressPos;
    bool pressed = false;

    int points() const { return static_cast<int>(values.size()); }
    float valueAt(int p) const {
        if (p < 0 || p >= points())
            return static_cast<float>(nullValue);
        return values[static_cast<std::size_t>(p)];
    }
    bool isNull(float v) const { return v == static_cast<float>(nullValue) || !std::isfinite(v); }
    // The axis a place's values are scaled on, and the point axis of its graph.
    QCPAxis* valueAxis(TracePlace place) const {
        QCPAxisRect* rect =
            place.graph == 0 ? plot->axisRect() : lowerGraphs[std::size_t(place.graph - 1)].rect;
        return rect->axis(place.axis == TraceAxis::Left ? QCPAxis::atLeft : QCPAxis::atRight);
    }
    QColor deskColor() const { return desk.isValid() ? desk : palette.color(QPalette::Window); }
    QColor backColor() const { return back.isValid() ? back : palette.color(QPalette::Base); }
    QColor foreColor() const {
        return fore.isValid()
                   ? fore
                   : Blend(palette.color(QPalette::Base), palette.color(QPalette::Text), 0.45);
    }
    QColor lineColor() const {
        return line.isValid()
                   ? line
                   : ReadableOn(backColor(), {QColor(Qt::blue), QColor(0x6e, 0xa8, 0xff)},
                                kGraphicContrast);
    }
};

} // namespace telmora
