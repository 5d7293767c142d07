#include "ui/live/AnalogMeterThread.h"

#include "meter/SharedState.h"
#include "ui/live/AnalogMeterWindow.h"

namespace telmora {

namespace {

template <std::size_t N> QString text(const telmora::FixedText<N>& t) {
    return QString::fromLatin1(t.view().data(), static_cast<int>(t.size()));
}

} // namespace

AnalogMeterThread::AnalogMeterThread(AnalogMeterWindow* form) : DisplayWorker(form), m_form(form) {}

AnalogMeterThread::~AnalogMeterThread() {
    stop();
}

void AnalogMeterThread::run() {
    telmora::SharedState& s = telmora::Shared();
    while (!stopRequested()) {
        if (!waitEvent(s.AnalogUpdateEvent, kSlice))
            continue;
        bool negative = false;
        telmora::DisplayLine line;
        std::uint32_t function = 0;
        {
            std::lock_guard lock(s.ReadingLock);
            negative = s.liveReading.mainNegative != 0;
            line = s.liveReading.mainDisplayLine;
            function = s.liveReading.mainFunction;
        }
        callUi([&] {
            // Readings for a hidden or minimised window are dropped, and so is
            // one that arrives after an unlink has reset the needle.
            if (m_form->isVisible() && !m_form->isMinimized() && s.linkActive())
                m_form->applyReading(negative, text(line.text), text(line.part1), text(line.part2),
                                     function);
        });
    }
}

} // namespace telmora
