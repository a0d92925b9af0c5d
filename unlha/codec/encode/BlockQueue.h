#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "unlha/codec/encode/Block.h"
#include "unlha/codec/encode/BlockList.h"
#include "unlha/codec/encode/BlockStats.h"
#include "unlha/codec/encode/PendingBlock.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Groups parsed stretches ("units") of codes into blocks. A unit joins the
// open block when one block for both is smaller than two; otherwise the open
// block is closed and handed on.
//
// Building a block's tables is the costly part of sizing it, and the same
// blocks are sized several times per unit, so the tables travel along: in a
// UnitCost, and with the open block.
class BlockQueue {
public:
    // A unit's tables alone, and the open block's with the unit added (none
    // when there is no open block or the two would hold too many codes).
    struct UnitCost {
        Block alone;
        std::optional<Block> joined;
    };

    // Starts anew, with no open block, handing closed blocks to `closed`.
    void start(const StreamFormat& format, BlockList& closed);
    const StreamFormat& format() const { return format_; }

    // The tables of the open block, which the next unit would join (none at
    // the start), and its codes.
    const Block* openBlock() const { return open_.block ? &*open_.block : nullptr; }
    const BlockStats& openStats() const { return open_.stats; }

    // What a unit with these statistics costs; `joined`, when given, is a
    // block built from the open block's statistics with these added.
    UnitCost cost(const BlockStats& stats, const Block* joined = nullptr) const;
    // How many bits the unit would add to the stream.
    std::uint64_t addedBits(const UnitCost& cost) const;

    // A unit of at most kMaxUnitCodes codes, with its cost from cost().
    void addUnit(const std::vector<Code>& codes, const BlockStats& stats, UnitCost cost);

    // Closes the open block.
    void finish();

    static constexpr std::uint32_t kMaxUnitCodes = 8192;

private:
    StreamFormat format_{};
    BlockList* closed_ = nullptr;
    PendingBlock open_;
};

}  // namespace unlha::encode
