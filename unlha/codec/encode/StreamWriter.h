#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "unlha/codec/encode/BitWriter.h"
#include "unlha/codec/encode/PendingBlock.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Writes closed blocks as one stream. The last two are held back until the
// stream ends, so that a tiny last block can be folded into the one before:
// the final block must be at least 8 bytes long.
class StreamWriter {
public:
    // Starts a new stream; the buffers of the last one are kept.
    void start(const StreamFormat& format, ByteSink& sink, std::uint64_t giveUpAt);

    // A closed block: its codes, their statistics and the tables built from them.
    void add(const Code* codes, std::size_t count, const BlockStats& stats, const Block& block);

    // True once the output has reached the give-up size.
    bool gaveUp() const { return out_.byteCount() >= giveUpAt_; }
    // Writes what is left; the stream length, or nothing for a stream that
    // reached the give-up size or is shorter than 8 bytes.
    std::optional<std::uint64_t> finish();

private:
    void write(PendingBlock& block);

    StreamFormat format_{};
    BitWriter out_;
    std::uint64_t giveUpAt_ = 0;
    PendingBlock previous_;
    PendingBlock last_;
};

}  // namespace unlha::encode
