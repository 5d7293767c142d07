#pragma once

#include <QIcon>

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
    Fit
};

// The recorder's tool button pictures, drawn in code so they scale and need no files.
QIcon MakeRecorderGlyph(RecorderGlyph glyph);

// A black read-out panel with lime bold text, as the recorder's displays use.
QLabel* MakeValuePanel(QWidget* parent, const char* name, int minWidth);

} // namespace telmora
