#pragma once

#include "text/texts.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class QColor;
class QDialog;
class QPrinter;
class QWidget;

namespace telmora {

enum class BoxIcon { None, Information, Question, Warning, Error };

// The buttons a box may carry; also the answer it gives.
enum class BoxButton { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore, Open, SaveAs, Discard };

// Everything one message box shows. `owner` is the window the box belongs to
// (null: none); the core never looks into it.
struct BoxRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    BoxIcon icon = BoxIcon::None;
    std::vector<BoxButton> buttons{BoxButton::Ok};
    BoxButton defaultButton = BoxButton::None;
    // Closing the box without pressing a button answers None (the question is
    // left for later) instead of the last button.
    bool closeLeavesUnanswered = false;
};

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

// One print dialog: the printer it sets up and the number of pages the job will
// have (the pages were chosen before, so the dialog offers no page range).
struct PrintDialogRequest {
    QWidget* owner = nullptr;
    QPrinter* printer = nullptr;
    int pageCount = 1;
};

// One whole number asked of the user (a sample to go to, for example), offered
// with `value` and limited to minimum..maximum.
struct NumberInputRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString label;
    qint64 value = 0;
    qint64 minimum = 0;
    qint64 maximum = 0;
};

// How an auto-closing notice ended, numbered as the dialog results callers compare
// with. Callers treat every result but Aborted as "go on".
enum class CountdownResult : int {
    Aborted = 3,
    Continued = 4,
    TimedOut = 6,
};

// One auto-closing notice: a caption of `captionKind` numbered with `captionId`
// and up to three lines.
struct CountdownRequest {
    QWidget* owner = nullptr;
    CaptionKind captionKind = CaptionKind::Warning;
    TextId captionId = TextId::MeterBatteryLow;
    std::array<QString, 3> lines;
};

// One line of text asked of the user (a name, for example), offered with `text`
// to edit.
struct TextInputRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString label;
    QString text;
};

// Everything the program asks the user in a dialog of the desktop: message boxes,
// file, print and page-setup dialogs, the colour picker, a line of text, a number,
// the auto-closing notice and the program's own modal dialogs. Windows
// are handed one through their constructors; the program's is the widget set of
// src/ui/common, tests hand in one that answers from a script.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    UserDialogs() = default;
    UserDialogs(const UserDialogs&) = delete;
    UserDialogs& operator=(const UserDialogs&) = delete;

    // Shows the box modally and returns the button the user pressed.
    virtual BoxButton showBox(const BoxRequest& request) = 0;
    // The chosen path (native separators), or nothing when the user cancelled.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
    // True when the user chose to print, with the printer set up as chosen.
    virtual bool choosePrinter(const PrintDialogRequest& request) = 0;
    // Lets the user set up the page of `printer` (size, orientation, margins); true
    // when the user accepted the changes.
    virtual bool setUpPage(QWidget* owner, QPrinter& printer) = 0;
    // The chosen colour, or nothing when the user cancelled. `title` captions the
    // dialog (empty: the desktop's own caption).
    virtual std::optional<QColor> pickColor(QWidget* owner, const QColor& initial,
                                            const QString& title) = 0;
    // Shows the notice modally until its countdown ends or the user ends it.
    virtual CountdownResult showCountdown(const CountdownRequest& request) = 0;
    // The text the user entered, or nothing when the user cancelled.
    virtual std::optional<QString> askText(const TextInputRequest& request) = 0;
    // The number the user entered, or nothing when the user cancelled.
    virtual std::optional<qint64> askNumber(const NumberInputRequest& request) = 0;
    // Shows one of the program's own dialogs (set up by its window) modally; true
    // when the user accepted it. The window reads the answers from the dialog.
    virtual bool runDialog(QDialog& dialog) = 0;

    // The message-box routine: caption "Error[E<n>]" with the number of `id`, the
    // text of `id`, an OK button and the error icon.
    void showError(QWidget* owner, TextId id);
    // The same with caption "Warning[W<n>]" and the warning icon.
    void showWarning(QWidget* owner, TextId id);
    // A box with the caller's text, a caption of `kind` numbered with `captionId`,
    // and the caller's buttons, icon and default button (the "direct" boxes).
    BoxButton showDirectBox(QWidget* owner, const QString& text, CaptionKind kind, TextId captionId,
                            BoxIcon icon, std::vector<BoxButton> buttons,
                            BoxButton defaultButton = BoxButton::None);
};

} // namespace telmora
