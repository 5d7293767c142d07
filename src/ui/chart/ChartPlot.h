#pragma once

#include <qcustomplot.h>

namespace telmora {

// The chart's plot. It paints as the plain plot does, except that the desk colour
// is filled only around the graph areas with an opaque background: the replot's
// picture covers them completely, so filling them first was painted over with
// every reading.
class ChartPlot : public QCustomPlot {
public:
    explicit ChartPlot(QWidget* parent = nullptr) : QCustomPlot(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The part of the viewport the desk colour shows in.
    QRegion deskRegion();
};

} // namespace telmora
