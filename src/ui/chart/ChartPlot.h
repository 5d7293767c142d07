#pragma once

#include <qcustomplot.h>

namespace telmora {

// The chart's plot. It paints as the plain plot does, except that the desk colour
// is filled only around the graph areas with an opaque background: the replot's
// picture covers them completely, so filling them first was painted over with
// every reading. A plot that is not shown (its window closed) is drawn again only
// when it shows, not with every change.
class ChartPlot : public QCustomPlot {
public:
    explicit ChartPlot(QWidget* parent = nullptr) : QCustomPlot(parent) {}

    // Draws the plot again with the next turn of the event loop, or when it shows.
    void queueReplot();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The part of the viewport the desk colour shows in.
    QRegion deskRegion();

    bool m_replotWhenShown = false;
};

} // namespace telmora
