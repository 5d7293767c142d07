#include "logger/LoggerDownload.h"

#include "meter/CableProtocol.h"
#include "meter/CableResult.h"
#include "model/storedreading.h"
#include "text/texts.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>

namespace telmora {

QString DownloadMessageText(TextId message) {
    QString result = text(message);
    if (message == TextId::TransmissionTimeout) {
        result += QLatin1Char('\n');
        result += QLatin1String(kTimeoutAdvice);
    }
    return result;
}

QString DownloadStageTitle(DownloadStage stage) {
    if (stage == DownloadStage::Acquiring) {
        return noticeLine(TextId::AcquiringFromMeter);
    }
    return QStringLiteral("W[%1] ").arg(textNumber(TextId::ProcessingData)) +
           text(TextId::ProcessingData);
}

std::string ReadBytesDetail(std::uint64_t shown, std::uint64_t length) {
    return "Read Bytes : " + std::to_string(shown) + " Of " + std::to_string(length);
}

QString DownloadQuestionText() {
    return text(TextId::BufferWillBeDestroyed) + QLatin1Char('\n') + text(TextId::AskProceed);
}

TextId MessageForCableResult(std::int32_t result) {
    if (result == CableResult::TimedOut || result == CableResult::Abandoned) {
        return TextId::TransmissionTimeout;
    }
    return TextId::CableNotFound;
}

std::string TooManySessionsNotice(int announced) {
    return "The meter memory holds " + std::to_string(announced) + " sessions; only the first " +
           std::to_string(kMaxImportSessions) + " were imported.";
}

std::optional<std::vector<SampleList>> ConvertLoggerSessions(std::vector<SessionInfo>& sessions,
                                                             const ConversionProgress& progress) {
    constexpr std::size_t kProgressEvery = 256;
    std::vector<SampleList> lists(sessions.size());
    for (std::size_t s = 0; s < sessions.size(); ++s) {
        SessionInfo& info = sessions[s];
        const int index = static_cast<int>(s);
        const std::size_t total = info.sampleCount();
        const SessionFunctions functions = SessionFunctionTable(info.type, info.kind, info.flags);
        const bool hasSub = info.hasSub();
        SessionClock clock(info.interval());
        if (progress && !progress(index, 0, total)) {
            return std::nullopt;
        }
        SampleList& list = lists[s];
        const UnpackedReading none{};
        for (std::size_t n = 0; n < total; ++n) {
            const std::string time = clock.text();
            list.append(
                ConvertSample(info.main[n], functions, hasSub, hasSub ? info.sub[n] : none, time));
            clock.advance();
            if (progress && (n + 1) % kProgressEvery == 0 && !progress(index, n + 1, total)) {
                return std::nullopt;
            }
        }
        if (progress && !progress(index, total, total)) {
            return std::nullopt;
        }
        // The unpacked readings are no longer needed.
        std::vector<UnpackedReading>().swap(info.main);
        std::vector<UnpackedReading>().swap(info.sub);
    }
    return lists;
}

ConvertedMemory ConvertLoggerImage(std::span<const std::uint8_t> image) {
    ConvertedMemory result;
    result.memory = ParseLoggerMemory(image);
    auto lists = ConvertLoggerSessions(result.memory.sessions);
    result.memory.sessions.clear();
    if (lists) {
        result.sessions = std::move(*lists);
    }
    return result;
}

namespace {

DownloadResult Failed(DownloadResult&& result, DownloadResult::Status status,
                      std::optional<TextId> message, bool reset) {
    result.status = status;
    result.messageId = message;
    result.resetRequested = reset;
    result.sessions.clear();
    return std::move(result);
}

// Steps 10-13: the session chain of the image and the conversion of its samples.
void ConvertImage(std::vector<std::uint8_t>&& image, MemoryDownloadObserver& observer,
                  const std::stop_token& stop, DownloadResult& result) {
    LoggerMemory memory = ParseLoggerMemory(image);
    std::vector<std::uint8_t>().swap(image);
    result.parseStatus = memory.status;
    auto lists = ConvertLoggerSessions(
        memory.sessions, [&observer, &stop](int session, std::size_t done, std::size_t total) {
            observer.conversionProgress(session, done, total);
            return !stop.stop_requested();
        });
    if (!lists) {
        result.status = DownloadResult::Status::Aborted;
        return;
    }
    result.sessions = std::move(*lists);
    result.status = DownloadResult::Status::Done;
    if (result.parseStatus == MemoryParseStatus::Truncated) {
        result.messageId = TextId::TransmissionTimeout;
    }
    if (result.parseStatus == MemoryParseStatus::TooManySessions) {
        result.notice = TooManySessionsNotice(result.announcedSessions);
    }
}

// Fills `image` after its header block with the blocks that follow, reporting
// each as progress. Done, TransferFailed (the cable's result kept in `result`)
// or Aborted when the user stopped the reading.
DownloadResult::Status ReadImageBlocks(CableBackend& backend, const CableOpener& open,
                                       MemoryDownloadObserver& observer,
                                       const std::stop_token& stop,
                                       std::vector<std::uint8_t>& image, DownloadResult& result) {
    const std::size_t length = image.size();
    std::size_t position = kLoggerBlockSize;
    observer.blockProgress(position, length, std::string());

    MemoryBlock block{};
    while (position < length) {
        const std::int32_t read = ReadMemoryBlock(backend, open, block);
        if (read != CableResult::Done) {
            result.cableResult = read;
            return DownloadResult::Status::TransferFailed;
        }
        std::memcpy(image.data() + position, block.data(), block.size());
        position += kLoggerBlockSize;
        // The last block runs past the announced length up to the whole block; the
        // bytes shown never count past the length.
        const std::size_t shown = std::min<std::size_t>(position, result.announcedLength);
        observer.blockProgress(position, length, ReadBytesDetail(shown, result.announcedLength));
        backend.pause(std::chrono::milliseconds(1));
        if (stop.stop_requested()) {
            return DownloadResult::Status::Aborted;
        }
    }
    return DownloadResult::Status::Done;
}

} // namespace

DownloadResult::Status CheckLoggerMemory(CableBackend& backend) {
    return CheckLoggerMemory([&backend] { return OpenCable(backend); });
}

DownloadResult::Status CheckLoggerMemory(const CableOpener& open) {
    CableHandle handle = open();
    if (!handle) {
        return DownloadResult::Status::NoCable;
    }
    std::uint8_t memoryStatus = 0;
    const std::int32_t query = QueryMemoryStatus(handle, memoryStatus);
    handle.close();
    if (query != CableResult::Done || memoryStatus != MemoryStatus::LoggerReady) {
        return DownloadResult::Status::NoDataLogger;
    }
    return DownloadResult::Status::Done;
}

DownloadResult ReadLoggerMemory(CableBackend& backend, MemoryDownloadObserver& observer,
                                std::stop_token stop) {
    return ReadLoggerMemory(
        backend, [&backend] { return OpenCable(backend); }, observer, std::move(stop));
}

DownloadResult ReadLoggerMemory(CableBackend& backend, const CableOpener& open,
                                MemoryDownloadObserver& observer, std::stop_token stop) {
    using Status = DownloadResult::Status;
    DownloadResult result;

    // The header block first: it announces how much the memory holds.
    MemoryBlock block{};
    const std::int32_t header = ReadMemoryHeader(backend, open, block);
    if (header != CableResult::Done) {
        result.cableResult = header;
        return Failed(std::move(result), Status::HeaderFailed, MessageForCableResult(header),
                      false);
    }
    if (stop.stop_requested()) {
        return Failed(std::move(result), Status::Aborted, std::nullopt, true);
    }

    // 6-8. The image of the whole memory, block by block.
    result.announcedLength = AnnouncedLength(block);
    result.announcedSessions = AnnouncedSessionCount(block);
    observer.lengthAnnounced(result.announcedLength);
    observer.stageChanged(DownloadStage::Acquiring);
    const std::size_t length = RoundedImageLength(result.announcedLength);
    std::vector<std::uint8_t> image;
    try {
        image.resize(length);
    } catch (const std::bad_alloc&) {
        return Failed(std::move(result), Status::OutOfMemory, TextId::OutOfMemory, true);
    }
    std::memcpy(image.data(), block.data(), block.size());
    const Status transfer = ReadImageBlocks(backend, open, observer, stop, image, result);
    if (transfer == Status::TransferFailed) {
        return Failed(std::move(result), Status::TransferFailed,
                      MessageForCableResult(result.cableResult), true);
    }
    if (transfer == Status::Aborted) {
        return Failed(std::move(result), Status::Aborted, std::nullopt, true);
    }

    observer.imageRead(image);

    // 10-13. The sessions.
    observer.stageChanged(DownloadStage::Processing);
    try {
        ConvertImage(std::move(image), observer, stop, result);
    } catch (const std::bad_alloc&) {
        return Failed(std::move(result), Status::OutOfMemory, TextId::OutOfMemory, true);
    }
    if (result.status == Status::Aborted) {
        return Failed(std::move(result), Status::Aborted, std::nullopt, true);
    }
    return result;
}

DownloadResult DownloadMemory(CableBackend& backend, MemoryDownloadObserver& observer,
                              std::stop_token stop) {
    DownloadResult result;
    // 1-2. The cable, and whether the meter has a logger memory to read.
    const DownloadResult::Status check = CheckLoggerMemory(backend);
    if (check == DownloadResult::Status::NoCable) {
        return Failed(std::move(result), check, TextId::CableNotFound, false);
    }
    if (check == DownloadResult::Status::NoDataLogger) {
        return Failed(std::move(result), check, TextId::MeterOffOrNoLogger, false);
    }
    // Nothing has changed until the user agrees.
    if (!observer.confirmDownload()) {
        return Failed(std::move(result), DownloadResult::Status::Declined, std::nullopt, false);
    }
    observer.downloadStarting();
    return ReadLoggerMemory(backend, observer, std::move(stop));
}

} // namespace telmora
