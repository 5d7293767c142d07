#pragma once

#include <QColor>
#include <QDialog>
#include <QFrame>

class QPushButton;

namespace telmora {

// A filled rectangle showing one colour (the swatch of a line colour).
class ShapeFrame : public QFrame {
    Q_OBJECT
public:
    explicit ShapeFrame(QWidget* parent = nullptr);
    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor& color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_brush = Qt::white;
};

// "Graph Line Color": holds two line colours (blue and red by default). The caller
// may relabel the two buttons, shows the dialog modally and reads the swatches'
// brush colours when it draws. The dialog keeps no copy to restore on Cancel: a
// colour once picked stays in its swatch.
class LineColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit LineColorDialog(QWidget* parent = nullptr);

    static constexpr QRgb kDefaultColor1 = 0xFF0000FF; // blue
    static constexpr QRgb kDefaultColor2 = 0xFFFF0000; // red

    ShapeFrame* ShapeLineColor1 = nullptr;
    ShapeFrame* ShapeLineColor2 = nullptr;
    QPushButton* btnLineColor1 = nullptr;
    QPushButton* btnLineColor2 = nullptr;
    QPushButton* btnDefault = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void btnLineColor1Click();
    void btnLineColor2Click();
    void btnDefaultClick();

private:
    void pickInto(ShapeFrame* shape);
};

} // namespace telmora
