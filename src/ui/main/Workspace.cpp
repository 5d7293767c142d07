#include "ui/main/Workspace.h"

#include "model/IniSettings.h"
#include "ui/main/PanelDock.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>

#include <algorithm>
#include <numeric>

namespace telmora {

namespace {

// The digital meter has no controls; its readings scale with the panel.
constexpr QSize kSmallestDigitalMeter(120, 48);
// A data list still shows its tabs, its column titles and a few lines.
constexpr QSize kSmallestDataList(120, 96);
// The share of the room beside the meters that the data list takes.
constexpr int kDataListShare = 4; // one in four

const QString kStateKey = QStringLiteral("Workspace/state");
const QString kSizeKey = QStringLiteral("Workspace/size");
const QString kMaximizedKey = QStringLiteral("Workspace/maximized");
// Kept with the arrangement: an arrangement of another layout is not put back.
constexpr int kStateVersion = 1;

QString dockName(const QString& kind, const QString& key) {
    return key.isEmpty() ? kind : kind + QLatin1Char('_') + key;
}

// The size a dock needs for its panel, title bar included, whether it is shown
// or not (the layout of a hidden panel counts it as empty).
QSize dockSmallest(const PanelDock* dock) {
    if (dock == nullptr)
        return {0, 0};
    const QWidget* panel = dock->widget();
    if (panel == nullptr || !panel->isHidden())
        return dock->minimumSizeHint();
    const QSize around = dock->minimumSizeHint();
    const QSize inside = panel->minimumSize().expandedTo(panel->minimumSizeHint());
    const int frame = dock->style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, dock);
    return {std::max(around.width(), inside.width() + 2 * frame),
            around.height() + inside.height()};
}

// The height of the tab bar of docks that share a place.
int tabBarHeight() {
    QTabBar probe;
    probe.addTab(QStringLiteral("Xg"));
    return probe.sizeHint().height();
}

} // namespace

Workspace::Workspace(QMainWindow& main) : m_main(main) {
    m_main.setDockNestingEnabled(true);
    m_main.setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks |
                          QMainWindow::AllowTabbedDocks | QMainWindow::GroupedDragging);
    m_main.setTabPosition(Qt::AllDockWidgetAreas, QTabWidget::North);
}

Workspace::~Workspace() = default;

PanelDock* Workspace::makeDock(QWidget* panel, const QString& name, bool closable, QSize smallest) {
    auto* dock = new PanelDock(panel, name, closable, &m_main);
    if (smallest.isValid())
        panel->setMinimumSize(smallest);
    m_docks.push_back(dock);
    // Before the arrangement is put in place, in the main window at once: the
    // arrangement then gives it its place. A later one gets it when it is made.
    if (!m_arranged) {
        const bool hidden = dock->isHidden();
        m_main.addDockWidget(Qt::LeftDockWidgetArea, dock);
        dock->setHidden(hidden);
    }
    return dock;
}

void Workspace::addMeter(const QString& key, const LiveWindowSet& set) {
    Meter meter;
    meter.key = key;
    meter.digital =
        makeDock(set.window(LiveWindowKind::Digital),
                 dockName(QStringLiteral("digitalMeterPanel"), key), false, kSmallestDigitalMeter);
    // The dials are pictures of a fixed size: they keep it.
    meter.analog = makeDock(set.window(LiveWindowKind::Analog),
                            dockName(QStringLiteral("analogMeterPanel"), key), true, QSize());
    meter.comparator = makeDock(set.window(LiveWindowKind::Comparator),
                                dockName(QStringLiteral("comparatorPanel"), key), true, QSize());
    m_meters.push_back(meter);
    if (!m_arranged)
        return;
    // A meter linked for the first time in this run: where the last run left its
    // panels, or where the default arrangement puts them.
    if (m_restored && m_main.restoreDockWidget(meter.digital)) {
        for (PanelDock* dock : {meter.analog, meter.comparator})
            if (!m_main.restoreDockWidget(dock)) {
                m_main.tabifyDockWidget(meter.digital, dock);
                dock->hide();
            }
        return;
    }
    const Meter& first = m_meters.front();
    // In the main window before it is arranged (a hidden dock keeps no place).
    m_main.addDockWidget(Qt::LeftDockWidgetArea, meter.digital);
    m_main.addDockWidget(Qt::LeftDockWidgetArea, meter.analog);
    m_main.addDockWidget(Qt::LeftDockWidgetArea, meter.comparator);
    meter.digital->show();
    meter.analog->setVisible(!first.analog->isHidden());
    meter.comparator->setVisible(!first.comparator->isHidden());
    // An arrangement the user has from an earlier run keeps everything in its
    // place; one this run started with is laid out again with the meter in it.
    if (m_restored)
        placeMeter(m_meters.size() - 1, fit());
    else
        arrangeDefault();
}

