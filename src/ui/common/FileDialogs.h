#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace telmora {

// One file dialog: what the program asks for. Filters are written as pairs
// "description|patterns|description|patterns", as the program's texts give them.
struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Save;
    QWidget* owner = nullptr;
    QString caption;
    QString defaultExt; // without the dot; appended when the user types no extension
    QString fileName;   // proposed name ("Untitled.g53"), may be empty
    QString filter;
    int filterIndex = 1;         // 1-based, as the filter pairs are counted
    bool overwritePrompt = true; // save dialogs ask before replacing a file
};

// Shows the file dialog modally and returns the chosen path, or nothing when the
// user cancelled. Tests install an interceptor that answers instead of the user.
using FileDialogInterceptor = std::function<std::optional<QString>(const FileDialogRequest&)>;
void SetFileDialogInterceptor(FileDialogInterceptor interceptor);
std::optional<QString> RunFileDialog(const FileDialogRequest& request);

// Turns "desc|*.a|desc2|*.b;*.c" into Qt name filters. Each pattern is offered in
// lower and upper case, since Linux file names are case-sensitive and the program
// writes ".TMP" files while its filter says "*.tmp".
QStringList ToNameFilters(const QString& pairs);

// The colour picker: pre-set to `initial`, returns the chosen colour or nothing
// when the user cancelled. Tests intercept it like the file dialog.
using ColorDialogInterceptor = std::function<std::optional<QColor>(const QColor& initial)>;
void SetColorDialogInterceptor(ColorDialogInterceptor interceptor);
std::optional<QColor> PickColor(QWidget* owner, const QColor& initial);

} // namespace telmora
