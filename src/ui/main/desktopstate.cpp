#include "ui/main/desktopstate.h"

#include "model/IniSettings.h"
#include "recording/RecorderController.h"
#include "ui/common/LineColorDialog.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/recorder/RecorderWindow.h"

#include <limits>

namespace telmora {

bool SaveDesktopState(IniSettings& state, const DesktopWindows& windows, QString* reason) {
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
    if (!serial.isEmpty() && set.comparator != nullptr)
        state.setValue(QStringLiteral("Meters/%1/Comparator/alarm").arg(serial),
                       set.comparator->alarmOn());
}

void RestoreMeterWindows(const IniSettings& state, const QString& serial,
                         const LiveWindowSet& set) {
    const QVariant alarm = state.value(QStringLiteral("Meters/%1/Comparator/alarm").arg(serial));
    if (!serial.isEmpty() && set.comparator != nullptr && alarm.isValid())
        set.comparator->setAlarmOn(alarm.toBool());
}

void RestoreDesktopState(const IniSettings& state, const DesktopWindows& windows) {
    restorePreferences(state, windows);
}

} // namespace telmora
