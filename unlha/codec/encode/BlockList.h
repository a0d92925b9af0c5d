#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "unlha/codec/encode/Block.h"
#include "unlha/codec/encode/BlockStats.h"
#include "unlha/codec/encode/PendingBlock.h"
#include "unlha/codec/encode/StreamWriter.h"

namespace unlha::encode {

// The closed blocks of one part of a stream, kept in order until the stream
// writer takes them. Their codes lie end to end in one buffer, so the memory
// kept is that of the codes, not of the largest block times the count.
class BlockList {
public:
    void clear();
    // Takes the block's codes and tables; leaves `block` cleared, its buffer kept.
    void take(PendingBlock& block);
    // Hands the blocks to `writer` in order and empties the list.
    void handTo(StreamWriter& writer);

private:
    struct Entry {
        std::size_t first;
        std::size_t count;
        BlockStats stats;
        Block block;
    };
    std::vector<Code> codes_;
    std::vector<Entry> entries_;
};

}  // namespace unlha::encode
