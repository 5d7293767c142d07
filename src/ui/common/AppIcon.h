#pragma once

#include <QIcon>
#include <QPixmap>

namespace telmora {

// The program's icon (the meter drawing of packaging/telmora.svg), rendered at the
// usual icon sizes so that no image-format plugin is needed. Window icon of every
// window; the About box shows it large.
QIcon AppIcon();

// The icon drawn at `size` × `size` pixels (device-independent).
QPixmap AppIconPixmap(int size);

} // namespace telmora
