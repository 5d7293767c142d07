#pragma once

#include <QGroupBox>
#include <QPixmap>

namespace telmora {

// A group box whose frame and title are drawn once into a picture and copied
// from it whenever the figures inside repaint. Its figures are transparent, so
// each new figure repaints the box under it, and the style draws its frame from
// a scaled image and measures the title every time; the picture is drawn again
// only when the size, title, state, palette, font, style or pixel ratio change.
class FramedBox : public QGroupBox {
    Q_OBJECT

public:
    explicit FramedBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the picture shows.
    struct Look {
        QSize size;
        qreal ratio = 0.0;
        QString title;
        int state = 0;
        qint64 palette = 0;
        QString font;
        const QStyle* style = nullptr;
        bool operator==(const Look&) const = default;
    };

    Look m_look;
    QPixmap m_picture;
};

} // namespace telmora
