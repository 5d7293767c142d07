#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QAction;
class QMainWindow;
class QToolButton;
class QWidget;

namespace telmora {

class RecorderController;
class UserDialogs;

// What the marker commands need of the recorder window.
struct MarkerCommandHooks {
    // The sample a new marker marks: the newest while recording, else the one under
    // the cursor (-1: none).
    std::function<std::int64_t()> currentSample;
    // The sample under the cursor, where next and previous start from.
    std::function<std::int64_t()> cursorSample;
    // Shows sample `index` with the cursor on it.
    std::function<void(std::int64_t)> goToSample;
};

// The recorder's marker commands: Mark (Ctrl+M and a tool button) asks for an
// optional note and marks the current sample; Next and Previous marker move the
// cursor from marker to marker; Markers panel shows the list of them.
class MarkerCommands : public QObject {
    Q_OBJECT

public:
    // Adds the menu to `window`'s menu bar and the button to `toolPanel`'s layout
    // (a row of buttons).
    MarkerCommands(QMainWindow& window, QWidget& toolPanel, UserDialogs& dialogs,
                   RecorderController& controller, MarkerCommandHooks hooks);

    void markSample();
    void nextMarker();
    void previousMarker();
    // Enables the commands that need a recording (none while a file job runs).
    void setEnabled(bool enabled);

signals:
    void panelRequested();

private:
    QAction* addAction(QWidget& menu, const QString& text, const char* name,
                       const QKeySequence& key);

    QMainWindow& m_window;
    UserDialogs& m_dialogs;
    RecorderController& m_controller;
    MarkerCommandHooks m_hooks;
    QToolButton* m_button = nullptr;
    QAction* m_mark = nullptr;
    QAction* m_next = nullptr;
    QAction* m_previous = nullptr;
};

} // namespace telmora
