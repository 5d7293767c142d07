// Fuzz target: the bytes of a session file (.slr). A file is either loaded
// completely or reported as damaged; what loads writes back to the same bytes.
#include "logger/SessionFile.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<telmora::SampleList> sessions;
    const telmora::SessionFileStatus status =
        telmora::ParseSessionBytes(std::span<const std::uint8_t>(data, size), sessions);
    if (status != telmora::SessionFileStatus::Ok) {
        if (!sessions.empty()) {
            std::abort(); // nothing half-loaded
        }
        return 0;
    }
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    if (!telmora::WriteSessions(buffer, sessions)) {
        std::abort();
    }
    // The writer zero-fills after each text and the reader ignores those bytes, so
    // the written file is never longer than the input and reads back the same.
    if (static_cast<std::size_t>(written.size()) > size) {
        std::abort();
    }
    std::vector<telmora::SampleList> again;
    if (telmora::ParseSessionBytes(std::span<const std::uint8_t>(
                                       reinterpret_cast<const std::uint8_t*>(written.constData()),
                                       static_cast<std::size_t>(written.size())),
                                   again) != telmora::SessionFileStatus::Ok ||
        again.size() != sessions.size()) {
        std::abort();
    }
    return 0;
}
