#include "ui/main/desktopstate.h"

#include "model/IniSettings.h"
#include "recording/RecorderController.h"
#include "ui/common/LineColorDialog.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <array>
#include <limits>

namespace telmora {

namespace {

// The window's group in the state file, whether its open state is kept and
// whether it opens at start-up when nothing else is remembered: the digital meter
// is always open at start-up, the data list unless it was closed, and the logger
// window opens only for an import.
struct RememberedWindow {
    QString group;
    QWidget* window;
    bool keepsOpenState;
    bool opensAtStart;
};

std::array<RememberedWindow, 6> rememberedWindows(const DesktopWindows& w) {
    return {{{QStringLiteral("DigitalMeter"), w.digital, false, true},
             {QStringLiteral("AnalogMeter"), w.analog, true, false},
             {QStringLiteral("Comparator"), w.comparator, true, false},
             {QStringLiteral("Recorder"), w.recorder, true, false},
             {QStringLiteral("DataList"), w.dataList, true, true},
             {QStringLiteral("Logger"), w.logger, false, false}}};
}

// A further meter's live windows, kept under its cable's serial number. Its digital
// meter opens with it; the others as they were.
std::array<RememberedWindow, 3> meterWindows(const QString& serial, const LiveWindowSet& set) {
    const QString group = QStringLiteral("Meters/%1/").arg(serial);
    return {
        {{group + QStringLiteral("DigitalMeter"), set.window(LiveWindowKind::Digital), false, true},
         {group + QStringLiteral("AnalogMeter"), set.window(LiveWindowKind::Analog), true, false},
         {group + QStringLiteral("Comparator"), set.window(LiveWindowKind::Comparator), true,
          false}}};
}

// Smallest part of a window (in pixels each way) that must lie on a screen.
constexpr int kVisibleMargin = 40;

// A place is kept as the window's client area (its normal one while it is
// maximised): that is what setGeometry() puts back, whatever frame the desktop
// draws around it and whether or not the frame is known yet. (A frame position
// saved and restored as a client position would move the window up by a caption
// at each start.)
const QString kGeometryKey = QStringLiteral("geometry");
const QString kMaximizedKey = QStringLiteral("maximized");
// The place as older runs kept it: the frame's top-left corner and the client size.
const QString kOldPositionKey = QStringLiteral("position");
const QString kOldSizeKey = QStringLiteral("size");

// The key of `name` in the window's group.
QString windowKey(const RememberedWindow& r, const QString& name) {
    return r.group + QLatin1Char('/') + name;
}

void saveWindow(IniSettings& state, const RememberedWindow& r) {
    // A window never shown in this run has no place of its own: the remembered
    // one stays.
    if (r.window->testAttribute(Qt::WA_WState_Created)) {
        state.setValue(windowKey(r, kGeometryKey), r.window->normalGeometry());
        state.setValue(windowKey(r, kMaximizedKey), r.window->isMaximized());
        state.remove(windowKey(r, kOldPositionKey));
        state.remove(windowKey(r, kOldSizeKey));
    }
    if (r.keepsOpenState)
        state.setValue(windowKey(r, QStringLiteral("open")), r.window->isVisible());
}

// Puts `window` back at the remembered client area `place` (or, from an older
// run, with its frame at `place`'s top-left corner). False when the place does not
// fit or lies off every screen.
bool restorePlace(QWidget& window, QRect place, bool frameCorner) {
    // The tile may have given a window less than its own smallest size in the last
    // run (a screen too small for it): that size comes back as it was.
    place.setSize(place.size()
                      .expandedTo(QSize(kVisibleMargin, kVisibleMargin))
                      .boundedTo(window.maximumSize()));
    if (!place.isValid() || !IsOnSomeScreen(place))
        return false;
    window.setMinimumSize(window.minimumSize().boundedTo(place.size()));
    if (frameCorner) {
        window.resize(place.size());
        window.move(place.topLeft());
    } else {
        window.setGeometry(place);
    }
    return true;
}

bool restoreWindow(const IniSettings& state, const RememberedWindow& r) {
    const QVariant geometry = state.value(windowKey(r, kGeometryKey));
    const QVariant maximized = state.value(windowKey(r, kMaximizedKey));
    const QVariant position = state.value(windowKey(r, kOldPositionKey));
    const QVariant size = state.value(windowKey(r, kOldSizeKey));
    const QVariant open = state.value(windowKey(r, QStringLiteral("open")));

    QWidget& window = *r.window;
    bool placed = false;
    if (geometry.isValid()) {
        placed = geometry.canConvert<QRect>() && restorePlace(window, geometry.toRect(), false);
    } else if (position.canConvert<QPoint>() && size.canConvert<QSize>()) {
        placed = restorePlace(window, QRect(position.toPoint(), size.toSize()), true);
    }
    if (placed && maximized.toBool())
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    // Windows are shown only now, at their places: a window shown first and moved
    // afterwards would be moved as the desktop frames it.
    if (r.keepsOpenState && open.isValid())
        window.setVisible(open.toBool());
    else if (r.opensAtStart)
        window.show();
    return placed;
}

} // namespace

bool IsOnSomeScreen(const QRect& frame) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(frame);
        if (shown.width() >= std::min(kVisibleMargin, frame.width()) &&
            shown.height() >= std::min(kVisibleMargin, frame.height()) && !shown.isEmpty())
            return true;
    }
    return false;
}

