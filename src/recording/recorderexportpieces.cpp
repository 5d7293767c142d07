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

bool makeSafely(const MakePiece& make, int worker, std::int64_t piece, std::size_t slot) {
    try {
        return make(worker, piece, slot);
    } catch (const std::bad_alloc&) {
        return false; // a worker's failure stops the export, not the program
    }
}

bool runOnThisThread(std::int64_t pieces, const MakePiece& make, const TakePiece& take) {
    for (std::int64_t piece = 0; piece < pieces; ++piece)
        if (!makeSafely(make, 0, piece, 0) || !take(piece, 0))
            return false;
    return true;
}

// The pieces shared by the workers and the taker. Piece p is made by worker
// p % workers into slot p % slotCount; the slot is free once piece p - slotCount is taken.
class OrderedPieces {
public:
    OrderedPieces(std::int64_t pieces, int workers)
        : m_pieces(pieces), m_workers(workers),
          m_slots(static_cast<std::size_t>(workers * kSlotsPerWorker)) {}

    void work(const MakePiece& make, int worker) {
        const auto slotCount = static_cast<std::int64_t>(m_slots.size());
        for (std::int64_t piece = worker; piece < m_pieces; piece += m_workers) {
            const auto index = static_cast<std::size_t>(piece % slotCount);
            Slot& slot = m_slots[index];
            {
                std::unique_lock lock(m_lock);
                m_changed.wait(lock, [&] { return m_stopped || piece < m_taken + slotCount; });
                if (m_stopped)
                    return;
            }
            const bool made = makeSafely(make, worker, piece, index);
            {
                const std::lock_guard lock(m_lock);
                slot.made = made;
                slot.piece = piece;
            }
            m_changed.notify_all();
            if (!made)
                return;
        }
    }

    bool take(const TakePiece& take) {
        const auto slotCount = static_cast<std::int64_t>(m_slots.size());
        for (std::int64_t piece = 0; piece < m_pieces; ++piece) {
            const auto index = static_cast<std::size_t>(piece % slotCount);
            Slot& slot = m_slots[index];
            {
                std::unique_lock lock(m_lock);
                m_changed.wait(lock, [&] { return slot.piece == piece; });
            }
            // The slot's worker leaves it alone until this piece is counted taken.
            if (!slot.made || !take(piece, index)) {
                stop();
                return false;
            }
            {
                const std::lock_guard lock(m_lock);
                m_taken = piece + 1;
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
        std::int64_t piece = -1;
        bool made = false;
    };

    const std::int64_t m_pieces;
    const int m_workers;
    std::vector<Slot> m_slots;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::int64_t m_taken = 0;
    bool m_stopped = false;
};

} // namespace

int PieceWorkers(std::int64_t pieces) {
    const auto cores = static_cast<std::int64_t>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(
        std::clamp<std::int64_t>(std::min<std::int64_t>(cores, pieces), 1, kMaxWorkers));
}

std::size_t PieceSlots(std::int64_t pieces) {
    const int workers = PieceWorkers(pieces);
    return workers <= 1 ? 1 : static_cast<std::size_t>(workers * kSlotsPerWorker);
}

bool RunPiecesInOrder(std::int64_t pieces, const MakePiece& make, const TakePiece& take) {
    const int workers = PieceWorkers(pieces);
    if (workers <= 1)
        return runOnThisThread(pieces, make, take);
    OrderedPieces ordered(pieces, workers);
    std::vector<std::jthread> threads;
    try {
        threads.reserve(static_cast<std::size_t>(workers));
        for (int worker = 0; worker < workers; ++worker)
            threads.emplace_back([&ordered, &make, worker] { ordered.work(make, worker); });
    } catch (const std::system_error&) {
        // No threads to be had: the workers that started stop before anything was
        // taken, and this thread makes everything itself.
        ordered.stop();
        threads.clear();
        return runOnThisThread(pieces, make, take);
    }
    const bool taken = ordered.take(take);
    threads.clear(); // the workers are done, or stopped
    return taken;
}

bool WritePiecesInOrder(std::int64_t pieces, const FormatPiece& format, const PieceSink& sink) {
    std::vector<std::string> texts(PieceSlots(pieces));
    return RunPiecesInOrder(
        pieces,
        [&](int worker, std::int64_t piece, std::size_t slot) {
            std::string& text = texts[slot];
            text.clear();
            return format(worker, piece, text);
        },
        [&](std::int64_t, std::size_t slot) { return sink(texts[slot]); });
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
