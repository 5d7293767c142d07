#include "ui/live/ComparatorThread.h"

#include "meter/SharedState.h"
#include "ui/live/ComparatorWindow.h"

namespace telmora {

namespace {

template <std::size_t N> QString text(const telmora::FixedText<N>& t) {
    return QString::fromLatin1(t.view().data(), static_cast<int>(t.size()));
}

} // namespace

ComparatorThread::ComparatorThread(ComparatorWindow* form) : DisplayWorker(form), m_form(form) {}

ComparatorThread::~ComparatorThread() {
    stop();
}

void ComparatorThread::run() {
    telmora::SharedState& s = telmora::Shared();
    while (!stopRequested()) {
        if (!waitEvent(s.ComparatorUpdateEvent, kSlice))
            continue;
        bool negative = false;
        telmora::FixedText<16> mainText;
        telmora::FixedText<8> exponent;
        std::uint32_t function = 0;
        {
            std::lock_guard lock(s.ReadingLock);
            negative = s.liveReading.mainNegative != 0;
            mainText = s.liveReading.mainText;
            exponent = s.liveReading.mainPrefixExponent;
            function = s.liveReading.mainFunction;
        }
        callUi([&] {
            // No update (and so no alarm) while hidden or minimised, nor after
            // an unlink has put the needle back to the mid-point.
            if (m_form->isVisible() && !m_form->isMinimized() && s.linkActive())
                m_form->applyReading(negative, text(mainText), text(exponent), function);
        });
    }
}

} // namespace telmora
