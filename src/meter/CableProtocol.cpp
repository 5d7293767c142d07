#include "meter/CableProtocol.h"

#include <algorithm>
#include <cstring>

namespace telmora {

CableHandle::CableHandle(CableBackend& backend, std::unique_ptr<CableDevice> device)
    : m_backend(&backend), m_device(std::move(device)) {}

void CableHandle::close() {
    m_device.reset();
}

namespace {

using Report = std::array<std::uint8_t, kInputReportSize>;

std::array<std::uint8_t, kOutputReportSize> commandReport(std::uint8_t a, std::uint8_t b) {
    return {0x00, 0x00, a, b};
}

void pause(CableBackend& backend, std::chrono::milliseconds duration) {
    backend.pause(duration);
}

// One report read. A "successful" read that delivers nothing would let a
// collecting loop spin for ever; it counts as a time-out instead.
ReadOutcome readReport(CableDevice& device, Report& report, std::chrono::milliseconds timeout) {
    ReadOutcome out = device.read(report, timeout);
    if (out.result == CableResult::Done && out.transferred == 0)
        out.result = CableResult::TimedOut;
    out.transferred = std::min(out.transferred, kInputReportSize);
    return out;
}

// Copies what fits of a report into `buffer` at `offset`.
void store(std::span<std::uint8_t> buffer, std::size_t offset, const Report& report,
           std::size_t count) {
    if (offset >= buffer.size())
        return;
    std::memcpy(buffer.data() + offset, report.data(), std::min(count, buffer.size() - offset));
}

// Reads the reports of one reply after a poll: up to 4000 ms for the first, up to
// 100 ms for each following one, until 27 bytes are in.
std::int32_t collectReply(CableDevice& device, PollBuffer& reply) {
    std::size_t received = 0;
    while (received < kReplySize) {
        Report report{};
        const auto timeout = received == 0 ? CableTiming::FirstReport : CableTiming::NextReport;
        const ReadOutcome out = readReport(device, report, timeout);
        if (out.result == CableResult::TimedOut) {
            device.cancel();
            return received == 0 ? CableResult::NoReply : CableResult::ShortReply;
        }
        if (out.result != CableResult::Done) {
            device.cancel();
            return out.result;
        }
        store(reply, received, report, out.transferred);
        received += out.transferred;
    }
    return CableResult::Done;
}

// One checksummed block: the 27-byte reply and the trailer report. Copies D0..D23
// into `block`; a checksum mismatch gives TimedOut.
std::int32_t readChecksummedBlock(CableHandle& handle, MemoryBlock& block) {
    std::array<std::uint8_t, kReplySize> reply{};
    Report trailer{};
    std::int32_t result = ReadReports(handle, reply, kReplySize);
    if (result == CableResult::Done)
        result = ReadReports(handle, trailer, kInputReportSize);
    if (result != CableResult::Done)
        return result;
    for (std::size_t k = 0; k < kDataBytes; ++k)
        block[k] = reply[DataByteIndex(k)];
    const std::uint16_t expected =
        static_cast<std::uint16_t>(trailer[1] | (static_cast<unsigned>(trailer[2]) << 8));
    return BlockChecksum(block) == expected ? CableResult::Done : CableResult::TimedOut;
}

// The attempt loop shared by the header and the block reads.
std::int32_t readMemoryWithRetries(CableBackend& backend, const CableOpener& open,
                                   MemoryBlock& block, CableCommand firstCommand,
                                   CableCommand retryCommand, int maxAttempts,
                                   bool settleAfterCommand) {
    int attempts = 0;
    for (;;) {
        CableHandle handle = open();
        if (!handle)
            return CableResult::Failed;
        const CableCommand command = attempts == 0 ? firstCommand : retryCommand;
        std::int32_t result =
            SendCableCommand(handle, CommandByte(CableCommand::MemoryGroup), CommandByte(command));
        if (result != CableResult::Done)
            return result; // the handle closes on the way out; no retry
        if (settleAfterCommand)
            pause(backend, CableTiming::HeaderSettle);
        result = readChecksummedBlock(handle, block);
        if (result == CableResult::TimedOut) {
            ++attempts;
            if (attempts < maxAttempts) {
                handle.close();
                pause(backend, CableTiming::RetryPause);
                continue;
            }
            pause(backend, CableTiming::LastAttemptPause);
        }
        return result;
    }
}

} // namespace

CableHandle OpenHidInterface(CableBackend& backend, int index) {
    if (index < 0)
        return {};
    const std::vector<HidInterfaceInfo> list = backend.interfaces();
    if (static_cast<std::size_t>(index) >= list.size())
        return {};
    std::unique_ptr<CableDevice> device = backend.open(list[static_cast<std::size_t>(index)].path);
    if (!device)
        return {};
    return CableHandle(backend, std::move(device));
}

bool CableListed(CableBackend& backend, std::uint16_t vendor, std::uint16_t product) {
    const std::vector<HidInterfaceInfo> list = backend.interfaces();
    return std::any_of(list.begin(), list.end(), [&](const HidInterfaceInfo& info) {
        return info.attributes.vendorId == vendor && info.attributes.productId == product;
    });
}

CableHandle OpenCable(CableBackend& backend, std::uint16_t vendor, std::uint16_t product) {
    for (int index = 0; index < kInterfaceNumbers; ++index) {
        CableHandle handle = OpenHidInterface(backend, index);
        if (!handle)
            continue;
        const std::optional<HidAttributes> attributes = handle.device()->attributes();
        if (attributes && attributes->vendorId == vendor && attributes->productId == product)
            return handle;
        // Not the cable: the handle closes here.
    }
    return {};
}

std::int32_t PollMeter(CableHandle& handle, PollBuffer& reply) {
    if (!handle)
        return CableResult::Failed;
    CableDevice& device = *handle.device();
    const auto command =
        commandReport(CommandByte(CableCommand::Poll), CommandByte(CableCommand::PollArgument));
    const std::int32_t written = device.write(command, CableTiming::PollWrite);
    if (written != CableResult::Done) {
        device.cancel();
        return written;
    }
    return collectReply(device, reply);
}

bool PollMeterForAcquisition(CableHandle& handle, PollBuffer& reply) {
    if (!handle)
        return false;
    CableDevice& device = *handle.device();
    const auto command =
        commandReport(CommandByte(CableCommand::Poll), CommandByte(CableCommand::PollArgument));
    if (device.write(command, CableTiming::PollWrite) != CableResult::Done)
        device.cancel(); // the reads below decide the outcome
    return collectReply(device, reply) == CableResult::Done;
}

std::int32_t SendCableCommand(CableHandle& handle, std::uint8_t a, std::uint8_t b) {
    if (!handle)
        return CableResult::Failed;
    const auto command = commandReport(a, b);
    const std::int32_t result = handle.device()->write(command, CableTiming::CommandWrite);
    if (result != CableResult::Done)
        handle.device()->cancel();
    return result;
}

std::int32_t ReadReports(CableHandle& handle, std::span<std::uint8_t> buffer, std::size_t count) {
    if (!handle)
        return CableResult::Failed;
    CableDevice& device = *handle.device();
    std::int32_t result = CableResult::Done;
    std::size_t received = 0;
    while (received < count) {
        Report report{};
        const ReadOutcome out = readReport(device, report, CableTiming::BlockReport);
        result = out.result;
        if (result != CableResult::Done) {
            device.cancel();
            break;
        }
        store(buffer, received, report, out.transferred);
        received += out.transferred;
    }
    return result;
}

std::uint8_t NormaliseMemoryStatus(std::uint8_t d19) {
    // Status bytes a meter without logger data reports while it shows live readings.
    static constexpr std::array<std::uint8_t, 9> kLiveDisplayStatus = {0xFF, 0xF7, 0xF3, 0xF1, 0xF0,
                                                                       0xE0, 0xC0, 0x80, 0x00};
    const bool live = std::find(kLiveDisplayStatus.begin(), kLiveDisplayStatus.end(), d19) !=
                      kLiveDisplayStatus.end();
    return live ? MemoryStatus::LiveDisplay : d19;
}

std::int32_t QueryMemoryStatus(CableHandle& handle, std::uint8_t& status) {
    PollBuffer reply{};
    const std::int32_t result = PollMeter(handle, reply);
    if (result != CableResult::Done)
        return result;
    status = NormaliseMemoryStatus(reply[DataByteIndex(19)]);
    return CableResult::Done;
}

std::uint16_t BlockChecksum(std::span<const std::uint8_t, kDataBytes> data) {
    unsigned sum = 0;
    for (std::uint8_t b : data)
        sum += b;
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

std::int32_t ReadMemoryHeader(CableBackend& backend, const CableOpener& open, MemoryBlock& block) {
    return readMemoryWithRetries(backend, open, block, CableCommand::MemoryHeader,
                                 CableCommand::MemoryHeader, kHeaderAttempts, true);
}

std::int32_t ReadMemoryHeader(CableBackend& backend, MemoryBlock& block) {
    return ReadMemoryHeader(
        backend, [&backend] { return OpenCable(backend); }, block);
}

std::int32_t ReadMemoryBlock(CableBackend& backend, const CableOpener& open, MemoryBlock& block) {
    return readMemoryWithRetries(backend, open, block, CableCommand::NextBlock,
                                 CableCommand::RepeatBlock, kBlockAttempts, false);
}

std::int32_t ReadMemoryBlock(CableBackend& backend, MemoryBlock& block) {
    return ReadMemoryBlock(
        backend, [&backend] { return OpenCable(backend); }, block);
}

CableIdentity QueryCableIdentity(CableHandle& handle) {
    CableIdentity identity;
    if (!handle)
        return identity;
    if (const auto attributes = handle.device()->attributes()) {
        identity.attributesOk = true;
        identity.vendorId = attributes->vendorId;
        identity.productId = attributes->productId;
        identity.versionNumber = attributes->versionNumber;
    }
    if (const auto serial = handle.device()->serialNumber()) {
        identity.serialOk = true;
        identity.serial = *serial;
    }
    return identity;
}

} // namespace telmora
