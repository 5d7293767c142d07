#include "ui/main/desktopstate.h"

#include "recording/RecorderController.h"
#include "ui/common/LineColorDialog.h"
#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"
#include "ui/recorder/DataListWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include "model/IniSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <array>
#include <limits>

namespace telmora {

namespace {

// The window's group in the state file, and whether its open state is kept: the
// digital meter is always open at start-up and the logger window opens only for
// an import.
struct RememberedWindow {
    const char* group;
    QWidget* window;
    bool keepsOpenState;
};

std::array<RememberedWindow, 6> rememberedWindows(const DesktopWindows& w) {
    return {{{"DigitalMeter", w.digital, false},
             {"AnalogMeter", w.analog, true},
             {"Comparator", w.comparator, true},
             {"Recorder", w.recorder, true},
             {"DataList", w.dataList, true},
             {"Logger", w.logger, false}}};
}

// Smallest part of a window (in pixels each way) that must lie on a screen.
constexpr int kVisibleMargin = 40;

// The key of `name` in the window's group.
QString windowKey(const RememberedWindow& r, const char* name) {
    return QLatin1String(r.group) + QLatin1Char('/') + QLatin1String(name);
}

void saveWindow(IniSettings& state, const RememberedWindow& r) {
    // A window never shown in this run has no place of its own: the remembered
    // one stays.
    if (r.window->testAttribute(Qt::WA_WState_Created)) {
        state.setValue(windowKey(r, "position"), r.window->pos());
        state.setValue(windowKey(r, "size"), r.window->size());
    }
    if (r.keepsOpenState)
        state.setValue(windowKey(r, "open"), r.window->isVisible());
}

bool restoreWindow(const IniSettings& state, const RememberedWindow& r) {
    const QVariant position = state.value(windowKey(r, "position"));
    const QVariant size = state.value(windowKey(r, "size"));
    const QVariant open = state.value(windowKey(r, "open"));

    QWidget& window = *r.window;
    bool placed = false;
    if (position.canConvert<QPoint>() && size.canConvert<QSize>()) {
        const QSize wanted =
            size.toSize().expandedTo(window.minimumSize()).boundedTo(window.maximumSize());
        const QPoint at = position.toPoint();
        if (wanted.isValid() && IsOnSomeScreen(QRect(at, wanted))) {
            window.resize(wanted);
            window.move(at);
            placed = true;
        }
    }
    if (r.keepsOpenState && open.isValid())
        window.setVisible(open.toBool());
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

bool RestoreDesktopState(const IniSettings& state, const DesktopWindows& windows) {
    bool placed = false;
    for (const RememberedWindow& r : rememberedWindows(windows))
        if (r.window != nullptr)
            placed = restoreWindow(state, r) || placed;
    restorePreferences(state, windows);
    return placed;
}

} // namespace telmora
