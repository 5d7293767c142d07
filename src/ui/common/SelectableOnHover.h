#pragma once

#include <QObject>

class QLabel;

namespace telmora {

// Lets the user select and copy the text of a label that changes with every
// reading. A selectable label lays out a whole text document for each new text;
// this one is selectable only while the pointer is on it, and stays so while it
// holds a selection or its context menu (Copy, Select All) is open.
class SelectableOnHover : public QObject {
    Q_OBJECT

public:
    // Watches `label`, which owns the watcher.
    static void apply(QLabel* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SelectableOnHover(QLabel* label);
};

} // namespace telmora
