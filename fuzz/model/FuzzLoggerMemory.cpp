// Fuzz target: a logger memory image as the meter (or a file) delivers it. Walks
// the session chain and converts every reading of every session kept.
#include "model/LoggerMemory.h"
#include "model/storedreading.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    const telmora::LoggerMemory memory = telmora::ParseLoggerMemory(image);
    std::size_t total = 0;
    for (const telmora::SessionInfo& s : memory.sessions) {
        // Every session lies inside the image: its readings can never outnumber it.
        if (s.offset + telmora::kSessionHeaderSize > size ||
            (s.hasSub() && s.sub.size() != s.main.size())) {
            std::abort();
        }
        total += s.sampleCount() * (s.hasSub() ? 6 : 3);
        const telmora::SessionFunctions f = telmora::SessionFunctionTable(s.type, s.kind, s.flags);
        telmora::SessionClock clock(s.interval());
        for (std::size_t n = 0; n < s.sampleCount(); ++n) {
            const telmora::SampleEntry e = telmora::ConvertSample(
                s.main[n], f, s.hasSub(), s.hasSub() ? s.sub[n] : telmora::UnpackedReading{},
                clock.text());
            if (e.main.valueText.data[7] != '\0' || e.main.timeText.data[15] != '\0') {
                std::abort();
            }
            clock.advance();
        }
    }
    if (total > size) {
        std::abort();
    }
    return 0;
}
