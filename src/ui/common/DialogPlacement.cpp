#include "ui/common/DialogPlacement.h"

#include "app/windowplacement.h"
#include "ui/common/MessageBox.h"
#include "ui/common/windowframes.h"

#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QSpacerItem>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace telmora {

void MakeDialogFrame(QWidget& dialog, bool closeButton) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton)
        flags |= Qt::WindowCloseButtonHint;
    flags |= dialog.windowFlags() & (Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowFlags(flags);
}

const QWidget* DialogOwner(const QWidget& dialog) {
    const QWidget* parent = dialog.parentWidget();
    if (parent == nullptr)
        return nullptr;
    const QWidget* owner = parent->window();
    if (owner == &dialog || !owner->isVisible() || owner->isMinimized())
        return nullptr;
    return owner;
}

void CentreOnOwner(QWidget& dialog) {
    const QWidget* owner = DialogOwner(dialog);
    const QSize outer = dialog.size().grownBy(FrameMargins(dialog, owner));
    std::optional<TileRect> ownerPlace;
    if (owner != nullptr)
        ownerPlace = OuterRect(*owner, nullptr);
    const TileRect area = FreeArea(owner != nullptr ? *owner : dialog);
    const TileRect place = ComputeDialogPlace({outer.width(), outer.height()}, ownerPlace, area);
    MoveOuter(dialog, QPoint(place.left, place.top), owner);
}

DialogPlacement::DialogPlacement(QDialog& dialog, bool followShow)
    : QObject(&dialog), m_dialog(dialog) {
    setObjectName(QStringLiteral("DialogPlacement"));
    if (followShow)
        dialog.installEventFilter(this);
}

DialogPlacement& DialogPlacement::of(QDialog& dialog, bool followShow) {
    auto* existing = dialog.findChild<DialogPlacement*>(QString(), Qt::FindDirectChildrenOnly);
    if (existing == nullptr)
        return *new DialogPlacement(dialog, followShow);
    if (followShow)
        dialog.installEventFilter(existing); // installing twice keeps one filter
    return *existing;
}

void DialogPlacement::attach(QDialog& dialog) {
    of(dialog, true);
}

void DialogPlacement::placeNow(QDialog& dialog) {
    of(dialog, false).place();
}

bool DialogPlacement::eventFilter(QObject* watched, QEvent* event) {
    // The show event comes before the desktop maps the window: the place set now
    // is where the window first appears.
    if (watched == &m_dialog && event->type() == QEvent::Show && !event->spontaneous())
        place();
    return QObject::eventFilter(watched, event);
}

void DialogPlacement::place() {
    fitCaption();
    CentreOnOwner(m_dialog);
}

void DialogPlacement::fitCaption() {
    const int needed = MessageBoxCaptionWidth(m_dialog.windowTitle(), m_dialog.style());
    QLayout* layout = m_dialog.layout();
    auto* grid = qobject_cast<QGridLayout*>(layout);
    auto* box = qobject_cast<QBoxLayout*>(layout);
    const bool stacks =
        grid != nullptr || (box != nullptr && (box->direction() == QBoxLayout::TopToBottom ||
                                               box->direction() == QBoxLayout::BottomToTop));
    // A dialog of fixed size takes the size its layout gives it.
    if (layout != nullptr && m_dialog.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint))
        layout->setSizeConstraint(QLayout::SetFixedSize);
    if (stacks) {
        // A row of nothing as wide as the caption: the layout sizes the dialog.
        const QMargins margins = layout->contentsMargins();
        const int inner = std::max(0, needed - margins.left() - margins.right());
        if (m_captionRoom == nullptr) {
            m_captionRoom = new QSpacerItem(inner, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
            if (grid != nullptr)
                grid->addItem(m_captionRoom, grid->rowCount(), 0, 1, grid->columnCount());
            else
                box->addSpacerItem(m_captionRoom);
        } else {
            m_captionRoom->changeSize(inner, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
        }
        layout->invalidate();
        layout->activate();
        // A dialog of fixed size grows with its layout.
        if (m_dialog.maximumWidth() < m_dialog.minimumWidth())
            m_dialog.setMaximumWidth(m_dialog.minimumWidth());
    }
    if (m_dialog.width() < needed) {
        if (m_dialog.minimumWidth() == m_dialog.maximumWidth())
            m_dialog.setFixedWidth(needed);
        else
            m_dialog.resize(needed, m_dialog.height());
    }
}

} // namespace telmora
