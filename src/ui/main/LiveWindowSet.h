#pragma once

class QWidget;

namespace telmora {

class AnalogMeterWindow;
class ComparatorWindow;
class DigitalMeterWindow;

// The three kinds of live window every linked meter has.
enum class LiveWindowKind { Digital, Analog, Comparator };

// The live windows of one meter; members are null where there is none.
struct LiveWindowSet {
    DigitalMeterWindow* digital = nullptr;
    AnalogMeterWindow* analog = nullptr;
    ComparatorWindow* comparator = nullptr;

    // The window of `kind` (null when there is none).
    QWidget* window(LiveWindowKind kind) const;
};

} // namespace telmora
