#pragma once

#include "model/needle.h"

#include <QIcon>
#include <QRect>
#include <QString>

class QWidget;

namespace telmora {

// Geometry and resources the live display windows share.

// The screen the windows are placed on (the primary screen).
QRect DisplayScreenGeometry();
// Height of a window caption and of a fixed dialog frame (style metrics).
int CaptionHeight(const QWidget* widget);
int DialogFrameHeight(const QWidget* widget);

// The displays' icons and button glyphs by resource name ("icon2", "glyph_ok").
QIcon DisplayIcon(const QString& name);

// How a limit label part is aligned in its panel.
Qt::Alignment LabelAlignment(LabelAlign align);

} // namespace telmora
