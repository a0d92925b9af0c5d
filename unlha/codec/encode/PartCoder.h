#pragma once
#include <cstdint>
#include <vector>

#include "unlha/codec/encode/BlockList.h"
#include "unlha/codec/encode/BlockQueue.h"
#include "unlha/codec/encode/MatchFinder.h"
#include "unlha/codec/encode/Stretch.h"
#include "unlha/codec/encode/StretchCoder.h"

namespace unlha::encode {

// Encodes one part of a stream (a whole short input, or a share of a long
// one) by itself, so that parts can be encoded side by side: its matches
// reach back into the history before it, its blocks start and end with it.
// Search and parse run by turns on one thread.
class PartCoder {
public:
    // Where the history and the part go, in that order, before code().
    std::uint8_t* load(int historyLength, int partLength);
    // The last n bytes loaded.
    const std::uint8_t* lastBytes(int n) const { return bytes_.data() + end_ - n; }

    // Encodes the loaded part into blocks().
    void code(const StreamFormat& format);
    BlockList& blocks() { return blocks_; }

private:
    std::vector<std::uint8_t> bytes_;  // then a zeroed tail for word reads
    int history_ = 0;
    int end_ = 0;
    MatchFinder finder_{kTreeDepth, kTreeCutoff};
    BlockQueue queue_;
    StretchCoder coder_{queue_};
    Stretch stretch_;
    BlockList blocks_;
};

}  // namespace unlha::encode
