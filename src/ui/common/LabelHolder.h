#pragma once

#include <QFont>
#include <QMargins>
#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

class QLabel;

namespace telmora {

// Takes the place of a label in a layout and holds the label inside it, filling
// it. A label asks its parent's layout for a relayout with every new text, and
// that runs up through every layout to the window; held, a new text only
// repaints the label, and the holder asks for a relayout only when the label's
// size hint actually changed. The layout sees the same hints and size policy as
// it would see for the label itself, so nothing moves. A new text of the same
// digit pattern (a new reading, a new time) in the same font and settings takes
// the same room, as screen fonts give all digits one width: the label is not
// asked for its hints then, which would lay out its text anew. A word-wrapped
// label's height for a width is passed on the same way: asked of the label once
// per width for each digit pattern.
class LabelHolder : public QWidget {
    Q_OBJECT

public:
    // Puts `label` (which may have a parent already) into a new holder under
    // `parent`; the label's object name stays on the label.
    LabelHolder(QLabel* label, QWidget* parent);

    QLabel* label() const { return m_label; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // What the label's hints follow.
    struct HintInputs {
        QString pattern; // the text with each digit as 0
        QFont font;
        int interaction = 0;
        int format = 0;
        bool wordWrap = false;
        bool pixmap = false;
        int indent = 0;
        int margin = 0;
        QMargins contents;
        QSize minimum;
        QSize maximum;
        bool operator==(const HintInputs&) const = default;
    };
    HintInputs hintInputs() const;
    // Takes the label's hints; true when they differ from those taken before.
    bool takeHints();

    QLabel* m_label;
    std::optional<HintInputs> m_inputs; // of the hints taken last
    QSize m_hint;                       // as last told to the layout
    QSize m_minimumHint;                // as last told to the layout
    // The label's heights for the widths asked since the hints were taken.
    mutable std::vector<std::pair<int, int>> m_heights;
};

// Puts `label` into a LabelHolder under the label's parent and returns the holder,
// for adding to a layout in the label's place.
LabelHolder* HoldLabel(QLabel* label);

} // namespace telmora
