#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "unlha/codec/encode/BitWriter.h"
#include "unlha/codec/encode/BlockStats.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Groups parsed stretches ("units") of codes into blocks and writes them. A
// unit joins the open block when one block for both is smaller than two;
// otherwise the open block is closed. The last closed block is held back
// until the stream ends, so that a tiny tail can be folded into it: the final
// block must be at least 8 bytes long.
class BlockQueue {
public:
    BlockQueue(const StreamFormat& format, ByteSink& sink, std::uint64_t giveUpAt);

    // A unit of at most kMaxUnitCodes codes.
    void addUnit(const std::vector<Code>& codes, const BlockStats& stats);
    // The codes of the block the next unit would join (none at the start).
    const BlockStats& openStats() const { return open_.stats; }
    // How many bits a unit with these statistics would add to the stream.
    std::uint64_t addedBits(const BlockStats& stats) const;

    // True once the output has reached the give-up size.
    bool gaveUp() const { return out_.byteCount() >= giveUpAt_; }
    // Writes what is left; the stream length, or nothing for a stream that
    // reached the give-up size or is shorter than 8 bytes.
    std::optional<std::uint64_t> finish();

    static constexpr std::uint32_t kMaxUnitCodes = 8192;

private:
    struct Pending {
        std::vector<Code> codes;
        BlockStats stats;
        std::uint64_t bits = 0;
    };

    void writeHeld();
    // Size of the open block with the unit added; UINT64_MAX when too many codes.
    std::uint64_t joinedBits(const BlockStats& stats) const;

    StreamFormat format_;
    BitWriter out_;
    std::uint64_t giveUpAt_;
    Pending held_;
    Pending open_;
};

}  // namespace unlha::encode
