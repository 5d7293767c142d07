#pragma once

#include <QColor>
#include <QDialog>
#include <QFrame>

class QPushButton;

namespace telmora {

class UserDialogs;
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
    explicit LineColorDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    static constexpr QRgb kDefaultColor1 = 0xFF0000FF; // blue
    static constexpr QRgb kDefaultColor2 = 0xFFFF0000; // red

    // The two colours as their swatches show them.
    QColor firstColor() const;
    QColor secondColor() const;
    // Puts remembered colours into the swatches (invalid colours are skipped).
    void setColors(const QColor& first, const QColor& second);
    // Relabels the two "Line Color n..." buttons.
    void setButtonTexts(const QString& first, const QString& second);

private:
    void buildControls();
    void restoreDefaults();
    void pickInto(ShapeFrame* shape);

    UserDialogs& m_dialogs;
    ShapeFrame* m_firstSwatch = nullptr;
    ShapeFrame* m_secondSwatch = nullptr;
    QPushButton* m_firstButton = nullptr;
    QPushButton* m_secondButton = nullptr;
    QPushButton* m_defaultButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace telmora
