#pragma once
// The download of the meter's logger memory, without any window: the steps run
// against the cable operations, and an observer answers the question, shows the
// progress and says when the user aborted. The import window and the command-line
// download share it.
//
// Steps: find the cable (CableNotFound), ask the meter whether it has a logger
// memory (MeterOffOrNoLogger), ask the user before anything changes, read the header block and then
// every further 24-byte block up to the announced length (with a 1 ms pause after
// each block), walk the session chain and convert every sample. A transfer failure
// discards everything read so far.

#include "meter/CableProtocol.h"
#include "model/LoggerMemory.h"
#include "model/SampleLists.h"
#include "text/texts.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

namespace telmora {

class CableBackend;

// The second line of the message TransmissionTimeout.
inline constexpr const char* kTimeoutAdvice =
    "Please check meter and cable connection as well as meter power.";

// The full text of a download message: the table's text, and for
// TransmissionTimeout a line break and the advice above.
QString DownloadMessageText(TextId message);

// The message for a failed header or block read: TransmissionTimeout for a
// time-out (258) or an abandoned wait (128), CableNotFound for every other failure.
TextId MessageForCableResult(std::int32_t result);

enum class DownloadStage {
    Acquiring,  // reading blocks: title "[W8012] ...", detail "Read Bytes : p Of L"
    Processing, // converting: title "W[8013] ...", detail "Translating..."
};

// The progress window's title of a stage: "[W8012] Acquiring  data from DMM ..."
// while reading and "W[8013] Processing data ..." while converting (the second
// title begins with "W[" on purpose: that is how the program has always shown it).
QString DownloadStageTitle(DownloadStage stage);

// The detail line while the blocks are read: "Read Bytes : shown Of length".
std::string ReadBytesDetail(std::uint64_t shown, std::uint64_t length);

// The question before the download: BufferWillBeDestroyed, a line break,
// AskProceed (its caption is the warning caption of AskProceed; buttons Yes and
// No, No the default).
QString DownloadQuestionText();

// What the download needs from its user.
class MemoryDownloadObserver {
public:
    virtual ~MemoryDownloadObserver() = default;
    // The download question before anything is changed; true for Yes.
    virtual bool confirmDownload() = 0;
    // Called once the user said Yes, before the header is read: the window discards
    // its sessions and sets the busy flag.
    virtual void downloadStarting() {}
    // A new stage begins (the progress window shows its title).
    virtual void stageChanged(DownloadStage) {}
    // Progress of the block reads: bytes read so far of the rounded length, and the
    // detail line "Read Bytes : p Of L" (L unrounded; p stops at L).
    virtual void blockProgress(std::size_t /*position*/, std::size_t /*maximum*/,
                               const std::string& /*detail*/) {}
    // Progress of the conversion of session `session`: samples done of `total`.
    // Called at the start and end of each session and every few hundred samples.
    virtual void conversionProgress(int /*session*/, std::size_t /*done*/, std::size_t /*total*/) {}
    // The length the header announces (in bytes), before the blocks are read.
    virtual void lengthAnnounced(std::uint32_t /*length*/) {}
    // The whole memory image as read (header at offset 0, rounded up to whole
    // blocks), once every block has arrived and before the sessions are converted.
    virtual void imageRead(std::span<const std::uint8_t> /*image*/) {}
};

struct DownloadResult {
    enum class Status {
        Done,           // sessions holds what was read (see parseStatus)
        NoCable,        // CableNotFound before anything changed
        NoDataLogger,   // MeterOffOrNoLogger before anything changed
        Declined,       // the user said No; nothing changed
        HeaderFailed,   // the header read failed (message by the cable result)
        TransferFailed, // a block read failed (message by the cable result)
        OutOfMemory,    // OutOfMemory
        Aborted,        // the user aborted; no message
    };
    Status status = Status::Done;
    // The message to show, if any. For Done it is TransmissionTimeout when the chain
    // left the image (the sessions before are kept) and none otherwise.
    std::optional<TextId> messageId;
    // The cable result of a failed read.
    std::int32_t cableResult = 0;
    // True for the outcomes after the progress window was shown: the window resets
    // itself (the import reset request) before showing the message.
    bool resetRequested = false;
    std::uint32_t announcedLength = 0;
    std::uint16_t announcedSessions = 0;
    MemoryParseStatus parseStatus = MemoryParseStatus::Complete;
    std::vector<SampleList> sessions;
    // For Done with more sessions announced than the window holds: a sentence
    // saying that only the first 999 were imported (empty otherwise).
    std::string notice;
};

// The sentence for a memory that announces more sessions than can be held.
std::string TooManySessionsNotice(int announced);

// Whether the meter behind the cable has a logger memory to read: NoCable (9015),
// NoDataLogger (9017) or Done. Nothing else happens; the question comes next.
// Without an opener: the first cable found.
DownloadResult::Status CheckLoggerMemory(CableBackend& backend);
DownloadResult::Status CheckLoggerMemory(const CableOpener& open);

// The download after the user agreed: the header, every block, the session chain
// and the conversion. The observer's confirmDownload is not asked. A stop asked for
// through `stop` (looked at after the header, after every block and during the
// conversion) ends it as Aborted.
DownloadResult ReadLoggerMemory(CableBackend& backend, MemoryDownloadObserver& observer,
                                std::stop_token stop = {});
// The same through the cable `open` opens.
DownloadResult ReadLoggerMemory(CableBackend& backend, const CableOpener& open,
                                MemoryDownloadObserver& observer, std::stop_token stop = {});

// The whole download: CheckLoggerMemory, the question, ReadLoggerMemory.
DownloadResult DownloadMemory(CableBackend& backend, MemoryDownloadObserver& observer,
                              std::stop_token stop = {});

// Converts the parsed sessions into session lists (time texts from each session's
// interval, every sample through the stored reading conversion). `progress` gets
// (session, done, total) now and then and returns false to abort, which gives
// nothing. Throws std::bad_alloc when memory runs out. The readings of each session
// are released once it is converted.
using ConversionProgress = std::function<bool(int session, std::size_t done, std::size_t total)>;
std::optional<std::vector<SampleList>>
ConvertLoggerSessions(std::vector<SessionInfo>& sessions, const ConversionProgress& progress = {});

// ParseLoggerMemory followed by ConvertLoggerSessions, for images read from a file.
struct ConvertedMemory {
    LoggerMemory memory; // the header values and status (its sessions are released)
    std::vector<SampleList> sessions;
};
ConvertedMemory ConvertLoggerImage(std::span<const std::uint8_t> image);

} // namespace telmora
