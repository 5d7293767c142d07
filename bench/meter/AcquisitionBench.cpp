// The live path's own cost: from a complete reply to a decoded reading, and the
// whole poll cycle against an instant simulated meter.
#include "meter/AcquisitionWorker.h"
#include "meter/CableAccess.h"
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
void BM_ReplyToReading(benchmark::State& state) {
    const PollBuffer reply = sampleReply();
    for (auto _ : state) {
        DecodedReply reading;
        FillDecodedReply(reply, reading);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReplyToReading);

// The whole poll cycle through the worker: poll, reply, decode, signal. The
// worker runs on this thread until the simulated cable goes after the polls.
void BM_AcquisitionWorkerReading(benchmark::State& state) {
    for (auto _ : state) {
        auto meter = std::make_shared<SimulatedMeter>(SimScenario::Demo, false);
        meter->unplugAfterPolls(100);
        CableAccess cable(meter);
        AcquisitionWorker worker(cable);
        QObject::connect(&worker, &AcquisitionWorker::readingReceived,
                         [&worker](const DecodedReply&) { worker.readingDelivered(); });
        worker.run();
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_AcquisitionWorkerReading)->UseRealTime();

} // namespace
