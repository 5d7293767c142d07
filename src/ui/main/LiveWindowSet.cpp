#include "ui/main/LiveWindowSet.h"

#include "ui/live/AnalogMeterWindow.h"
#include "ui/live/ComparatorWindow.h"
#include "ui/live/DigitalMeterWindow.h"

namespace telmora {

QWidget* LiveWindowSet::window(LiveWindowKind kind) const {
    switch (kind) {
    case LiveWindowKind::Digital:
        return digital;
    case LiveWindowKind::Analog:
        return analog;
    case LiveWindowKind::Comparator:
        return comparator;
    }
    return nullptr;
}

} // namespace telmora
