#pragma once

#include <qcustomplot.h>

#include <optional>

namespace telmora {

// The chart's plot. It paints as the plain plot does, with two savings for the
// replot that follows every sample:
// - When the desk is one opaque colour, the lowest paint buffer starts each
//   replot in that colour instead of transparent (only around the graph areas,
//   which paint over the rest). The picture is then opaque and is copied to the
//   window as it is: no desk to fill first, nothing to blend.
// - Otherwise the desk colour is filled only around the graph areas with an
//   opaque background, which the replot's picture covers completely.
// A plot that is not shown (its window closed) is drawn again only when it
// shows, not with every change.
class ChartPlot : public QCustomPlot {
public:
    explicit ChartPlot(QWidget* parent = nullptr);

    // Draws the plot again with the next turn of the event loop, or when it shows.
    void queueReplot();

    // The desk colour when it is one opaque colour with no picture on it.
    std::optional<QColor> opaqueDesk() const;
    // The part of the viewport the desk colour shows in: all but the graph areas
    // that paint an opaque background of their own into the lowest buffer.
    QRegion deskRegion() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Puts a buffer that starts in the desk colour at the bottom of the buffers.
    void useDeskBuffer();

    bool m_replotWhenShown = false;
};

} // namespace telmora
