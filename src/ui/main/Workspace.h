#pragma once

#include "ui/main/LiveWindowSet.h"

#include <QSize>
#include <QString>

#include <vector>

class QMainWindow;
class QWidget;

namespace telmora {

class IniSettings;
class PanelDock;

// The panels of the main window and their arrangement. Every meter's live
// displays, the recorder and the data list are docks of the main window; the
// user docks, tabs, floats and sizes them, and the arrangement is kept between
// runs. The default arrangement puts each meter's displays in a column of their
// own (one above the other: digital, analog, comparator), the recorder large
// beside them and the data list beside the recorder; meters that do not fit
// side by side share one column as tabs, and so do a column's analog meter and
// comparator when the column is not high enough for both; the data list is a tab
// beside the recorder when it does not fit beside it, and on a screen too narrow
// for even one column beside the recorder every panel is a tab of one group.
class Workspace {
public:
    explicit Workspace(QMainWindow& main);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Makes the docks of one meter's displays; `key` tells the meter's docks
    // apart between runs (empty for the first meter). A meter added after the
    // arrangement was put back takes its remembered place, or the place the
    // default arrangement gives it; its digital meter shows, its other displays
    // as the first meter's of their kind do.
    void addMeter(const QString& key, const LiveWindowSet& set);
    // Makes the docks of the recorder and the data list.
    void addRecorder(QWidget* recorder, QWidget* dataList);
    // A further panel (hidden until asked for), tabbed with the recorder.
    void addPanel(QWidget* panel, const QString& name);

    // The default arrangement (the tile command): every dock back in the main
    // window at its default place; which panels are shown stays as it is.
    void arrangeDefault();
    // Puts back the arrangement and the main window's size the last run kept;
    // false when nothing was kept (then the default arrangement is in place and
    // the digital meters and the data list are shown).
    bool restore(const IniSettings& state);
    // Keeps the arrangement and the main window's size in `state` (not saved yet).
    void save(IniSettings& state) const;

    // Shows `panel`'s dock in front of its tab group with the focus in it.
    void bringUp(QWidget* panel);
    PanelDock* dockOf(const QWidget* panel) const;
    // Every dock, in the order they were made.
    const std::vector<PanelDock*>& docks() const { return m_docks; }

private:
    struct Meter {
        QString key;
        PanelDock* digital = nullptr;
        PanelDock* analog = nullptr;
        PanelDock* comparator = nullptr;
    };
    PanelDock* makeDock(QWidget* panel, const QString& name, bool closable, QSize smallest);
    // What fits in the room the docks have: every meter in a column of its own,
    // the data list beside the recorder, and the three displays in one column.
    struct Fit {
        int column = 0; // the width a meter column needs
        bool sideBySide = true;
        bool columnBeside = true; // one column beside the recorder
        bool listBeside = true;
        bool highColumn = true;
    };
    Fit fit() const;
    // Where the default arrangement puts meter `index` (the meters before it placed).
    void placeMeter(std::size_t index, const Fit& f);
    // Gives the meter columns, the recorder and the data list their widths.
    void sizeColumns(const Fit& f);
    // The room the docks have: the main window less its menu and tool bars.
    QSize dockRoom() const;

    QMainWindow& m_main;
    std::vector<Meter> m_meters;
    std::vector<PanelDock*> m_docks;
    PanelDock* m_recorder = nullptr;
    PanelDock* m_dataList = nullptr;
    std::vector<PanelDock*> m_more;
    bool m_restored = false;
    bool m_arranged = false; // an arrangement was put in place
};

} // namespace telmora
