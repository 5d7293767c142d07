#pragma once
// The file dialogs and the colour picker of the widget set: what WidgetDialogs
// shows for a FileDialogRequest or a colour to choose.

#include "app/UserDialogs.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace telmora {

// Shows the file dialog modally and returns the chosen path, or nothing when the
// user cancelled. The dialog opens in `lastDirectory` (when it exists), which
// becomes the folder of the chosen file.
std::optional<QString> ShowFileDialog(const FileDialogRequest& request, QString& lastDirectory);

// Turns "desc|*.a|desc2|*.b;*.c" into Qt name filters. Each pattern is offered in
// lower and upper case, since Linux file names are case-sensitive and the program
// writes ".TMP" files while its filter says "*.tmp".
QStringList ToNameFilters(const QString& pairs);

// The colour picker: pre-set to `initial`, returns the chosen colour or nothing
// when the user cancelled.
std::optional<QColor> ShowColorDialog(QWidget* owner, const QColor& initial,
                                      const QString& title = {});

} // namespace telmora
