#include "ui/live/DisplayPlacement.h"
#include "ui/common/UiResources.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace telmora {

// Resources of a static library are registered explicitly.
static void loadDisplayResources() {
    InitUiResources();
}

QRect DisplayScreenGeometry() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry();
    return QRect(0, 0, 1024, 768);
}

int CaptionHeight(const QWidget* widget) {
    const QStyle* style = widget ? widget->style() : QApplication::style();
    return style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, widget);
}

int DialogFrameHeight(const QWidget* widget) {
    const QStyle* style = widget ? widget->style() : QApplication::style();
    return std::max(2, style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget) + 1);
}

QIcon DisplayIcon(const QString& name) {
    static const bool loaded = [] {
        loadDisplayResources();
        return true;
    }();
    (void)loaded;
    return QIcon(QStringLiteral(":/displays/%1.svg").arg(name));
}

Qt::Alignment LabelAlignment(LabelAlign align) {
    switch (align) {
    case LabelAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case LabelAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case LabelAlign::Centre:
        break;
    }
    return Qt::AlignCenter;
}

} // namespace telmora
