#pragma once

#include <cstdint>

namespace telmora {

// Result codes of the cable exchanges (signed 32-bit, as the callers compare them).
namespace CableResult {
constexpr std::int32_t Done = 0;
constexpr std::int32_t Abandoned = 128;  // the wait was abandoned
constexpr std::int32_t TimedOut = 258;   // a wait timed out, or a rejected/failed attempt
constexpr std::int32_t NoReply = 386;    // nothing within the first-report time-out
constexpr std::int32_t ShortReply = 387; // the reply stopped part-way
constexpr std::int32_t Failed = -1;      // the wait failed, or the cable was not found
} // namespace CableResult

// USB identity of the adapter cable.
constexpr std::uint16_t kCableVendorId = 0x0820;
constexpr std::uint16_t kCableProductId = 0x0001;

} // namespace telmora
