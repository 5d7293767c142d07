#pragma once

#include <QDockWidget>

namespace telmora {

// A panel of the workspace: one of the program's windows (a meter display, the
// recorder, the data list...) held in a dock of the main window. The dock takes
// the window's caption as its title and follows it. The window goes on as it
// was built: showing or hiding it shows or hides the dock, closing the dock asks
// the window first (its questions stay), and its keys work while the focus is in
// it, docked or floating, without clashing with the same key of another panel.
class PanelDock : public QDockWidget {
    Q_OBJECT

public:
    // `panel` becomes a child of the dock; `closable` false: the user cannot
    // close it (the digital meter). The object name keeps the panel's place in
    // the saved arrangement.
    PanelDock(QWidget* panel, const QString& objectName, bool closable, QWidget* parent);
    ~PanelDock() override;

    QWidget* panel() const { return widget(); }
    // Shows the dock, brings it to the front of its tab group and gives the panel
    // the focus.
    void bringUp();
    // Shows or hides the panel with the dock.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Keys the panel's actions and shortcuts to the panel instead of the window
    // around it.
    void keyToPanel();
    bool m_following = false;
};

} // namespace telmora
