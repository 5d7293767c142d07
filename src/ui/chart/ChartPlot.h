#pragma once

#include <qcustomplot.h>

#include <QByteArray>
#include <QRegion>

namespace telmora {

class ChartDesk;

// The chart's plot. The plain plot draws each replot into a picture of its own
// size, cleared first, and copies that onto the window when it paints: with the
// strip chart's replot after every sample, the clearing and copying of a whole
// chart-sized picture cost more than the drawing. This plot draws itself
// straight onto the window when it paints, once, with the desk colour around the
// graph areas (those paint their own background). Only while a layer has a
// picture of its own (the zoom box while it is dragged), or a picture lies on the
// desk, does it paint from the pictures as the plain plot does.
// A plot that is not shown (its window closed) is drawn again only when it
// shows, not with every change. When a change leaves the layout, scales, texts,
// colours and pens as they were painted last (a strip chart's new sample), only
// the data, the point labels along the bottom and the cursor are repainted.
class ChartPlot : public QCustomPlot {
public:
    explicit ChartPlot(QWidget* parent = nullptr);

    // Draws the plot again with the next painting, or when it shows.
    void queueReplot();

    // What the desk around the graph areas is filled with.
    const QBrush& deskBrush() const { return mBackgroundBrush; }
    // The part of the viewport the desk colour shows in: all but the graph areas
    // that paint an opaque background of their own, in a layer drawn together
    // with (and above) the desk's.
    QRegion deskRegion() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Whether the plot paints by drawing straight onto the window.
    bool drawsDirectly() const;
    void paintFromBuffers(QCPPainter& painter);
    // Asks for the painting of a change, of the parts it can have changed.
    void updateChanges();
    // Notes what a painting of `painted` put on the screen.
    void notePainted(const QRegion& painted);

    ChartDesk* m_desk = nullptr; // owned by the plot
    bool m_replotWhenShown = false;
    bool m_changesQueued = false;
    // The look on the screen apart from the changing parts, empty when unknown,
    // and where those parts are on the screen.
    QByteArray m_paintedSignature;
    QRegion m_paintedArea;
};

} // namespace telmora
