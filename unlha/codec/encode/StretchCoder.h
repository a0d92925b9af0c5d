#pragma once
#include <vector>

#include "unlha/codec/encode/BlockQueue.h"
#include "unlha/codec/encode/OptimalParser.h"
#include "unlha/codec/encode/Stretch.h"

namespace unlha::encode {

// How hard the encoder looks: the tree search and the parser's limits.
constexpr int kStretchBytes = static_cast<int>(BlockQueue::kMaxUnitCodes);  // one byte gives at most one code
constexpr int kNiceLength = 160;
constexpr int kTreeDepth = 48;
constexpr int kTreeCutoff = 64;

// Parses one stretch at a time and hands its codes to the blocks.
class StretchCoder {
public:
    explicit StretchCoder(BlockQueue& blocks) : blocks_(blocks) {}

    void code(const Stretch& stretch);

private:
    BlockQueue& blocks_;
    OptimalParser parser_;
    std::vector<Code> codes_;
    std::vector<Code> joinedCodes_;
};

}  // namespace unlha::encode