bool SaveDesktopState(IniSettings& state, const DesktopWindows& windows, QString* reason) {
    for (const RememberedWindow& r : rememberedWindows(windows))
        if (r.window != nullptr)
            saveWindow(state, r);
    if (windows.comparator != nullptr)
        state.setValue(QStringLiteral("Comparator/alarm"), windows.comparator->alarmOn());
    if (const RecorderController* recording = windows.recording) {
        state.setValue(QStringLiteral("Recorder/manual"),
                       recording->acquisitionMode() == AcquisitionMode::Manual);
        state.setValue(QStringLiteral("Recorder/intervalMs"), recording->sampleInterval());
    }
    if (windows.recorder != nullptr)
        state.setValue(QStringLiteral("Recorder/lineColor"), windows.recorder->lineColor().name());
    if (const LineColorDialog* colors = windows.loggerLineColors) {
        state.setValue(QStringLiteral("Logger/mainLineColor"), colors->firstColor().name());
        state.setValue(QStringLiteral("Logger/subLineColor"), colors->secondColor().name());
    }
    return state.save(reason);
}

namespace {

QColor colorValue(const IniSettings& state, const QString& key) {
    return QColor::fromString(state.value(key).toString());
}

void restorePreferences(const IniSettings& state, const DesktopWindows& windows) {
    const QVariant alarm = state.value(QStringLiteral("Comparator/alarm"));
    if (windows.comparator != nullptr && alarm.isValid())
        windows.comparator->setAlarmOn(alarm.toBool());
    bool intervalOk = false;
    const qlonglong intervalMs =
        state.value(QStringLiteral("Recorder/intervalMs")).toLongLong(&intervalOk);
    const QVariant manual = state.value(QStringLiteral("Recorder/manual"));
    // Full speed or whole seconds, as the interval dialog sets it.
    const bool intervalFits =
        intervalOk && (intervalMs == RecorderController::kFullSpeedMs ||
                       (intervalMs > 0 && intervalMs % 1000 == 0 &&
                        intervalMs <= std::numeric_limits<std::int32_t>::max()));
    if (windows.recording != nullptr && intervalFits && manual.isValid())
        windows.recording->setAcquisition(manual.toBool() ? AcquisitionMode::Manual
                                                          : AcquisitionMode::Automatic,
                                          static_cast<std::int32_t>(intervalMs));
    if (windows.recorder != nullptr)
        windows.recorder->setLineColor(colorValue(state, QStringLiteral("Recorder/lineColor")));
    if (windows.loggerLineColors != nullptr)
        windows.loggerLineColors->setColors(
            colorValue(state, QStringLiteral("Logger/mainLineColor")),
            colorValue(state, QStringLiteral("Logger/subLineColor")));
}

} // namespace

void RememberMeterWindows(IniSettings& state, const QString& serial, const LiveWindowSet& set) {
    if (serial.isEmpty())
        return;
    for (const RememberedWindow& r : meterWindows(serial, set))
        if (r.window != nullptr)
            saveWindow(state, r);
    if (set.comparator != nullptr)
        state.setValue(QStringLiteral("Meters/%1/Comparator/alarm").arg(serial),
                       set.comparator->alarmOn());
}

bool RestoreMeterWindows(const IniSettings& state, const QString& serial,
                         const LiveWindowSet& set) {
    if (serial.isEmpty())
        return false;
    const auto windows = meterWindows(serial, set);
    // Nothing remembered of this meter: its windows open as new ones.
    if (!state.value(windowKey(windows[0], kGeometryKey)).isValid())
        return false;
    for (const RememberedWindow& r : windows)
        if (r.window != nullptr)
            restoreWindow(state, r);
    const QVariant alarm = state.value(QStringLiteral("Meters/%1/Comparator/alarm").arg(serial));
    if (set.comparator != nullptr && alarm.isValid())
        set.comparator->setAlarmOn(alarm.toBool());
    return true;
}

bool RestoreDesktopState(const IniSettings& state, const DesktopWindows& windows) {
    bool placed = false;
    for (const RememberedWindow& r : rememberedWindows(windows))
        if (r.window != nullptr)
            placed = restoreWindow(state, r) || placed;
    restorePreferences(state, windows);
    return placed;
}

} // namespace telmora
