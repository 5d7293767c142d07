#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace telmora {

namespace {

constexpr int kMaxExportSide = 8000;
constexpr int kMinExportSide = 16;

// X-axis ticks on whole point numbers, labelled with the points' texts. The step
// is chosen so that the widest expected label fits between two ticks, and ticks
// are counted back from the right end of the view so the newest point is labelled.
class PointLabelTicker : public QCPAxisTicker {
public:
    const std::vector<QString>* labels = nullptr;
    int maxTicks = 8;

protected:
    double getTickStep(const QCPRange& range) override {
        const double wanted = std::max(1.0, range.size() / std::max(1, maxTicks));
        static constexpr double steps[] = {1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500};
        for (double s : steps)
            if (s >= wanted)
                return s;
        const double magnitude = std::pow(10.0, std::floor(std::log10(wanted)));
        return std::ceil(wanted / magnitude) * magnitude;
    }
    int getSubTickCount(double) override { return 0; }
    QVector<double> createTickVector(double step, const QCPRange& range) override {
        QVector<double> ticks;
        const double last = std::floor(range.upper);
        const double first = std::ceil(range.lower);
        for (double t = last; t >= first && ticks.size() < 1000; t -= step)
            ticks.prepend(t);
        return ticks;
    }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override {
        const long long i = std::llround(tick);
        if (labels == nullptr || i < 0 || i >= static_cast<long long>(labels->size()))
            return {};
        return (*labels)[static_cast<std::size_t>(i)].trimmed();
    }
};

bool isDark(const QColor& c) {
    return c.lightnessF() < 0.5;
}

} // namespace

struct ChartWidget::Impl {
    QCustomPlot* plot = nullptr;
    QCPTextElement* title = nullptr;
    QCPItemStraightLine* cursorLine = nullptr;
    QCPItemTracer* cursorMark = nullptr;
    std::vector<QCPGraph*> graphs;
    QSharedPointer<PointLabelTicker> ticker;

    // Table model.
    int subsets = 1;
    int points = 0;
    std::vector<std::vector<float>> y;
    std::vector<QString> labels;
    std::vector<QString> subsetLabels;
    double nullValue = kDefaultNullValue;
    int maxPointsToGraph = 0;
    int pointsToGraph = 0;
    int pointsToGraphInit = 0;

    // Appearance.
    QString mainTitle, subTitle, xLabel, yLabel;
    QColor desk = QColor(240, 240, 240);
    QColor back = Qt::white;
    QColor fore = Qt::gray;
    std::vector<QColor> subsetColors;
    std::vector<int> lineTypes;
    int plottingMethod = 0;
    int precision = 3;
    QString maxDataString = QStringLiteral("00000.000");
    QString maxPointLabel = QStringLiteral("00:00:00");
    int scaleControlY = 0;
    double manualMinY = -100.0, manualMaxY = 100.0;
    int viewingStyle = 0;
    int pointSize = 1;
    int gridLineControl = 0;
    int gridStyle = 0;
    int cursorMode = 0;
    int cursorPromptStyle = 0;
    bool mouseCursorControl = false;
    int allowZooming = 0;
    bool allowPopup = false, noStackedData = false, allowHistogram = false,
         allowDataHotSpots = false, prepareImages = false;

    // Cursor, zoom, actions.
    int cursor = 0;
    bool zoomed = false;
    QPoint pressPos;
    bool pressed = false;
    int narg1 = 0, narg2 = 0;
    QString strarg1;

