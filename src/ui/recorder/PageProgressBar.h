#pragma once

#include <QRect>
#include <QWidget>

class QStyleOptionProgressBar;

namespace telmora {

// How full the recorder's current page is, drawn as the style draws a progress
// bar. A progress bar repaints itself whole and at once whenever its value
// moves by a step it can show: a painting cycle of its own, apart from the rest
// of the window's, with every sample. This bar is marked for the window's next
// painting instead, and only where it changed.
class PageProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit PageProgressBar(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setValue(int value);
    int value() const { return m_value; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The part of the bar that differs between the values `before` and `after`.
    QRect changedArea(int before, int after) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStyleOptionProgressBar styleOption(int value) const;

    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
};

} // namespace telmora
