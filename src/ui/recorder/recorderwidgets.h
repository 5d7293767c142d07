#pragma once

#include <QIcon>
#include <QString>

class QLabel;
class QWidget;

namespace telmora {

enum class RecorderGlyph {
    Start,
    Stop,
    Manual,
    Option,
    Open,
    Save,
    Print,
    Clear,
    Import,
    Export,
    First,
    PageUp,
    PageDown,
    Last,
    UndoZoom,
    Fit,
    // The graphical viewer's own, smaller pictures.
    ViewerPrint,
    ViewerUndoZoom,
    ViewerExport
};

// The recorder's tool button pictures, SVG files compiled into the window library,
// drawn in the palette's colours.
QIcon MakeRecorderGlyph(RecorderGlyph glyph);
// The resource path of a picture (":/recorder/<name>.svg").
QString RecorderGlyphPath(RecorderGlyph glyph);

// A black read-out panel with lime bold text, as the recorder's displays use.
QLabel* MakeValuePanel(QWidget* parent, const char* name, int minWidth);

} // namespace telmora
