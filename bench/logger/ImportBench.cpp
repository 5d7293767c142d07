// Benchmarks of the memory import: converting stored samples into session lists,
// and what the download adds per block on top of the cable transactions (measured
// against the simulated meter with instant replies and pauses that only count).
#include "logger/LoggerDownload.h"
#include "meter/CableBackend.h"
#include "meter/CableProtocol.h"
#include "sim/DemoLoggerMemory.h"
#include "sim/SimulatedMeter.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace telmora;

namespace {

constexpr std::size_t kSamples = 100000;

SessionInfo MakeSession(bool withSub) {
    SessionInfo s;
    s.type = withSub ? 1 : 2;
    s.flags = static_cast<std::uint8_t>((withSub ? SessionFlag::HasSub : 0) | 3);
    s.main.resize(kSamples);
    if (withSub) {
        s.sub.resize(kSamples);
    }
    for (std::size_t n = 0; n < kSamples; ++n) {
        const auto count = static_cast<std::uint16_t>(1000 + (n * 37) % 8000);
        s.main[n] =
            UnpackedReading{static_cast<std::uint8_t>(n % 50 == 0 ? 4 : (n % 7 == 0 ? 8 : 0)),
                            static_cast<std::uint8_t>(n % 4), count};
        if (withSub) {
            s.sub[n] = UnpackedReading{0, 1, static_cast<std::uint16_t>(5000 + n % 10)};
        }
    }
    return s;
}

// 100,000 samples of one session through the whole conversion (time text, texts,
// value, appending to the session list).
void BM_Convert100kSamples(benchmark::State& state) {
    const bool withSub = state.range(0) != 0;
    const SessionInfo prototype = MakeSession(withSub);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<SessionInfo> sessions{prototype};
        state.ResumeTiming();
        auto lists = ConvertLoggerSessions(sessions);
        benchmark::DoNotOptimize(lists);
        state.PauseTiming();
        lists.reset(); // freeing is not part of the conversion
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSamples));
}
BENCHMARK(BM_Convert100kSamples)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A memory of `blocks` blocks without sessions, so the download does nothing but
// read blocks.
std::vector<std::uint8_t> EmptyMemory(std::size_t blocks) {
    std::vector<std::uint8_t> image(blocks * kLoggerBlockSize, 0);
    const std::size_t length = image.size();
    image[1] = static_cast<std::uint8_t>(length & 0xFF);
    image[2] = static_cast<std::uint8_t>((length >> 8) & 0xFF);
    image[3] = static_cast<std::uint8_t>((length >> 16) & 0xFF);
    return image;
}

class Yes : public MemoryDownloadObserver {
public:
    bool confirmDownload() override { return true; }
};

constexpr std::size_t kBlocks = 5000;

// The whole download of kBlocks blocks; time per block.
void BM_DownloadPerBlock(benchmark::State& state) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    meter->setMemory(EmptyMemory(kBlocks));
    Yes observer;
    for (auto _ : state) {
        DownloadResult r = DownloadMemory(*meter, observer);
        if (r.status != DownloadResult::Status::Done) {
            state.SkipWithError("download failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kBlocks));
}
BENCHMARK(BM_DownloadPerBlock)->Unit(benchmark::kMillisecond);

// The cable transactions alone (header, then every block), for the difference.
void BM_CableBlocksOnly(benchmark::State& state) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    meter->setMemory(EmptyMemory(kBlocks));
    MemoryBlock block{};
    for (auto _ : state) {
        {
            CableHandle h = OpenCable(*meter);
            std::uint8_t status = 0;
            benchmark::DoNotOptimize(QueryMemoryStatus(h, status));
        }
        benchmark::DoNotOptimize(ReadMemoryHeader(*meter, block));
        for (std::size_t b = 1; b < kBlocks; ++b) {
            benchmark::DoNotOptimize(ReadMemoryBlock(*meter, block));
            meter->pause(std::chrono::milliseconds(1));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kBlocks));
}
BENCHMARK(BM_CableBlocksOnly)->Unit(benchmark::kMillisecond);

} // namespace
