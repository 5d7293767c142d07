#pragma once
// Tool button pictures drawn in the colours of the palette: the SVG's ink
// (its outlines and dark fills) in the palette's button text colour and its paper
// (the light fills inside the outlines) in the palette's base colour, so that a
// picture stands out on a light and on a dark theme alike. The colours are taken
// whenever the picture is drawn: a change of theme needs no new icon.

#include <QByteArray>
#include <QIconEngine>
#include <QString>

namespace telmora {

class InkIconEngine : public QIconEngine {
public:
    // The SVG file at `path` (a resource).
    explicit InkIconEngine(const QString& path);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    QString m_path;
    QByteArray m_svg;
};

} // namespace telmora
