#pragma once
// Formatting a long text export on several threads: the export is cut into pieces
// that worker threads format side by side into their own buffers, while the calling
// thread hands the finished pieces to the sink strictly in order. The bytes are
// the same as one thread would write; only the time differs.

#include <cstdint>
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

} // namespace telmora
