#include "ui/main/DesktopLayout.h"

#include "app/windowplacement.h"
#include "ui/common/windowframes.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace telmora {

namespace {

// What the desktop's frame and caption add to the size of `w`.
QSize frameExtra(const QWidget& w, const QWidget& reference) {
    const QMargins m = FrameMargins(w, &reference);
    return {m.left() + m.right(), m.top() + m.bottom()};
}

TileSize outer(QSize client, QSize extra) {
    return {client.width() + extra.width(), client.height() + extra.height()};
}

// The smallest size at which every control of `w` can still be reached: what its
// layout needs, and never less than `floor`.
QSize smallestUsable(const QWidget& w, QSize floor) {
    return w.minimumSizeHint().expandedTo(floor);
}

// The digital meter has no controls; its readings scale with the window.
constexpr QSize kSmallestDigitalMeter(120, 48);
// A data list still shows its tabs, its column titles and a few lines.
constexpr QSize kSmallestDataList(120, 96);

bool shown(const QWidget* w, const QWidget* opening) {
    return w != nullptr && (w->isVisible() || w == opening);
}

// Gives `w` the outer rectangle `r`. A window's own smallest size yields where
// the place has less room: the rules never give less than the window needs to
// keep its controls usable.
void placeWithin(QWidget& w, const TileRect& r, const QWidget& reference) {
    // The layout's smallest size first, so that a smaller one set here holds.
    if (QLayout* layout = w.layout())
        layout->activate();
    const QSize extra = frameExtra(w, reference);
    w.setMinimumSize(std::min(w.minimumWidth(), std::max(r.width - extra.width(), 1)),
                     std::min(w.minimumHeight(), std::max(r.height - extra.height(), 1)));
    PlaceOuter(w, r, &reference);
}

TileRect translated(TileRect r, QPoint by) {
    r.left += by.x();
    r.top += by.y();
    return r;
}

} // namespace

DesktopLayout::DesktopLayout(QMainWindow& main, const QFrame& bevel)
    : m_main(main), m_bevel(bevel) {}

const QWidget& DesktopLayout::frameReference(const QWidget& window) const {
    // Desktops frame windows that can be resized (with a handle to pull) and
    // windows of fixed size differently: a window not framed yet takes the frame
    // of a framed window of its kind.
    const auto resizable = [](const QWidget& w) { return w.minimumSize() != w.maximumSize(); };
    const Windows& w = m_windows;
    for (const QWidget* candidate :
         {static_cast<const QWidget*>(w.digital), static_cast<const QWidget*>(w.dataList),
          static_cast<const QWidget*>(w.recorder), static_cast<const QWidget*>(w.analog),
          static_cast<const QWidget*>(w.comparator), static_cast<const QWidget*>(&m_main)}) {
        if (candidate != nullptr && candidate != &window && candidate->isVisible() &&
            resizable(*candidate) == resizable(window) &&
            candidate->frameGeometry() != candidate->geometry())
            return *candidate;
    }
    return m_main;
}

const QScreen* DesktopLayout::screen() const {
    return m_main.screen() != nullptr ? m_main.screen() : QGuiApplication::primaryScreen();
}

TileMetrics DesktopLayout::tileMetrics(const QScreen& s, const QWidget* opening) const {
    TileMetrics m;
    m.screenWidth = s.geometry().width();
    m.screenHeight = s.geometry().height();
    m.taskbar = std::max(0, s.geometry().bottom() - s.availableGeometry().bottom());
    const TileRect free = FreeArea(m_main);
    m.area = {free.left - s.geometry().left(), free.top - s.geometry().top(), free.width,
              free.height};
    // Frame and caption sizes as this desktop draws them.
    const QMargins mainFrame = FrameMargins(m_main, nullptr);
    m.frame = std::max(mainFrame.left(), 0);
    m.caption = std::max(mainFrame.top() + mainFrame.bottom() - 2 * m.frame, 0);
    // The tool row is as high as our buttons need, so the windows below start
    // exactly where the main window ends.
    m.toolRow = m_main.centralWidget()->height() - m_bevel.height();
    m.sizingFrame = m.frame;
    m.menu = m_main.menuBar()->sizeHint().height();
    m.bevel = m_bevel.height();
    m.mainHeight = OuterRect(m_main, nullptr).height;

    const Windows& w = m_windows;
    m.recorderVisible = shown(w.recorder, opening);
    m.analogVisible = shown(w.analog, opening);
    m.dataListVisible = shown(w.dataList, opening);
    m.comparatorVisible = shown(w.comparator, opening);
    if (w.digital != nullptr)
        m.digitalSmallest =
            outer(kSmallestDigitalMeter, frameExtra(*w.digital, frameReference(*w.digital)));
    if (w.analog != nullptr) {
        const QSize extra = frameExtra(*w.analog, frameReference(*w.analog));
        m.analogDialHeight = AnalogMeterWindow::dialFaceHeight();
        m.analogCurrentHeight = w.analog->height() + extra.height();
        m.analogHeight = m.analogCurrentHeight;
        m.analogSmallestWidth = w.analog->minimumWidth() + extra.width();
    }
    if (w.comparator != nullptr) {
        const QSize picture = ComparatorWindow::pictureSize();
        m.comparatorPictureWidth = picture.width();
        m.comparatorPictureHeight = picture.height();
        m.comparatorAlarmButtonHeight = w.comparator->alarmButtonHeight();
        m.comparatorLimitButtonHeight = w.comparator->limitButtonHeight();
        m.comparatorSize =
            outer(w.comparator->size(), frameExtra(*w.comparator, frameReference(*w.comparator)));
    }
    if (w.dataList != nullptr)
        m.dataListSmallest = outer(smallestUsable(*w.dataList, kSmallestDataList),
                                   frameExtra(*w.dataList, frameReference(*w.dataList)));
    if (w.recorder != nullptr)
        m.recorderSmallest = outer(smallestUsable(*w.recorder, QSize()),
                                   frameExtra(*w.recorder, frameReference(*w.recorder)));
    return m;
}

