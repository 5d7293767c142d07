// Throughput of the live decode, which runs under the reading lock for every reply,
// and the number of heap allocations it makes (expected: none).
#include "model/decode.h"
#include "sim/DisplayEncoder.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace {
std::atomic<long long> g_allocations{0};
} // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

std::vector<std::array<std::uint8_t, telmora::kReplySize>> SampleReplies() {
    using namespace telmora;
    std::vector<std::array<std::uint8_t, kReplySize>> replies;
    const char* texts[] = {" 1.23", "-12.34", " 0.L ", "----", "25C", "0.000"};
    const std::uint32_t codes[] = {0x6, 0x5, 0x180, 0x2000, 0x8020, 0x1000005};
    for (int i = 0; i < 6; ++i) {
        DesiredReading d;
        SetDisplayText(texts[i], d.main);
        SetDisplayText("50.00", d.sub);
        d.main.code = codes[i];
        d.sub.code = i % 2 ? 0x400 : 0;
        d.main.prefixExponent = i % 3 == 0 ? -3 : 3;
        d.lowBattery = i == 5;
        replies.push_back(EncodeDisplay(d));
    }
    return replies;
}

void BM_DecodeReply(benchmark::State& state) {
    const auto replies = SampleReplies();
    telmora::DecodedReply reading;
    std::size_t i = 0;
    const long long before = g_allocations.load();
    for (auto _ : state) {
        telmora::DecodeReply(replies[i], reading);
        benchmark::DoNotOptimize(reading);
        i = (i + 1) % replies.size();
    }
    const long long allocations = g_allocations.load() - before;
    state.counters["allocs_per_call"] = benchmark::Counter(static_cast<double>(allocations) /
                                                           static_cast<double>(state.iterations()));
    state.counters["replies_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeReply);

} // namespace
