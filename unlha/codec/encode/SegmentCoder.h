#pragma once
#include <cstdint>
#include <vector>

#include "unlha/codec/encode/BlockList.h"
#include "unlha/codec/encode/BlockQueue.h"
#include "unlha/codec/encode/MatchFinder.h"
#include "unlha/codec/encode/Stretch.h"
#include "unlha/codec/encode/StretchCoder.h"

namespace unlha::encode {

// Encodes one segment of a long input by itself, so that segments can be
// encoded side by side: its matches reach back into the history before it,
// its blocks start and end with it. Search and parse run by turns on one
// thread.
class SegmentCoder {
public:
    // Where the history and the segment go, in that order, before code().
    std::uint8_t* load(int historyLength, int segmentLength);
    // The last n bytes loaded.
    const std::uint8_t* lastBytes(int n) const { return bytes_.data() + end_ - n; }

    // Encodes the loaded segment into blocks().
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
