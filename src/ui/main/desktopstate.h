#pragma once

#include "ui/main/LiveWindowSet.h"

#include <QString>

class QWidget;

namespace telmora {

class AnalogMeterWindow;
class ComparatorWindow;
class DataListWindow;
class DigitalMeterWindow;
class IniSettings;
class LineColorDialog;
class RecorderController;
class RecorderWindow;

// The windows and controllers whose state is kept between runs. Any may be null.
struct DesktopWindows {
    DigitalMeterWindow* digital = nullptr;
    AnalogMeterWindow* analog = nullptr;
    ComparatorWindow* comparator = nullptr;
    RecorderWindow* recorder = nullptr;
    DataListWindow* dataList = nullptr;
    QWidget* logger = nullptr;
    LineColorDialog* loggerLineColors = nullptr;
    RecorderController* recording = nullptr;
};

// Writes the alarm switch, the recorder's acquisition mode and interval and the
// line colours into `state` and saves it (the arrangement of the panels is put
// in by the workspace before). False with the reason in `reason` when the file
// could not be written (the file on the disk is then as it was).
bool SaveDesktopState(IniSettings& state, const DesktopWindows& windows, QString* reason = nullptr);

// Applies what SaveDesktopState wrote: values that are missing or do not fit are
// skipped.
void RestoreDesktopState(const IniSettings& state, const DesktopWindows& windows);

// Puts a further meter's comparator alarm switch into `state` under the serial
// number of its cable (nothing without one); SaveDesktopState writes it with the
// rest.
void RememberMeterWindows(IniSettings& state, const QString& serial, const LiveWindowSet& set);
// Puts back what RememberMeterWindows kept for `serial`.
void RestoreMeterWindows(const IniSettings& state, const QString& serial, const LiveWindowSet& set);

} // namespace telmora