    float yAt(int s, int p) const {
        if (s < 0 || s >= static_cast<int>(y.size()) || p < 0 || p >= points)
            return static_cast<float>(nullValue);
        return y[s][p];
    }
    bool isNull(float v) const { return v == static_cast<float>(nullValue) || !std::isfinite(v); }
    QColor colorOf(int s) const {
        static const QColor defaults[] = {Qt::blue, Qt::red, Qt::darkGreen, Qt::magenta};
        if (s < static_cast<int>(subsetColors.size()) && subsetColors[s].isValid())
            return subsetColors[s];
        return defaults[s % 4];
    }
};

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent), d(std::make_unique<Impl>()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d->plot = new QCustomPlot(this);
    layout->addWidget(d->plot);
    d->plot->setLocale(QLocale::c()); // tick numbers always with "."
    d->plot->setFocusPolicy(Qt::StrongFocus);
    d->plot->setNoAntialiasingOnDrag(true);
    d->plot->setPlottingHint(QCP::phCacheLabels, true);
    setFocusProxy(d->plot);
    d->plot->installEventFilter(this);

    d->ticker = QSharedPointer<PointLabelTicker>::create();
    d->ticker->labels = &d->labels;
    d->plot->xAxis->setTicker(d->ticker);
    d->plot->yAxis->setNumberFormat(QStringLiteral("f"));

    d->plot->plotLayout()->insertRow(0);
    d->title = new QCPTextElement(d->plot, QString(), QFont(font().family(), 11, QFont::Bold));
    d->plot->plotLayout()->addElement(0, 0, d->title);

    d->cursorLine = new QCPItemStraightLine(d->plot);
    d->cursorLine->setClipToAxisRect(true);
    d->cursorMark = new QCPItemTracer(d->plot);
    d->cursorMark->setStyle(QCPItemTracer::tsCircle);
    d->cursorMark->setSize(9);
    d->cursorMark->setInterpolating(false);

    d->plot->setSelectionRectMode(QCP::srmNone);
    connect(d->plot->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QMouseEvent*) {
                if (d->allowZooming == 0 || rect.width() < 4 || rect.height() < 4)
                    return;
                QCPAxis* x = d->plot->xAxis;
                QCPAxis* yAxis = d->plot->yAxis;
                if (d->allowZooming == 1 || d->allowZooming == 3) {
                    QCPRange r(x->pixelToCoord(rect.left()), x->pixelToCoord(rect.right()));
                    r.normalize();
                    x->setRange(r);
                }
                if (d->allowZooming == 2 || d->allowZooming == 3) {
                    QCPRange r(yAxis->pixelToCoord(rect.bottom()), yAxis->pixelToCoord(rect.top()));
                    r.normalize();
                    yAxis->setRange(r);
                }
                d->zoomed = true;
                d->plot->replot(QCustomPlot::rpQueuedReplot);
                emit zoomIn();
            });

    setSubsets(1);
    setPoints(0);
    rebuild(false);
}

ChartWidget::~ChartWidget() = default;

// --- table model -------------------------------------------------------------

void ChartWidget::setSubsets(int count) {
    count = std::clamp(count, 1, 64);
    d->subsets = count;
    d->y.resize(count);
    for (auto& row : d->y)
        row.resize(d->points, static_cast<float>(d->nullValue));
    d->subsetLabels.resize(count);
    while (static_cast<int>(d->graphs.size()) < count)
        d->graphs.push_back(d->plot->addGraph());
    while (static_cast<int>(d->graphs.size()) > count) {
        d->plot->removeGraph(d->graphs.back());
        d->graphs.pop_back();
    }
    d->cursorMark->setGraph(nullptr);
}

int ChartWidget::subsets() const {
    return d->subsets;
}

void ChartWidget::setPoints(int count) {
    count = std::max(0, count);
    d->points = count;
    for (auto& row : d->y)
        row.resize(count, static_cast<float>(d->nullValue));
    d->labels.resize(count, QStringLiteral(" "));
    d->cursor = std::clamp(d->cursor, 0, std::max(0, count - 1));
}

int ChartWidget::points() const {
    return d->points;
}

void ChartWidget::setYData(int subset, int point, float value) {
    if (subset < 0 || subset >= d->subsets || point < 0 || point >= d->points)
        return;
    d->y[subset][point] = value;
}

float ChartWidget::yData(int subset, int point) const {
    return d->yAt(subset, point);
}

void ChartWidget::setPointLabels(int point, const QString& label) {
    if (point >= 0 && point < d->points)
        d->labels[point] = label;
}