void DesktopLayout::tile() {
    const QScreen* s = screen();
    if (s == nullptr)
        return;
    TileMetrics metrics = tileMetrics(*s, nullptr);
    // Every meter's windows of a kind have their places while any of them is open.
    for (const LiveWindowSet& set : m_further) {
        metrics.analogVisible = metrics.analogVisible || shown(set.analog, nullptr);
        metrics.comparatorVisible = metrics.comparatorVisible || shown(set.comparator, nullptr);
    }
    const SeveralMetersTiling several =
        ComputeSeveralMetersTiling(metrics, static_cast<int>(m_further.size()));
    const TileLayout& t = several.first;
    const QPoint origin = s->geometry().topLeft();
    const auto place = [&](QWidget* w, const TileRect& r) {
        if (w != nullptr)
            placeWithin(*w, translated(r, origin), frameReference(*w));
    };
    const auto placeComparator = [&](ComparatorWindow* c, const TileRect& r) {
        if (c == nullptr)
            return;
        MoveOuter(*c, origin + QPoint(r.left, r.top), &frameReference(*c));
        c->raise();
    };
    MoveOuter(m_main, origin + QPoint(t.main.left, t.main.top), nullptr);
    const Windows& w = m_windows;
    place(w.digital, t.digital);
    if (t.hasRecorder)
        place(w.recorder, t.recorder);
    if (t.hasAnalog)
        place(w.analog, t.analog);
    if (t.hasDataList)
        place(w.dataList, t.dataList);
    if (t.hasComparator)
        placeComparator(w.comparator, t.comparator);
    for (std::size_t i = 0; i < m_further.size() && i < several.further.size(); ++i) {
        const MeterTile& column = several.further[i];
        const LiveWindowSet& set = m_further[i];
        place(set.digital, column.digital);
        if (column.hasAnalog && set.analog != nullptr && set.analog->isVisible())
            place(set.analog, column.analog);
        if (column.hasComparator && set.comparator != nullptr && set.comparator->isVisible())
            placeComparator(set.comparator, column.comparator);
    }
}

void DesktopLayout::placeStartWindows() {
    const Windows& w = m_windows;
    for (QWidget* window : {static_cast<QWidget*>(w.digital), static_cast<QWidget*>(w.dataList)}) {
        TileRect place;
        if (window != nullptr && tiledPlaceOf(*window, place))
            placeWithin(*window, place, frameReference(*window));
    }
}

bool DesktopLayout::tiledPlaceOf(const QWidget& window, TileRect& place) const {
    const QScreen* s = screen();
    if (s == nullptr)
        return false;
    // The digital meter and the data list open together at start-up.
    const QWidget* opening = &window;
    TileMetrics m = tileMetrics(*s, opening);
    if (&window == m_windows.digital && m_windows.dataList != nullptr &&
        !m_windows.dataList->isVisible())
        m.dataListVisible = true;
    const TileLayout t = ComputeSeveralMetersTiling(m, static_cast<int>(m_further.size())).first;
    const Windows& w = m_windows;
    if (&window == w.digital)
        place = t.digital;
    else if (&window == w.analog && t.hasAnalog)
        place = t.analog;
    else if (&window == w.comparator && t.hasComparator)
        place = t.comparator;
    else if (&window == w.recorder && t.hasRecorder)
        place = t.recorder;
    else if (&window == w.dataList && t.hasDataList)
        place = t.dataList;
    else
        return furtherTiledPlaceOf(window, place);
    place = translated(place, s->geometry().topLeft());
    return true;
}

