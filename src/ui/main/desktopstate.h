#pragma once

#include "ui/main/LiveWindowSet.h"

#include <QRect>
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

// True when `frame` (a window's outer rectangle) shows enough of itself on one of
// the current screens to be grabbed and moved.
bool IsOnSomeScreen(const QRect& frame);

// Writes the windows' places and sizes, which of them are open, the alarm switch,
// the recorder's acquisition mode and interval and the line colours into `state`
// and saves it. False with the reason in `reason` when the file could not be
// written (the file on the disk is then as it was).
bool SaveDesktopState(IniSettings& state, const DesktopWindows& windows, QString* reason = nullptr);

// Applies what SaveDesktopState wrote: values that are missing or do not fit are
// skipped, as is a place that lies off every current screen. Then opens the
// windows that were open (the digital meter always; the data list unless it was
// closed), each at its place. True when at least one window was put back in a
// remembered place.
bool RestoreDesktopState(const IniSettings& state, const DesktopWindows& windows);

// Puts the places and open states of a further meter's live windows and its
// comparator's alarm switch into `state` under the serial number of its cable
// (nothing without one); SaveDesktopState writes them with the rest.
void RememberMeterWindows(IniSettings& state, const QString& serial, const LiveWindowSet& set);
// Puts back what RememberMeterWindows kept for `serial` and opens the windows that
// were open (the digital meter always). False, and nothing done, when no place is
// remembered for it.
bool RestoreMeterWindows(const IniSettings& state, const QString& serial, const LiveWindowSet& set);

} // namespace telmora
