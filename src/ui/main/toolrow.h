#pragma once
// The tool row across the main window: a bevel line over one row of tool
// buttons and status panels.

#include <array>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

namespace telmora {

// Side of a square tool button; the row is one and a half of it high.
constexpr int kToolButtonSize = 36;

// The controls of the row. The buttons are named by their commands and take the
// focus from the keyboard; they are not connected yet.
struct ToolRow {
    QFrame* bevel = nullptr;
    QToolButton* link = nullptr;
    QToolButton* digital = nullptr;
    QToolButton* analog = nullptr;
    QToolButton* dataList = nullptr;
    QToolButton* recorder = nullptr;
    QToolButton* comparator = nullptr;
    QToolButton* tile = nullptr;
    QToolButton* port = nullptr;
    QToolButton* about = nullptr;
    std::array<QLabel*, 4> statusPanels{};
};

// Fills `central` with the row: link, the window buttons, tile, port and about
// in groups parted by sunken lines, then the status panels (link, recording, logger, publishing).
ToolRow BuildToolRow(QWidget* central);

} // namespace telmora