QString ChartWidget::pointLabels(int point) const {
    return point >= 0 && point < d->points ? d->labels[point] : QString();
}

void ChartWidget::setSubsetLabels(int subset, const QString& label) {
    if (subset >= 0 && subset < d->subsets)
        d->subsetLabels[subset] = label;
}

void ChartWidget::setNullDataValue(double value) {
    d->nullValue = value;
}
double ChartWidget::nullDataValue() const {
    return d->nullValue;
}
void ChartWidget::setMaxPointsToGraph(int count) {
    d->maxPointsToGraph = std::max(0, count);
}
void ChartWidget::setPointsToGraph(int count) {
    d->pointsToGraph = std::max(0, count);
}
void ChartWidget::setPointsToGraphInit(int mode) {
    d->pointsToGraphInit = mode;
}

void ChartWidget::appendPoint(const QString& label, float value) {
    if (d->points == 0)
        return;
    for (int s = 0; s < d->subsets; ++s) {
        auto& row = d->y[s];
        std::move(row.begin() + 1, row.end(), row.begin());
        row.back() = s == 0 ? value : static_cast<float>(d->nullValue);
    }
    std::move(d->labels.begin() + 1, d->labels.end(), d->labels.begin());
    d->labels.back() = label;
}

// --- appearance ----------------------------------------------------------------

void ChartWidget::setMainTitle(const QString& text) {
    d->mainTitle = text;
}
void ChartWidget::setSubTitle(const QString& text) {
    d->subTitle = text;
}
void ChartWidget::setXAxisLabel(const QString& text) {
    d->xLabel = text;
}
void ChartWidget::setYAxisLabel(const QString& text) {
    d->yLabel = text;
}
QString ChartWidget::yAxisLabel() const {
    return d->yLabel;
}
void ChartWidget::setDeskColor(const QColor& color) {
    d->desk = color;
}
void ChartWidget::setGraphBackColor(const QColor& color) {
    d->back = color;
}
void ChartWidget::setGraphForeColor(const QColor& color) {
    d->fore = color;
}

void ChartWidget::setSubsetColors(int subset, const QColor& color) {
    if (subset < 0 || subset >= 64)
        return;
    if (subset >= static_cast<int>(d->subsetColors.size()))
        d->subsetColors.resize(subset + 1);
    d->subsetColors[subset] = color;
}

QColor ChartWidget::subsetColors(int subset) const {
    return d->colorOf(subset);
}

void ChartWidget::setSubsetLineTypes(int subset, int type) {
    if (subset < 0 || subset >= 64)
        return;
    if (subset >= static_cast<int>(d->lineTypes.size()))
        d->lineTypes.resize(subset + 1, 0);
    d->lineTypes[subset] = type;
}

void ChartWidget::setPlottingMethod(int method) {
    d->plottingMethod = method;
}
void ChartWidget::setDataPrecision(int decimals) {
    d->precision = std::clamp(decimals, 0, 9);
}
void ChartWidget::setManualMaxDataString(const QString& sample) {
    d->maxDataString = sample;
}
void ChartWidget::setManualMaxPointLabel(const QString& sample) {
    d->maxPointLabel = sample;
}
void ChartWidget::setManualScaleControlY(int mode) {
    d->scaleControlY = mode;
}
void ChartWidget::setManualMinY(double value) {
    d->manualMinY = value;
}
void ChartWidget::setManualMaxY(double value) {
    d->manualMaxY = value;
}
void ChartWidget::setViewingStyle(int style) {
    d->viewingStyle = style;
}
int ChartWidget::viewingStyle() const {
    return d->viewingStyle;
}
void ChartWidget::setPointSize(int size) {
    d->pointSize = std::clamp(size, 0, 3);
}
void ChartWidget::setGridLineControl(int mode) {
    d->gridLineControl = mode;
}
void ChartWidget::setGridStyle(int style) {
    d->gridStyle = style;
}
void ChartWidget::setCursorMode(int mode) {
    d->cursorMode = mode;
}
void ChartWidget::setCursorPromptStyle(int style) {
    d->cursorPromptStyle = style;
}
void ChartWidget::setMouseCursorControl(bool on) {
    d->mouseCursorControl = on;
}

