#pragma once

#include "meter/CableBackend.h"
#include "meter/CableIdentity.h"
#include "meter/CableResult.h"
#include "model/DecodedReply.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace telmora {

// Bounded waits and pauses of the cable exchanges.
namespace CableTiming {
using std::chrono::milliseconds;
constexpr milliseconds PollWrite{2000};     // the poll command going out
constexpr milliseconds FirstReport{4000};   // the first report of a reply
constexpr milliseconds NextReport{100};     // each following report of a reply
constexpr milliseconds CommandWrite{500};   // a logger command going out
constexpr milliseconds BlockReport{500};    // each report of a logger block
constexpr milliseconds HeaderSettle{200};   // after the header command
constexpr milliseconds RetryPause{10};      // between two attempts
constexpr milliseconds LastAttemptPause{1}; // after the last failed attempt
} // namespace CableTiming

constexpr int kInterfaceNumbers = 20;       // interface numbers 0..19 are searched
constexpr std::size_t kPollBufferSize = 36; // a reply plus one whole report of slack
constexpr int kHeaderAttempts = 3;
constexpr int kBlockAttempts = 4;

// Cable command bytes (the two bytes after the report number and the 00): the poll
// is Poll followed by PollArgument; a logger memory command is MemoryGroup followed
// by MemoryHeader, NextBlock or RepeatBlock.
enum class CableCommand : std::uint8_t {
    Poll = 0x82,
    PollArgument = 0x66,
    MemoryGroup = 0x52,
    MemoryHeader = 0x88,
    NextBlock = 0x89,
    RepeatBlock = 0x8A,
};

constexpr std::uint8_t CommandByte(CableCommand command) {
    return static_cast<std::uint8_t>(command);
}

// Memory status byte values of the meter (data byte D19 of a poll reply).
namespace MemoryStatus {
constexpr std::uint8_t LiveDisplay = 0x82;
constexpr std::uint8_t LoggerReady = 0x52;
} // namespace MemoryStatus

// An open cable interface. The code that opens it owns it; it is closed when the
// handle is destroyed or closed. An empty handle stands for "invalid" (-1).
class CableHandle {
public:
    CableHandle() = default;
    CableHandle(CableBackend& backend, std::unique_ptr<CableDevice> device);
    CableHandle(CableHandle&&) noexcept = default;
    CableHandle& operator=(CableHandle&&) noexcept = default;

    bool valid() const { return m_device != nullptr; }
    explicit operator bool() const { return valid(); }
    CableDevice* device() const { return m_device.get(); }
    // The backend the handle came from (for its pauses).
    CableBackend* backend() const { return m_backend; }
    void close();

private:
    CableBackend* m_backend = nullptr; // outlives the handle
    std::unique_ptr<CableDevice> m_device;
};

using PollBuffer = std::array<std::uint8_t, kPollBufferSize>;
using MemoryBlock = std::array<std::uint8_t, kDataBytes>;

// Data byte Dk (k = 0..23) of a reply laid out as three 9-byte reports.
constexpr std::size_t DataByteIndex(std::size_t k) {
    return 1 + k + k / 8;
}

// Opens the present HID interface of `backend` with the given number (from 0);
// empty handle when there is none or it cannot be opened.
CableHandle OpenHidInterface(CableBackend& backend, int index);

// The first interface among numbers 0..19 whose ids match; empty when none does.
// Every interface opened on the way and not returned is closed again.
CableHandle OpenCable(CableBackend& backend, std::uint16_t vendor = kCableVendorId,
                      std::uint16_t product = kCableProductId);

// True when the system lists an interface with the cable's ids, whether or not it
// can be opened (a cable that is there but refused, for want of access rights).
bool CableListed(CableBackend& backend, std::uint16_t vendor = kCableVendorId,
                 std::uint16_t product = kCableProductId);

// Writes the poll command and reads a 27-byte reply into `reply`. Returns Done,
// the failed write's wait result, NoReply, ShortReply, Abandoned or Failed.
std::int32_t PollMeter(CableHandle& handle, PollBuffer& reply);

// The acquisition thread's variant of the poll: the outcome of the write wait is
// ignored, and any read that does not succeed fails the exchange. True when a
// complete reply arrived.
bool PollMeterForAcquisition(CableHandle& handle, PollBuffer& reply);

// Writes 00 00 a b and waits for it; returns the wait result.
std::int32_t SendCableCommand(CableHandle& handle, std::uint8_t a, std::uint8_t b);

// Reads 9-byte reports into `buffer` until `count` bytes have arrived (bytes
// beyond the buffer are dropped); returns the last wait result.
std::int32_t ReadReports(CableHandle& handle, std::span<std::uint8_t> buffer, std::size_t count);

// Polls and hands back the normalised memory status (D19). Returns the poll's
// result; `status` is set only on success.
std::int32_t QueryMemoryStatus(CableHandle& handle, std::uint8_t& status);
// The normalisation of the status byte on its own.
std::uint8_t NormaliseMemoryStatus(std::uint8_t d19);

// Opens a cable for one exchange (a download opens it anew for every block).
using CableOpener = std::function<CableHandle()>;

// Opens the cable, reads the first checksummed logger block and closes the cable.
// Without an opener: the first cable found.
std::int32_t ReadMemoryHeader(CableBackend& backend, MemoryBlock& block);
std::int32_t ReadMemoryHeader(CableBackend& backend, const CableOpener& open, MemoryBlock& block);
// The same for each following block (with the repeat command on retries).
std::int32_t ReadMemoryBlock(CableBackend& backend, MemoryBlock& block);
std::int32_t ReadMemoryBlock(CableBackend& backend, const CableOpener& open, MemoryBlock& block);

// Sum of the 24 data bytes modulo 65536, as the trailer report carries it.
std::uint16_t BlockChecksum(std::span<const std::uint8_t, kDataBytes> data);

// HID attributes and serial-number bytes of the open cable.
CableIdentity QueryCableIdentity(CableHandle& handle);

} // namespace telmora