bool DesktopLayout::furtherTiledPlaceOf(const QWidget& window, TileRect& place) const {
    const QScreen* s = screen();
    for (std::size_t i = 0; s != nullptr && i < m_further.size(); ++i) {
        const LiveWindowSet& set = m_further[i];
        if (&window != set.digital && &window != set.analog && &window != set.comparator)
            continue;
        // A further meter's window that opens has its place in its column even
        // while the first meter's window of its kind is hidden.
        TileMetrics m = tileMetrics(*s, &window);
        m.analogVisible = m.analogVisible || &window == set.analog;
        m.comparatorVisible = m.comparatorVisible || &window == set.comparator;
        const SeveralMetersTiling t =
            ComputeSeveralMetersTiling(m, static_cast<int>(m_further.size()));
        const MeterTile& column = t.further[i];
        if (&window == set.digital)
            place = column.digital;
        else if (&window == set.analog && column.hasAnalog)
            place = column.analog;
        else if (&window == set.comparator && column.hasComparator)
            place = column.comparator;
        else
            return false;
        place = translated(place, s->geometry().topLeft());
        return true;
    }
    return false;
}

std::vector<QWidget*> DesktopLayout::allWindows() const {
    const Windows& w = m_windows;
    std::vector<QWidget*> all{w.digital, w.analog, w.comparator, w.recorder, w.dataList};
    for (const LiveWindowSet& set : m_further)
        all.insert(all.end(), {set.digital, set.analog, set.comparator});
    return all;
}

void DesktopLayout::bringUp(QWidget* window, bool makeVisible) {
    if (window == nullptr)
        return;
    if (window->isMinimized())
        window->showNormal();
    if (makeVisible && !window->isVisible()) {
        placeOpeningWindow(*window);
        window->show();
    }
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

void DesktopLayout::bringUpLive(LiveWindowKind kind, bool makeVisible) {
    const LiveWindowSet first{m_windows.digital, m_windows.analog, m_windows.comparator};
    bringUp(first.window(kind), makeVisible);
    for (const LiveWindowSet& set : m_further)
        bringUp(set.window(kind), makeVisible);
}

void DesktopLayout::openMeterWindows(const LiveWindowSet& set) {
    const LiveWindowSet first{m_windows.digital, m_windows.analog, m_windows.comparator};
    // Sized for the room below the main window, as the first digital meter is.
    if (set.digital != nullptr)
        set.digital->fitBelow(OuterRect(m_main, nullptr).height);
    for (LiveWindowKind kind :
         {LiveWindowKind::Digital, LiveWindowKind::Analog, LiveWindowKind::Comparator}) {
        const QWidget* firstWindow = first.window(kind);
        if (kind == LiveWindowKind::Digital || (firstWindow != nullptr && firstWindow->isVisible()))
            bringUp(set.window(kind), true);
    }
}

void DesktopLayout::placeOpeningWindow(QWidget& window) {
    // A window that has had a place of its own (shown before, or put back where the
    // last run left it) starts from there; a new one from its tiled place.
    const bool hasOwnPlace =
        window.testAttribute(Qt::WA_Moved) || window.testAttribute(Qt::WA_WState_Created);
    TileRect wanted = OuterRect(window, &frameReference(window));
    if (!hasOwnPlace && !tiledPlaceOf(window, wanted))
        return;
    // On a screen scaled by a fraction a window's edge lies between two program
    // pixels and its rectangle is rounded; one pixel more on the far sides keeps
    // the opening window off it.
    const qreal ratio = screen()->devicePixelRatio();
    const int rounding = ratio == std::floor(ratio) ? 0 : 1;
    std::vector<TileRect> others;
    for (QWidget* other : allWindows()) {
        if (other != nullptr && other != &window && other->isVisible() && !other->isMinimized()) {
            TileRect rect = OuterRect(*other, &frameReference(*other));
            rect.width += rounding;
            rect.height += rounding;
            others.push_back(rect);
        }
    }
    const TileRect place =
        ComputeOpeningPlace(wanted, FreeArea(m_main), OuterRect(m_main, nullptr), others);
    if (place != OuterRect(window, &frameReference(window)))
        placeWithin(window, place, frameReference(window));
}

void DesktopLayout::placeViewer(QWidget& viewer) {
    const TileRect area = FreeArea(m_main);
    if (viewer.testAttribute(Qt::WA_Moved)) {
        // Where the user left it, back on the screen if the screen changed.
        const TileRect now = OuterRect(viewer, &frameReference(viewer));
        const TileRect inside = MoveInside(now, area);
        if (inside != now)
            MoveOuter(viewer, QPoint(inside.left, inside.top), &frameReference(viewer));
        return;
    }
    const QSize smallest =
        smallestUsable(viewer, QSize()) + frameExtra(viewer, frameReference(viewer));
    placeWithin(
        viewer,
        ComputeViewerPlace(area, OuterRect(m_main, nullptr), {smallest.width(), smallest.height()}),
        frameReference(viewer));
}

} // namespace telmora