void ChartWidget::setAllowZooming(int mode) {
    d->allowZooming = std::clamp(mode, 0, 3);
    d->plot->setSelectionRectMode(d->allowZooming != 0 ? QCP::srmCustom : QCP::srmNone);
}

void ChartWidget::setAllowPopup(bool on) {
    d->allowPopup = on;
}
void ChartWidget::setNoStackedData(bool on) {
    d->noStackedData = on;
}
void ChartWidget::setAllowHistogram(bool on) {
    d->allowHistogram = on;
}
void ChartWidget::setAllowDataHotSpots(bool on) {
    d->allowDataHotSpots = on;
}
void ChartWidget::setPrepareImages(bool on) {
    d->prepareImages = on;
}

// --- cursor and zoom -----------------------------------------------------------

int ChartWidget::cursorPoint() const {
    return d->cursor;
}

void ChartWidget::setCursorPoint(int point) {
    d->cursor = std::clamp(point, 0, std::max(0, d->points - 1));
    updateCursorItem();
    d->plot->replot(QCustomPlot::rpQueuedReplot);
}

bool ChartWidget::isZoomed() const {
    return d->zoomed;
}

void ChartWidget::moveCursorBy(int delta) {
    if (d->points == 0 || d->cursorMode == 0)
        return;
    const int target = std::clamp(d->cursor + delta, 0, d->points - 1);
    if (target == d->cursor)
        return;
    setCursorPoint(target);
    emit cursorMoved();
}

void ChartWidget::updateCursorItem() {
    const bool show = d->cursorMode != 0 && d->points > 0;
    d->cursorLine->setVisible(show);
    const double x = d->cursor;
    d->cursorLine->point1->setCoords(x, 0.0);
    d->cursorLine->point2->setCoords(x, 1.0);
    const bool onValue = show && !d->isNull(d->yAt(0, d->cursor));
    d->cursorMark->setVisible(onValue);
    // The tracer follows the point only while there is a value to mark.
    d->cursorMark->setGraph(onValue ? d->graphs.front() : nullptr);
    if (onValue)
        d->cursorMark->setGraphKey(x);
}

// --- drawing -------------------------------------------------------------------

