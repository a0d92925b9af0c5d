#pragma once
#include <optional>
#include <vector>

#include "unlha/codec/encode/Block.h"
#include "unlha/codec/encode/BlockStats.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// A run of codes that makes one block: its statistics and, once built, its
// tables.
struct PendingBlock {
    std::vector<Code> codes;
    BlockStats stats;
    std::optional<Block> block;  // built from stats

    // Keeps the codes' buffer: a block holds up to 256 KiB of them.
    void clear()
    {
        codes.clear();
        stats = {};
        block.reset();
    }
};

}  // namespace unlha::encode
