#include "ui/live/DigitalMeterThread.h"

#include "ui/live/DigitalMeterWindow.h"

namespace telmora {

using telmora::Shared;

DigitalMeterThread::DigitalMeterThread(DigitalMeterWindow* form)
    : DisplayWorker(form), m_form(form) {}

DigitalMeterThread::~DigitalMeterThread() {
    stop();
}

telmora::LiveReading DigitalMeterThread::takeCopy() {
    telmora::SharedState& s = Shared();
    telmora::LiveReading copy;
    std::lock_guard lock(s.ReadingLock);
    const telmora::LiveReading& r = s.liveReading;
    copy.mainNegative = r.mainNegative;
    copy.mainText = r.mainText;
    copy.mainPrefixExponent = r.mainPrefixExponent;
    copy.mainCode = r.mainCode;
    copy.subNegative = r.subNegative;
    copy.subText = r.subText;
    copy.subPrefixExponent = r.subPrefixExponent;
    copy.subCode = r.subCode;
    copy.mainPrefixLabel = r.mainPrefixLabel;
    copy.subPrefixLabel = r.subPrefixLabel;
    copy.mainUnitLabel = r.mainUnitLabel;
    copy.subUnitLabel = r.subUnitLabel;
    copy.mainFunction = r.mainFunction;
    copy.subFunction = r.subFunction;
    copy.mainModeLabel = r.mainModeLabel;
    copy.mainDisplayLine = r.mainDisplayLine;
    copy.subModeLabel = r.subModeLabel;
    copy.subDisplayLine = r.subDisplayLine;
    copy.lowBattery = r.lowBattery;
    return copy;
}

void DigitalMeterThread::run() {
    telmora::SharedState& s = Shared();
    bool blank = false; // the window has been blanked since the last reading
    while (!stopRequested()) {
        if (!s.linkActive()) {
            if (!blank) {
                if (!callUi([this] { m_form->clearDisplay(); }))
                    break;
                blank = true;
            }
            pause(kSlice);
            continue;
        }
        if (!waitEvent(s.NewReadingEvent, kSlice))
            continue;
        const telmora::LiveReading copy = takeCopy();
        // Only now, with the copy complete, may the other displays take theirs.
        s.AnalogUpdateEvent.set();
        s.ComparatorUpdateEvent.set();
        bool shown = false;
        const bool alternate = m_iconFlag;
        callUi([&] {
            // The link flag is written on this (the user-interface) thread, so
            // this look cannot race an unlink that has just blanked the window.
            if (s.linkActive()) {
                m_form->showReading(copy, alternate);
                shown = true;
            }
        });
        if (shown) {
            m_iconFlag = !m_iconFlag;
            blank = false;
        }
    }
}

} // namespace telmora
