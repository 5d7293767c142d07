#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QPrinter;

namespace telmora {

// The chart every graph of the program is drawn with (recorder, graph viewer,
// import window). It is driven like an instrument chart control: a table of
// `Subsets` x `Points` values with one text label per point, properties for titles,
// colours, scale, grid, cursor and zoom, and numbered actions (refresh, print,
// picture exports) run by writing the arguments and then the action number. The
// plotting library behind it is an implementation detail of this class.
class ChartWidget : public QWidget {
    Q_OBJECT

public:
    // Numbers written to PEactions.
    enum Action {
        Refresh = 0,              // re-initialise from the properties and redraw
        ResetImage = 2,           // rebuild the image (after a change of viewing style)
        PrintWithDialog = 8,      // print dialog, then print
        MetafileToClipboard = 12, // vector picture (SVG), PEnarg1 x PEnarg2
        MetafileToFile = 13,      // vector picture (SVG) to PEstrarg1
        BitmapToClipboard = 14,   // bitmap, PEnarg1 x PEnarg2
        BitmapToFile = 15,        // bitmap to PEstrarg1: BMP when the name ends in ".bmp", else PNG
        Print = 18,               // print on the current printer without a dialog
        UndoZoom = 19,
    };

    static constexpr double kDefaultNullValue = -99999.0;

    explicit ChartWidget(QWidget* parent = nullptr);
    ~ChartWidget() override;

    // --- the table model ---
    void setSubsets(int count);
    int subsets() const;
    void setPoints(int count); // new points are null with a one-space label
    int points() const;
    void setYData(int subset, int point, float value); // out-of-range writes are ignored
    float yData(int subset, int point) const;          // null value when out of range
    void setPointLabels(int point, const QString& label);
    QString pointLabels(int point) const;
    void setSubsetLabels(int subset, const QString& label);
    void setNullDataValue(double value);
    double nullDataValue() const;
    void setMaxPointsToGraph(int count);
    void setPointsToGraph(int count);
    void setPointsToGraphInit(int mode); // 1: the view starts at the last point
    // Append mode: adds one point at the end of subset 0 (other subsets get the null
    // value) and drops the oldest point, so the number of points stays the same.
    void appendPoint(const QString& label, float value);

    // --- appearance ---
    void setMainTitle(const QString& text);
    void setSubTitle(const QString& text);
    void setXAxisLabel(const QString& text);
    void setYAxisLabel(const QString& text);
    QString yAxisLabel() const;
    void setDeskColor(const QColor& color);
    void setGraphBackColor(const QColor& color);
    void setGraphForeColor(const QColor& color);
    void setSubsetColors(int subset, const QColor& color);
    QColor subsetColors(int subset) const;
    void setSubsetLineTypes(int subset, int type);
    void setPlottingMethod(int method); // 0 line, 1 points, 2 line and points
    void setDataPrecision(int decimals);
    void setManualMaxDataString(const QString& sample);
    void setManualMaxPointLabel(const QString& sample);
    void setManualScaleControlY(int mode); // 0 automatic, 3 manual minimum and maximum
    void setManualMinY(double value);
    void setManualMaxY(double value);
    void setViewingStyle(int style); // 0 colour, 1 monochrome
    int viewingStyle() const;
    void setPointSize(int size);       // 0 micro .. 3 large
    void setGridLineControl(int mode); // 0 both, 1 Y only, 2 X only, 3 none
    void setGridStyle(int style);      // 0 thin solid, 1 thick solid, 2 dotted, 3 dashed
    void setCursorMode(int mode);      // 0 none, 1 vertical line on a point
    void setCursorPromptStyle(int style);
    void setMouseCursorControl(bool on);
    void setAllowZooming(int mode); // 0 none, 1 horizontal, 2 vertical, 3 both
    void setAllowPopup(bool on);
    void setNoStackedData(bool on);
    void setAllowHistogram(bool on);
    void setAllowDataHotSpots(bool on);
    void setPrepareImages(bool on);

    // --- cursor and zoom ---
    int cursorPoint() const;
    void setCursorPoint(int point); // clamped to the points; emits nothing
    bool isZoomed() const;

    // --- actions ---
    void setPEnarg1(int value);
    void setPEnarg2(int value);
    void setPEstrarg1(const QString& text);
    // Runs the action at once. False when it failed or the user cancelled (print
    // dialog, missing printer, unwritable file).
    bool setPEactions(int action);

    // The printer all graphs print to; the printer set-up dialogs configure it.
    static QPrinter& printer();

    // The graph as it is drawn now, at the given size (the widget's size when 0).
    QImage renderImage(int width = 0, int height = 0);

signals:
    void cursorMoved(); // the user moved the cursor (mouse or arrow keys)
    void zoomIn();      // the user zoomed in with the zoom box
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;

    void rebuild(bool replot);
    void applyStyle();
    void applyRanges();
    void updateCursorItem();
    void moveCursorBy(int delta);
    bool printTo(QPrinter& printer);
    QByteArray renderSvg(int width, int height);
    QSize exportSize() const;
    QSize metafileSize() const;
};

} // namespace telmora
