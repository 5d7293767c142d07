#pragma once

#include "ui/recorder/recorderwidgets.h"

#include <QObject>

#include <array>
#include <cstddef>

class QAction;
class QHBoxLayout;
class QMainWindow;
class QMenu;
class QToolButton;
class QWidget;

namespace telmora {

struct RecorderControlState;
enum class TextId;

// Every command of the recorder window, whether reached by a tool button, a menu
// item or both.
enum class RecorderCommand {
    Start,
    Stop,
    Manual,
    Interval,
    Open,
    SaveAs,
    Print,
    PrinterSetup,
    Clear,
    Import,
    Export,
    Exit,
    FirstPage,
    PageUp,
    PageDown,
    LastPage,
    UndoZoom,
    FitView,
    LineColor,
    MathChannel,
    Trigger,
};

// The recorder window's tool panel and menu bar. Buttons and menu items report
// their command through commandTriggered; which of them are enabled follows the
// window's RecorderControlState. Button object names are the controls' old names
// ("startRecordingButton", …), so tests can find them.
class RecorderCommandBar : public QObject {
    Q_OBJECT

public:
    // Builds the tool panel (not yet placed in a layout) and fills the menu bar of
    // `window`.
    explicit RecorderCommandBar(QMainWindow& window);

    QWidget* toolPanel() const { return m_toolPanel; }

    // Enables the buttons and menu items as `state` says.
    void apply(const RecorderControlState& state);
    // The Start or the Stop button shows as pressed.
    void showRecording(bool recording);
    void setUndoZoomEnabled(bool enabled);

signals:
    void commandTriggered(telmora::RecorderCommand command);

private:
    static constexpr std::size_t kCommandCount =
        static_cast<std::size_t>(RecorderCommand::Trigger) + 1;

    void buildToolPanel(QMainWindow& window);
    void addButton(QHBoxLayout& tools, RecorderCommand command, const char* name, TextId hint,
                   RecorderGlyph glyph);
    void buildMenus(QMainWindow& window);
    void buildFileMenu(QMenu& menu);
    void buildAcquisitionMenu(QMenu& menu);
    void buildViewMenu(QMenu& menu);
    QAction* addItem(QMenu& menu, RecorderCommand command, TextId id, const QKeySequence& key);
    QAction* addItem(QMenu& menu, RecorderCommand command, TextId id);
    QToolButton*& button(RecorderCommand command);
    QAction*& action(RecorderCommand command);

    QWidget* m_toolPanel = nullptr;
    std::array<QToolButton*, kCommandCount> m_buttons{};
    std::array<QAction*, kCommandCount> m_actions{};
};

} // namespace telmora
