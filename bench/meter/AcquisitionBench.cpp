// The live path's own cost: from a complete reply to NewReadingEvent (decode and
// publish), and the whole poll cycle against an instant simulated meter.
#include "meter/AcquisitionWorker.h"
#include "sim/DisplayEncoder.h"
#include "sim/SimulatedMeter.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace telmora;

namespace {

PollBuffer sampleReply() {
    DesiredReading r;
    SetDisplayText("230.1", r.main);
    r.main.code = 0x5;
    SetDisplayText("50.00", r.sub);
    r.sub.code = 0x400;
    const auto reply = EncodeDisplay(r);
    PollBuffer buffer{};
    std::copy(reply.begin(), reply.end(), buffer.begin());
    return buffer;
}

// Target: well under 0.1 ms per reading.
void BM_ReplyToNewReadingEvent(benchmark::State& state) {
    SharedState shared;
    const PollBuffer reply = sampleReply();
    for (auto _ : state) {
        LiveReading reading;
        FillLiveReading(reply, reading);
        shared.publish(reading);
        benchmark::DoNotOptimize(shared.NewReadingEvent.waitFor(std::chrono::milliseconds(0)));
    }
}
BENCHMARK(BM_ReplyToNewReadingEvent);

// One reading through the acquisition thread: poll, reply, decode, publish, and
// the waiter woken by NewReadingEvent.
void BM_AcquisitionThreadReading(benchmark::State& state) {
    auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
    SetCableBackend(meter);
    SharedState shared;
    AcquisitionWorker thread(nullptr, shared);
    for (auto _ : state)
        benchmark::DoNotOptimize(shared.NewReadingEvent.waitFor(std::chrono::seconds(1)));
    thread.Terminate();
    shared.AcquisitionEndedEvent.waitFor(std::chrono::seconds(10));
    SetCableBackend(nullptr);
}
BENCHMARK(BM_AcquisitionThreadReading)->UseRealTime();

} // namespace
