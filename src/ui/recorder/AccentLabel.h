#pragma once
// A bold label in an accent colour (the red "Max." and fuchsia "Min." titles of
// the read-outs), in the first of its colours that reads well on the window's
// background of the palette in use (4.5:1); it follows a change of theme.

#include <QColor>
#include <QLabel>

#include <vector>

namespace telmora {

class AccentLabel : public QLabel {
    Q_OBJECT
public:
    // `colours`: the accent for light backgrounds first, then lighter ones.
    AccentLabel(const QString& text, std::vector<QColor> colours, QWidget* parent = nullptr);

    // Red and fuchsia as the read-out titles use them.
    static std::vector<QColor> reds();
    static std::vector<QColor> fuchsias();

protected:
    void changeEvent(QEvent* event) override;

private:
    void pickColour();

    std::vector<QColor> m_colours;
};

} // namespace telmora