void Workspace::addRecorder(QWidget* recorder, QWidget* dataList) {
    m_recorder = makeDock(recorder, QStringLiteral("recorderPanel"), true, QSize());
    m_dataList = makeDock(dataList, QStringLiteral("dataListPanel"), true,
                          dataList->minimumSizeHint().expandedTo(kSmallestDataList));
    recorder->setMinimumSize(recorder->minimumSizeHint());
}

void Workspace::addPanel(QWidget* panel, const QString& name) {
    const QSize hint = panel->minimumSizeHint();
    QSize smallest = hint.isValid() ? hint : kSmallestDataList;
    // A tab of the recorder's group never needs more room than the recorder, so
    // showing it never pushes the window past the screen; below its own
    // smallest size it is cut, or floated by the user into a window of its own.
    if (m_recorder != nullptr)
        smallest = smallest.boundedTo(m_recorder->widget()->minimumSize());
    PanelDock* dock = makeDock(panel, name, true, smallest);
    m_more.push_back(dock);
    if (m_arranged && m_recorder != nullptr)
        m_main.tabifyDockWidget(m_recorder, dock);
    dock->hide();
}

QSize Workspace::dockRoom() const {
    // The main window may have grown past the screen to hold what it holds.
    QSize size = m_main.size();
    if (const QScreen* screen = m_main.screen()) {
        const QSize frame = m_main.frameGeometry().size() - m_main.geometry().size();
        size = size.boundedTo(screen->availableGeometry().size() - frame);
    }
    int height = size.height();
    if (m_main.menuBar() != nullptr)
        height -= m_main.menuBar()->sizeHint().height();
    for (const QToolBar* bar : m_main.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly))
        if (!bar->isHidden() && m_main.toolBarArea(bar) == Qt::TopToolBarArea)
            height -= bar->sizeHint().height();
    return {size.width(), height};
}

Workspace::Fit Workspace::fit() const {
    Fit f;
    if (m_meters.empty())
        return f;
    const Meter& m = m_meters.front();
    const int separator = m_main.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    f.column = std::max({dockSmallest(m.digital).width(), dockSmallest(m.analog).width(),
                         dockSmallest(m.comparator).width()});
    const QSize room = dockRoom();
    const int recorder = dockSmallest(m_recorder).width() + separator;
    const int list = dockSmallest(m_dataList).width() + separator;
    const int columns = static_cast<int>(m_meters.size()) * (f.column + separator);
    f.sideBySide = columns + recorder + list <= room.width();
    f.columnBeside = f.column + separator + recorder <= room.width();
    f.listBeside = f.column + separator + recorder + list <= room.width();
    // Meters that share a column as tabs put a tab bar above each display.
    const int tabs = f.sideBySide || m_meters.size() < 2 ? 0 : 3 * tabBarHeight();
    f.highColumn = dockSmallest(m.digital).height() + dockSmallest(m.analog).height() +
                       dockSmallest(m.comparator).height() + 3 * separator + tabs <=
                   room.height();
    return f;
}

void Workspace::placeMeter(std::size_t index, const Fit& f) {
    const Meter& meter = m_meters[index];
    const Meter& first = m_meters.front();
    if (!f.columnBeside && m_recorder != nullptr) {
        // Not even one column beside the recorder: every panel is a tab of its group.
        for (PanelDock* dock : {meter.digital, meter.analog, meter.comparator})
            m_main.tabifyDockWidget(m_recorder, dock);
        return;
    }
    if (index == 0) {
        m_main.addDockWidget(Qt::LeftDockWidgetArea, meter.digital);
        m_main.splitDockWidget(meter.digital, meter.analog, Qt::Vertical);
    } else if (f.sideBySide) {
        // A column of its own beside the meter before it.
        m_main.splitDockWidget(m_meters[index - 1].digital, meter.digital, Qt::Horizontal);
        m_main.splitDockWidget(meter.digital, meter.analog, Qt::Vertical);
    } else {
        // Tabs in the first meter's column.
        m_main.tabifyDockWidget(first.digital, meter.digital);
        m_main.tabifyDockWidget(first.analog, meter.analog);
    }
    // A further meter's comparator goes as the first meter's went: below its
    // analog meter or a tab beside it.
    const bool below = index == 0
                           ? f.highColumn
                           : !m_main.tabifiedDockWidgets(first.analog).contains(first.comparator);
    if (index > 0 && !f.sideBySide)
        m_main.tabifyDockWidget(below ? first.comparator : meter.analog, meter.comparator);
    else if (below)
        m_main.splitDockWidget(meter.analog, meter.comparator, Qt::Vertical);
    else
        m_main.tabifyDockWidget(meter.analog, meter.comparator);
}