void ChartWidget::applyStyle() {
    const bool mono = d->viewingStyle == 1;
    const QColor desk = mono ? QColor(Qt::white) : d->desk;
    const QColor back = mono ? QColor(Qt::white) : d->back;
    const QColor fore = mono ? QColor(Qt::darkGray) : d->fore;
    const QColor text = isDark(desk) ? QColor(Qt::white) : QColor(Qt::black);
    const QColor axisLine = mono ? QColor(Qt::black) : (isDark(back) ? fore.lighter(150) : fore);

    d->plot->setBackground(desk);
    d->plot->axisRect()->setBackground(back);

    QString title = d->mainTitle;
    if (!d->subTitle.isEmpty())
        title += QLatin1Char('\n') + d->subTitle;
    d->title->setText(title);
    d->title->setTextColor(text);
    d->title->setVisible(!title.isEmpty());

    QPen grid(fore, 0);
    switch (d->gridStyle) {
    case 1:
        grid.setWidth(2);
        break;
    case 2:
        grid.setStyle(Qt::DotLine);
        break;
    case 3:
        grid.setStyle(Qt::DashLine);
        break;
    default:
        break;
    }
    for (QCPAxis* axis : {d->plot->xAxis, d->plot->yAxis}) {
        axis->setBasePen(QPen(axisLine));
        axis->setTickPen(QPen(axisLine));
        axis->setSubTickPen(QPen(axisLine));
        axis->setTickLabelColor(text);
        axis->setLabelColor(text);
        axis->grid()->setPen(grid);
        axis->grid()->setZeroLinePen(grid);
    }
    d->plot->xAxis->setLabel(d->xLabel);
    d->plot->yAxis->setLabel(d->yLabel);
    d->plot->xAxis->grid()->setVisible(d->gridLineControl == 0 || d->gridLineControl == 2);
    d->plot->yAxis->grid()->setVisible(d->gridLineControl == 0 || d->gridLineControl == 1);
    d->plot->yAxis->setNumberPrecision(d->precision);

    // Room reserved for the widest value and label the caller announced.
    // The right margin takes half a point label, so the newest point's label fits.
    const QFontMetrics fm(d->plot->yAxis->tickLabelFont());
    const int labelWidth = fm.horizontalAdvance(d->maxPointLabel) + 24;
    d->plot->axisRect()->setMinimumMargins(QMargins(
        fm.horizontalAdvance(d->maxDataString) + fm.height() + 18, 15, labelWidth / 2 + 4, 15));
    const int axisWidth =
        std::max(100, d->plot->axisRect()->width() > 0 ? d->plot->axisRect()->width()
                                                       : width() - labelWidth);
    d->ticker->maxTicks = std::max(1, axisWidth / labelWidth);

    const int visible = std::max(1, static_cast<int>(d->plot->xAxis->range().size()));
    const int pixelsPerPoint = std::max(1, axisWidth) / visible;
    static constexpr int sizes[] = {2, 3, 5, 7};
    const bool markers = d->plottingMethod != 0 || pixelsPerPoint >= 6;
    for (int s = 0; s < static_cast<int>(d->graphs.size()); ++s) {
        QCPGraph* g = d->graphs[s];
        const QColor c = mono ? QColor(Qt::black) : d->colorOf(s);
        const int type = s < static_cast<int>(d->lineTypes.size()) ? d->lineTypes[s] : 0;
        QPen pen(c, type >= 10 ? 3 : (type >= 5 ? 2 : 1));
        static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                  Qt::DashDotLine, Qt::DashDotDotLine};
        pen.setStyle(styles[type % 5]);
        g->setPen(pen);
        g->setLineStyle(d->plottingMethod == 1 ? QCPGraph::lsNone : QCPGraph::lsLine);
        if (markers)
            g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, c, c, sizes[d->pointSize]));
        else
            g->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
        g->setName(d->subsetLabels[s]);
    }

    QColor cursorColor = isDark(back) ? QColor(255, 255, 0) : QColor(200, 0, 0);
    if (mono)
        cursorColor = Qt::black;
    d->cursorLine->setPen(QPen(cursorColor, 1, mono ? Qt::DashLine : Qt::SolidLine));
    d->cursorMark->setPen(QPen(cursorColor, 2));
    d->cursorMark->setBrush(Qt::NoBrush);
}

void ChartWidget::applyRanges() {
    if (d->zoomed)
        return;
    const int shown = d->pointsToGraph > 0 ? std::min(d->pointsToGraph, std::max(d->points, 1))
                                           : std::max(d->points, 1);
    const int first = d->pointsToGraphInit == 1 ? std::max(0, d->points - shown) : 0;
    d->plot->xAxis->setRange(first - 0.5, first + shown - 0.5);

    double lo = d->manualMinY, hi = d->manualMaxY;
    if (d->scaleControlY != 3) {
        lo = std::numeric_limits<double>::max();
        hi = std::numeric_limits<double>::lowest();
        for (const auto& row : d->y)
            for (float v : row)
                if (!d->isNull(v)) {
                    lo = std::min(lo, double(v));
                    hi = std::max(hi, double(v));
                }
        if (lo > hi)
            lo = -1.0, hi = 1.0;
        const double margin = hi > lo ? (hi - lo) * 0.1 : std::max(1.0, std::fabs(hi) * 0.1);
        lo -= margin;
        hi += margin;
    }
    if (!(hi > lo)) // equal or not numbers: keep a usable axis
        hi = lo + 1.0;
    d->plot->yAxis->setRange(lo, hi);
}

