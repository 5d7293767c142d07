// Feeds arbitrary bytes to one of the recorder file readers (the format is fixed
// per target by TELMORA_FUZZ_FORMAT), checks that only sound records were loaded,
// then runs the text export and the viewer's reduction over whatever was loaded.
#include "model/viewreduction.h"
#include "recording/RecorderFile.h"
#include "recording/recorderexport.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#ifndef TELMORA_FUZZ_FORMAT
#define TELMORA_FUZZ_FORMAT G53
#endif

namespace {
constexpr telmora::RecorderFormat kFormat = telmora::RecorderFormat::TELMORA_FUZZ_FORMAT;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace telmora;
    SampleList samples;
    const RecorderLoadResult result =
        LoadRecorderBytes(std::span<const std::uint8_t>(data, size), kFormat, samples);
    if (result.status != RecorderFileReader::OpenStatus::Ok)
        return 0;
    const std::size_t recordBytes = RecorderSampleBytes(kFormat);
    const std::size_t header = kFormat == RecorderFormat::G53 ? 4 : 0;
    // Never more samples than whole records in the input, and none of a damaged file.
    if (samples.size() > (size >= header ? (size - header) / recordBytes : 0) ||
        (result.damage && !samples.empty()))
        __builtin_trap();
    // Whatever was loaded passed the check: written again, it passes again.
    for (std::size_t i = 0; i < samples.size(); ++i) {
        std::array<std::uint8_t, kSampleSize> image{};
        EncodeSample(samples[i], image);
        if (CheckSampleImage(image))
            __builtin_trap();
    }
    const auto count = static_cast<std::int64_t>(samples.size());
    const std::int32_t lastPage = LastPageForCount(count);
    std::size_t bytes = 0;
    WriteRecorderText(samples, 1, lastPage, lastPage, [&](std::string_view s) {
        bytes += s.size();
        return true;
    });
    const std::int64_t extreme = count > 0 ? static_cast<std::int64_t>(data[0]) % count : 0;
    const ViewReduction r = ReduceForView(samples, extreme, count - 1 - extreme);
    if (r.pointCount() > 12288 || (count > 0 && bytes == 0))
        __builtin_trap();
    return 0;
}
