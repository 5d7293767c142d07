#pragma once

#include <QObject>

class QDialog;
class QSpacerItem;
class QWidget;

namespace telmora {

// Dialogs and message boxes of the program: a caption and a close button but no
// minimise or maximise button, tied to the window they belong to (their parent,
// which the desktop keeps them above), wide enough to show their caption uncut and
// centred on their owner each time they appear.

// Gives `dialog` the frame of a dialog: a caption with a close button (none when
// `closeButton` is false) and no minimise or maximise button. Its parent and its
// staying on top are kept.
void MakeDialogFrame(QWidget& dialog, bool closeButton = true);

// The window `dialog` belongs to: its parent's window while that is shown and not
// minimised, else none (then the dialog is centred on the screen).
const QWidget* DialogOwner(const QWidget& dialog);

// Moves `dialog`, at its present size, to its place centred on its owner (see
// ComputeDialogPlace), inside the screen's free area.
void CentreOnOwner(QWidget& dialog);

// Makes a dialog wide enough for its caption and centres it on its owner. It
// lives as a child of the dialog.
class DialogPlacement : public QObject {
    Q_OBJECT

public:
    // Fits and centres `dialog` every time it is shown, as the show begins. A
    // dialog with the fixed-size hint gets the size its layout gives it.
    static void attach(QDialog& dialog);
    // Fits and centres `dialog` now: the end of the show event of a dialog that
    // settles its contents there calls this.
    static void placeNow(QDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DialogPlacement(QDialog& dialog, bool followShow);
    static DialogPlacement& of(QDialog& dialog, bool followShow);
    // Makes the dialog at least as wide as its caption needs, then centres it.
    void place();
    void fitCaption();

    QDialog& m_dialog;
    QSpacerItem* m_captionRoom = nullptr; // owned by the dialog's layout
};

} // namespace telmora