void ChartWidget::rebuild(bool replot) {
    const double nanValue = std::numeric_limits<double>::quiet_NaN();
    for (int s = 0; s < static_cast<int>(d->graphs.size()); ++s) {
        QVector<QCPGraphData> data(d->points);
        for (int p = 0; p < d->points; ++p) {
            const float v = d->y[s][p];
            data[p] = QCPGraphData(p, d->isNull(v) ? nanValue : double(v));
        }
        d->graphs[s]->data()->set(data, true);
    }
    applyRanges();
    applyStyle();
    updateCursorItem();
    if (replot)
        d->plot->replot(QCustomPlot::rpQueuedReplot);
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyStyle(); // tick spacing and markers follow the width
}

// --- input ---------------------------------------------------------------------

bool ChartWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != d->plot)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        emit keyDown(key->key(), key->modifiers());
        switch (key->key()) {
        case Qt::Key_Left:
            moveCursorBy(-1);
            return true;
        case Qt::Key_Right:
            moveCursorBy(1);
            return true;
        case Qt::Key_Home:
            moveCursorBy(-d->points);
            return true;
        case Qt::Key_End:
            moveCursorBy(d->points);
            return true;
        default:
            break;
        }
        break;
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            d->pressed = true;
            d->pressPos = mouse->position().toPoint();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // Without zooming, dragging moves the cursor along the points.
        if (d->pressed && d->allowZooming == 0 && d->mouseCursorControl && d->points > 0) {
            const int p =
                static_cast<int>(std::lround(d->plot->xAxis->pixelToCoord(mouse->position().x())));
            moveCursorBy(std::clamp(p, 0, d->points - 1) - d->cursor);
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && d->pressed) {
            d->pressed = false;
            const QPoint pos = mouse->position().toPoint();
            const bool click = (pos - d->pressPos).manhattanLength() <= 6;
            if (click && d->mouseCursorControl && d->points > 0 &&
                d->plot->axisRect()->rect().contains(pos)) {
                const int p = static_cast<int>(std::lround(d->plot->xAxis->pixelToCoord(pos.x())));
                moveCursorBy(std::clamp(p, 0, d->points - 1) - d->cursor);
            }
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// --- actions -------------------------------------------------------------------

void ChartWidget::setPEnarg1(int value) {
    d->narg1 = value;
}
void ChartWidget::setPEnarg2(int value) {
    d->narg2 = value;
}
void ChartWidget::setPEstrarg1(const QString& text) {
    d->strarg1 = text;
}

QPrinter& ChartWidget::printer() {
    static QPrinter shared(QPrinter::HighResolution);
    return shared;
}

QSize ChartWidget::exportSize() const {
    const int w = d->narg1 > 0 ? d->narg1 : std::max(width(), 640);
    const int h = d->narg2 > 0 ? d->narg2 : std::max(height(), 400);
    return {std::clamp(w, kMinExportSide, kMaxExportSide),
            std::clamp(h, kMinExportSide, kMaxExportSide)};
}

QImage ChartWidget::renderImage(int w, int h) {
    if (w <= 0)
        w = std::max(width(), 16);
    if (h <= 0)
        h = std::max(height(), 16);
    w = std::clamp(w, kMinExportSide, kMaxExportSide);
    h = std::clamp(h, kMinExportSide, kMaxExportSide);
    applyStyle();
    return d->plot->toPixmap(w, h).toImage();
}

QByteArray ChartWidget::renderSvg(int w, int h) {
    // A vector picture is w x h hundredths of a millimetre. The graph is drawn as on
    // a 96 dpi screen at a width of 1000 units, so fonts, margins and lines keep
    // their proportions, and the picture then declares its physical size.
    w = std::max(w, 1);
    h = std::max(h, 1);
    constexpr int logicalWidth = 1000;
    const int logicalHeight =
        std::clamp(static_cast<int>(std::lround(double(logicalWidth) * h / w)), kMinExportSide,
                   kMaxExportSide);
    applyStyle();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(96);
    generator.setSize(QSize(logicalWidth, logicalHeight));
    generator.setViewBox(QRect(0, 0, logicalWidth, logicalHeight));
    generator.setTitle(d->mainTitle);
    QCPPainter painter(&generator);
    d->plot->toPainter(&painter, logicalWidth, logicalHeight);
    painter.end();
    QByteArray svg = buffer.data();
    // The generator writes the size it derived from 96 dpi; replace it by the size
    // asked for.
    const qsizetype tag = svg.indexOf("<svg");
    const qsizetype close = tag < 0 ? -1 : svg.indexOf('>', tag);
    if (close > tag) {
        QByteArray head = svg.mid(tag, close - tag);
        static const QRegularExpression widthAttr(QStringLiteral("width=\"[^\"]*\""));
        static const QRegularExpression heightAttr(QStringLiteral("height=\"[^\"]*\""));
        QString text = QString::fromLatin1(head);
        text.replace(widthAttr, QStringLiteral("width=\"%1mm\"").arg(w / 100.0, 0, 'f', 2));
        text.replace(heightAttr, QStringLiteral("height=\"%1mm\"").arg(h / 100.0, 0, 'f', 2));
        svg.replace(tag, close - tag, text.toLatin1());
    }
    return svg;
}

QSize ChartWidget::metafileSize() const {
    // Hundredths of a millimetre; without a size, the widget's size at 96 dpi.
    const int w = d->narg1 > 0 ? d->narg1 : std::max(width(), 640) * 2540 / 96;
    const int h = d->narg2 > 0 ? d->narg2 : std::max(height(), 400) * 2540 / 96;
    return {w, h};
}

bool ChartWidget::printTo(QPrinter& target) {
    applyStyle();
    QCPPainter painter;
    if (!painter.begin(&target))
        return false;
    const QRectF page = target.pageRect(QPrinter::DevicePixel);
    // Draw at a screen-like size and scale to the page, so fonts and lines keep
    // their proportions whatever the printer's resolution.
    const int logicalWidth = 1000;
    const double ratio = page.width() > 0 ? std::min(0.75, page.height() / page.width()) : 0.6;
    const int logicalHeight = static_cast<int>(logicalWidth * ratio);
    const double scale = page.width() / logicalWidth;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(scale, scale);
    d->plot->toPainter(&painter, logicalWidth, logicalHeight);
    return painter.end();
}

bool ChartWidget::setPEactions(int action) {
    switch (action) {
    case Refresh:
        rebuild(true);
        return true;
    case ResetImage:
        applyStyle();
        d->plot->replot(QCustomPlot::rpQueuedReplot);
        return true;
    case PrintWithDialog: {
        QPrintDialog dialog(&printer(), this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        return printTo(printer());
    }
    case Print:
        if (printer().outputFormat() == QPrinter::NativeFormat && printer().printerName().isEmpty())
            return false; // no printer configured
        return printTo(printer());
    case UndoZoom:
        d->zoomed = false;
        rebuild(true);
        return true;
    case MetafileToClipboard: {
        const QSize size = metafileSize();
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("image/svg+xml"), renderSvg(size.width(), size.height()));
        // Programs that take no vector pictures get the same graph as a bitmap.
        const int imageHeight =
            static_cast<int>(std::lround(1000.0 * size.height() / size.width()));
        mime->setImageData(renderImage(1000, imageHeight));
        QApplication::clipboard()->setMimeData(mime);
        return true;
    }
    case MetafileToFile: {
        if (d->strarg1.isEmpty())
            return false;
        const QSize size = metafileSize();
        QSaveFile file(d->strarg1);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(renderSvg(size.width(), size.height()));
        return file.commit();
    }
    case BitmapToClipboard: {
        const QSize size = exportSize();
        QApplication::clipboard()->setImage(renderImage(size.width(), size.height()));
        return true;
    }
    case BitmapToFile: {
        if (d->strarg1.isEmpty())
            return false;
        const QSize size = exportSize();
        const bool bmp = d->strarg1.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive);
        QSaveFile file(d->strarg1);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (!renderImage(size.width(), size.height()).save(&file, bmp ? "BMP" : "PNG"))
            return false;
        return file.commit();
    }
    default:
        return false;
    }
}

} // namespace telmora