void Workspace::arrangeDefault() {
    std::vector<bool> shown;
    for (PanelDock* dock : m_docks) {
        shown.push_back(!dock->isHidden());
        dock->setFloating(false);
        m_main.removeDockWidget(dock);
    }
    const Fit f = fit();
    if (m_recorder != nullptr) {
        m_main.addDockWidget(Qt::RightDockWidgetArea, m_recorder);
        // On a narrow screen the data list is a tab beside the recorder.
        if (f.listBeside)
            m_main.splitDockWidget(m_recorder, m_dataList, Qt::Horizontal);
        else
            m_main.tabifyDockWidget(m_recorder, m_dataList);
        for (PanelDock* dock : m_more)
            m_main.tabifyDockWidget(m_recorder, dock);
    }
    for (std::size_t i = 0; i < m_meters.size(); ++i)
        placeMeter(i, f);
    for (std::size_t i = 0; i < m_docks.size(); ++i)
        m_docks[i]->setVisible(shown[i]);
    m_arranged = true;
    sizeColumns(f);
}

void Workspace::sizeColumns(const Fit& f) {
    if (m_recorder == nullptr || m_meters.empty() || !f.columnBeside)
        return;
    // The recorder takes what the meters and the data list leave.
    const int width = dockRoom().width();
    QList<QDockWidget*> docks;
    QList<int> widths;
    for (std::size_t i = 0; i < (f.sideBySide ? m_meters.size() : 1); ++i) {
        docks << m_meters[i].digital;
        widths << std::max(f.column, width / 6);
    }
    const int meters = std::accumulate(widths.begin(), widths.end(), 0);
    const int list =
        f.listBeside ? std::max(dockSmallest(m_dataList).width(), (width - meters) / kDataListShare)
                     : 0;
    docks << m_recorder;
    widths << std::max(width - meters - list, dockSmallest(m_recorder).width());
    if (list > 0) {
        docks << m_dataList;
        widths << list;
    }
    m_main.resizeDocks(docks, widths, Qt::Horizontal);
}

bool Workspace::restore(const IniSettings& state) {
    // The size the last run left, or the one it has; never larger than the screen.
    QSize size = state.value(kSizeKey).toSize();
    if (!size.isValid())
        size = m_main.size();
    if (const QScreen* screen = m_main.screen()) {
        const QSize frame = m_main.frameGeometry().size() - m_main.geometry().size();
        size = size.boundedTo(screen->availableGeometry().size() - frame);
    }
    // The smallest size as the panels now need it, not as it was before they came.
    m_main.layout()->activate();
    m_main.resize(size);
    if (state.value(kMaximizedKey).toBool())
        m_main.setWindowState(m_main.windowState() | Qt::WindowMaximized);
    const QByteArray saved = QByteArray::fromBase64(state.value(kStateKey).toString().toLatin1());
    m_restored = !saved.isEmpty() && m_main.restoreState(saved, kStateVersion);
    m_arranged = true;
    if (!m_restored) {
        arrangeDefault();
        for (const Meter& m : m_meters)
            m.digital->show();
        if (m_dataList != nullptr)
            m_dataList->show();
    }
    return m_restored;
}

void Workspace::save(IniSettings& state) const {
    state.setValue(kStateKey, QString::fromLatin1(m_main.saveState(kStateVersion).toBase64()));
    const bool maximized = m_main.isMaximized();
    state.setValue(kMaximizedKey, maximized);
    if (!maximized && !m_main.isFullScreen())
        state.setValue(kSizeKey, m_main.size());
}

PanelDock* Workspace::dockOf(const QWidget* panel) const {
    for (PanelDock* dock : m_docks)
        if (panel != nullptr && dock->widget() == panel)
            return dock;
    return nullptr;
}

void Workspace::bringUp(QWidget* panel) {
    if (PanelDock* dock = dockOf(panel))
        dock->bringUp();
}

} // namespace telmora
