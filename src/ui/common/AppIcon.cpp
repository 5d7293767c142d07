#include "ui/common/AppIcon.h"
#include "ui/common/UiResources.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <memory>

namespace telmora {

// The resource file is compiled into a static library: its registration has to be
// referenced from code that is linked, or the linker drops it.
static void initAppResources() {
    InitUiResources();
}

namespace {

QPixmap render(QSvgRenderer& renderer, int size, qreal ratio) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

std::unique_ptr<QSvgRenderer> newRenderer() {
    initAppResources();
    return std::make_unique<QSvgRenderer>(QStringLiteral(":/telmora/telmora.svg"));
}

qreal screenRatio() {
    return qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

// Pixmaps are made on demand rather than kept in statics: a pixmap must not
// outlive the application object.
QPixmap AppIconPixmap(int size) {
    const auto renderer = newRenderer();
    return render(*renderer, size, screenRatio());
}

QIcon AppIcon() {
    const auto renderer = newRenderer();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(render(*renderer, size, 1.0));
    return icon;
}

} // namespace telmora
