#pragma once
// Formatting a long text export on several threads: the export is cut into pieces
// that worker threads format side by side into their own buffers, while the calling
// thread hands the finished pieces to the sink strictly in order. The bytes are
// the same as one thread would write; only the time differs.

#include <charconv>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

namespace telmora {

// Appends the text of piece `piece` to `out`, on worker `worker` (0 .. workers - 1:
// each worker formats its pieces one after another, so state kept per worker - a
// record reader - is never shared). False when the piece cannot be formatted.
using FormatPiece = std::function<bool(int worker, std::int64_t piece, std::string& out)>;
using PieceSink = std::function<bool(std::string_view)>;

// Workers WritePiecesInOrder uses for `pieces` pieces.
int PieceWorkers(std::int64_t pieces);

// Formats pieces 0 .. pieces - 1 and hands each one's text to `sink` in order. Stops
// at the first piece that cannot be formatted (nothing of it or after it reaches
// the sink) or when the sink returns false. True when every piece was written.
bool WritePiecesInOrder(std::int64_t pieces, const FormatPiece& format, const PieceSink& sink);

// The same for pieces of any kind, kept by the caller in slots 0 .. PieceSlots(pieces)
// - 1: `make` fills slot `slot` with piece `piece` on worker `worker`, and `take`
// uses it on the calling thread, strictly in the pieces' order. A slot is not made
// again before `take` has returned for the piece it held. Stops at the first piece
// that cannot be made or that `take` refuses; true when every piece was taken.
using MakePiece = std::function<bool(int worker, std::int64_t piece, std::size_t slot)>;
using TakePiece = std::function<bool(std::int64_t piece, std::size_t slot)>;
std::size_t PieceSlots(std::int64_t pieces);
bool RunPiecesInOrder(std::int64_t pieces, const MakePiece& make, const TakePiece& take);

// The numbers of an export's lines: the decimal text of a number from 1 up that
// goes up by one, each step touching only the digits that carry, instead of
// converting every line's number anew.
class LineNumber {
public:
    explicit LineNumber(std::int64_t first) {
        m_length =
            static_cast<std::size_t>(std::to_chars(m_digits, m_digits + 20, first).ptr - m_digits);
    }
    // Writes the number at `at`, which has room for 24 bytes; returns its end.
    char* write(char* at) const {
        std::memcpy(at, m_digits, sizeof m_digits);
        return at + m_length;
    }
    void next() {
        std::size_t i = m_length;
        while (i > 0 && m_digits[i - 1] == '9')
            m_digits[--i] = '0';
        if (i > 0) {
            ++m_digits[i - 1];
            return;
        }
        // 99..9 becomes 100..0: one digit more.
        m_digits[0] = '1';
        m_digits[m_length++] = '0';
    }

private:
    char m_digits[24] = {};
    std::size_t m_length = 0;
};

// Starts the disk writing of an export's file while the export goes on: every few
// megabytes written, the system is asked to begin writing them out, so that the sync
// at the end finds little left to do. Only a hint: where the system cannot, nothing
// changes.
class EarlyWriteback {
public:
    // `handle` is the descriptor the export writes to (negative: none).
    explicit EarlyWriteback(int handle) : m_handle(handle) {}
    // Counts `bytes` more written at the end of the file.
    void written(std::size_t bytes);

private:
    static constexpr std::int64_t kStepBytes = std::int64_t{16} << 20;

    int m_handle;
    std::int64_t m_written = 0;
    std::int64_t m_started = 0; // bytes whose writing was asked for
};

} // namespace telmora
