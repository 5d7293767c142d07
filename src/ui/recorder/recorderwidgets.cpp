#include "ui/recorder/recorderwidgets.h"

#include "ui/common/UiResources.h"
#include "ui/common/displayfont.h"
#include "ui/recorder/InkIconEngine.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>

namespace telmora {

namespace {

// The file under :/recorder/ (see resources/recorder.qrc) that holds each picture.
const char* glyphFile(RecorderGlyph glyph) {
    switch (glyph) {
    case RecorderGlyph::Start:
        return "start";
    case RecorderGlyph::Stop:
        return "stop";
    case RecorderGlyph::Manual:
        return "manual";
    case RecorderGlyph::Option:
        return "option";
    case RecorderGlyph::Open:
        return "open";
    case RecorderGlyph::Save:
        return "save";
    case RecorderGlyph::Print:
        return "print";
    case RecorderGlyph::Clear:
        return "clear";
    case RecorderGlyph::Import:
        return "import";
    case RecorderGlyph::Export:
        return "export";
    case RecorderGlyph::First:
        return "first";
    case RecorderGlyph::PageUp:
        return "pageup";
    case RecorderGlyph::PageDown:
        return "pagedown";
    case RecorderGlyph::Last:
        return "last";
    case RecorderGlyph::UndoZoom:
        return "undozoom";
    case RecorderGlyph::Fit:
        return "fit";
    case RecorderGlyph::ViewerPrint:
        return "viewer-print";
    case RecorderGlyph::ViewerUndoZoom:
        return "viewer-undozoom";
    case RecorderGlyph::ViewerExport:
        return "viewer-export";
    }
    return "start";
}

} // namespace

QString RecorderGlyphPath(RecorderGlyph glyph) {
    return QStringLiteral(":/recorder/%1.svg").arg(QLatin1String(glyphFile(glyph)));
}

QIcon MakeRecorderGlyph(RecorderGlyph glyph) {
    InitUiResources();
    return QIcon(new InkIconEngine(RecorderGlyphPath(glyph)));
}

QLabel* MakeValuePanel(QWidget* parent, const char* name, int minWidth) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0)); // lime
    l->setPalette(pal);
    QFont f = DisplayFont();
    f.setPointSize(11);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(minWidth);
    l->setMinimumHeight(QFontMetrics(f).height() + 8);
    return l;
}

} // namespace telmora
