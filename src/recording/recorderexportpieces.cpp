#include "recording/recorderexportpieces.h"

#include <algorithm>

#ifdef __linux__
#include <fcntl.h>
#endif
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace telmora {

namespace {

// Buffers per worker: one being formatted while the one before waits for the sink.
constexpr std::int64_t kSlotsPerWorker = 2;
constexpr int kMaxWorkers = 4;

bool formatSafely(const FormatPiece& format, int worker, std::int64_t piece, std::string& out) {
    try {
        return format(worker, piece, out);
    } catch (const std::bad_alloc&) {
        return false; // a worker's failure stops the export, not the program
    }
}

bool writeOnThisThread(std::int64_t pieces, const FormatPiece& format, const PieceSink& sink) {
    std::string text;
    for (std::int64_t piece = 0; piece < pieces; ++piece) {
        text.clear();
        if (!formatSafely(format, 0, piece, text) || !sink(text))
            return false;
    }
    return true;
}

// The pieces shared by the workers and the writer. Piece p is formatted by worker
// p % workers into slot p % slotCount; the slot is free once piece p - slotCount is written.
class OrderedPieces {
public:
    OrderedPieces(std::int64_t pieces, int workers)
        : m_pieces(pieces), m_workers(workers),
          m_slots(static_cast<std::size_t>(workers * kSlotsPerWorker)) {}

    void work(const FormatPiece& format, int worker) {
        const auto slotCount = static_cast<std::int64_t>(m_slots.size());
        for (std::int64_t piece = worker; piece < m_pieces; piece += m_workers) {
            Slot& slot = m_slots[static_cast<std::size_t>(piece % slotCount)];
            {
                std::unique_lock lock(m_lock);
                m_changed.wait(lock, [&] { return m_stopped || piece < m_written + slotCount; });
                if (m_stopped)
                    return;
            }
            slot.text.clear();
            const bool formatted = formatSafely(format, worker, piece, slot.text);
            {
                const std::lock_guard lock(m_lock);
                slot.formatted = formatted;
                slot.piece = piece;
            }
            m_changed.notify_all();
            if (!formatted)
                return;
        }
    }

    bool write(const PieceSink& sink) {
        const auto slotCount = static_cast<std::int64_t>(m_slots.size());
        for (std::int64_t piece = 0; piece < m_pieces; ++piece) {
            Slot& slot = m_slots[static_cast<std::size_t>(piece % slotCount)];
            {
                std::unique_lock lock(m_lock);
                m_changed.wait(lock, [&] { return slot.piece == piece; });
            }
            // The slot's worker leaves it alone until this piece is counted written.
            if (!slot.formatted || !sink(slot.text)) {
                stop();
                return false;
            }
            {
                const std::lock_guard lock(m_lock);
                m_written = piece + 1;
            }
            m_changed.notify_all();
        }
        return true;
    }

    void stop() {
        {
            const std::lock_guard lock(m_lock);
            m_stopped = true;
        }
        m_changed.notify_all();
    }

private:
    struct Slot {
        std::string text;
        std::int64_t piece = -1;
        bool formatted = false;
    };

    const std::int64_t m_pieces;
    const int m_workers;
    std::vector<Slot> m_slots;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::int64_t m_written = 0;
    bool m_stopped = false;
};

} // namespace

int PieceWorkers(std::int64_t pieces) {
    const auto cores = static_cast<std::int64_t>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(
        std::clamp<std::int64_t>(std::min<std::int64_t>(cores, pieces), 1, kMaxWorkers));
}

bool WritePiecesInOrder(std::int64_t pieces, const FormatPiece& format, const PieceSink& sink) {
    const int workers = PieceWorkers(pieces);
    if (workers <= 1)
        return writeOnThisThread(pieces, format, sink);
    OrderedPieces ordered(pieces, workers);
    std::vector<std::jthread> threads;
    try {
        threads.reserve(static_cast<std::size_t>(workers));
        for (int worker = 0; worker < workers; ++worker)
            threads.emplace_back([&ordered, &format, worker] { ordered.work(format, worker); });
    } catch (const std::system_error&) {
        // No threads to be had: the workers that started stop before anything was
        // written, and this thread formats everything itself.
        ordered.stop();
        threads.clear();
        return writeOnThisThread(pieces, format, sink);
    }
    const bool written = ordered.write(sink);
    threads.clear(); // the workers are done, or stopped
    return written;
}

void EarlyWriteback::written(std::size_t bytes) {
    m_written += static_cast<std::int64_t>(bytes);
    if (m_handle < 0 || m_written - m_started < kStepBytes)
        return;
#ifdef __linux__
    // Asynchronous: it queues the pages for writing and returns.
    ::sync_file_range(m_handle, m_started, m_written - m_started, SYNC_FILE_RANGE_WRITE);
#endif
    m_started = m_written;
}

} // namespace telmora
