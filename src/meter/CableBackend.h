#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace telmora {

constexpr std::size_t kOutputReportSize = 4; // report number 0, 00, two command bytes
constexpr std::size_t kInputReportSize = 9;  // report number, then 8 data bytes
constexpr std::size_t kSerialBytes = 8;

// The HID attributes of one interface.
struct HidAttributes {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0; // release number
};

// One present HID interface, as the operating system lists it.
struct HidInterfaceInfo {
    std::string path;
    HidAttributes attributes;
    std::string serial = {}; // the serial-number string (UTF-8); empty when it has none
};

// Outcome of one input-report read: the wait result (CableResult codes: Done when
// a report arrived, TimedOut, Abandoned or Failed) and the bytes delivered.
struct ReadOutcome {
    std::int32_t result = 0;
    std::size_t transferred = 0;
};

// One opened HID interface. Destroying it closes it.
class CableDevice {
public:
    virtual ~CableDevice() = default;
    CableDevice() = default;
    CableDevice(const CableDevice&) = delete;
    CableDevice& operator=(const CableDevice&) = delete;

    // Writes one 4-byte output report and waits at most `timeout` for it to go out.
    // Returns Done, TimedOut, Abandoned or Failed.
    virtual std::int32_t write(std::span<const std::uint8_t, kOutputReportSize> report,
                               std::chrono::milliseconds timeout) = 0;
    // Reads one input report, waiting at most `timeout`. The report always arrives
    // in the 9-byte layout with the report number first.
    virtual ReadOutcome read(std::span<std::uint8_t, kInputReportSize> report,
                             std::chrono::milliseconds timeout) = 0;
    // Drops any transfer still outstanding on this interface.
    virtual void cancel() = 0;
    // Ends a read that waits on this interface at once, and every later read too,
    // as Abandoned: the interface is being given up. Safe from any thread, so that
    // the owner of a poll loop can stop it without waiting out a read time-out.
    virtual void cancelReads() = 0;
    // Vendor id, product id and release number, or nothing when they cannot be read.
    virtual std::optional<HidAttributes> attributes() = 0;
    // The first 8 bytes of the serial-number string (UTF-16LE), zero-filled, or
    // nothing when the string cannot be read.
    virtual std::optional<std::array<std::uint8_t, kSerialBytes>> serialNumber() = 0;
};

// Access to the HID interfaces of the machine: the real one, or a simulated meter.
class CableBackend {
public:
    virtual ~CableBackend() = default;
    // The present HID interfaces, fetched afresh on every call; the list order is
    // the interface numbering.
    virtual std::vector<HidInterfaceInfo> interfaces() = 0;
    // Opens the interface at `path` for reading and writing; null when it cannot
    // be opened (missing, or held exclusively by the system).
    virtual std::unique_ptr<CableDevice> open(const std::string& path) = 0;
    // The pauses of the cable exchanges go through here, so that a simulated
    // meter can run them on a virtual clock.
    virtual void pause(std::chrono::milliseconds duration);
};

} // namespace telmora
