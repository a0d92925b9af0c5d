#include "unlha/codec/encode/StretchCoder.h"

#include <utility>

#include "unlha/codec/encode/CostModel.h"

namespace unlha::encode {
namespace {
// An open block with this many times the stretch's codes hardly changes its
// tables by taking the stretch in: the parse for its own tables stands in
// for the parse for the joined ones.
constexpr std::uint32_t kJoinedLikeOpen = 4;
// With this many times, the stretch almost always joins it: the parse for
// the open block's tables is offered as it is, with no other.
constexpr std::uint32_t kSurelyJoins = 8;

BlockStats statsOf(const std::vector<Code>& codes)
{
    BlockStats stats;
    for (const Code& c : codes) stats.add(c);
    return stats;
}
}  // namespace

void StretchCoder::code(const Stretch& stretch)
{
    const StreamFormat& format = blocks_.format();
    const Block* open = blocks_.openBlock();
    if (!open) {
        // No block to start from: a first guess, refined twice with the
        // statistics of the result.
        codes_.clear();
        parser_.parse(stretch, CostModel(format), codes_);
        for (int round = 0; round < 2; ++round) {
            const CostModel refined(format, Block(format, statsOf(codes_)));
            codes_.clear();
            parser_.parse(stretch, refined, codes_);
        }
        const BlockStats stats = statsOf(codes_);
        blocks_.addUnit(codes_, stats, blocks_.cost(stats));
        return;
    }
    // Priced for the block this stretch is likely to join, then for the
    // stretch's own statistics; the stretch may yet cost less inside the open
    // block when parsed for the tables the two would have together.
    joinedCodes_.clear();
    parser_.parse(stretch, CostModel(format, *open), joinedCodes_);
    if (blocks_.openStats().codes >= kSurelyJoins * joinedCodes_.size()) {
        const BlockStats firstStats = statsOf(joinedCodes_);
        blocks_.addUnit(joinedCodes_, firstStats, blocks_.cost(firstStats));
        return;
    }
    const CostModel own(format, Block(format, statsOf(joinedCodes_)));
    codes_.clear();
    parser_.parse(stretch, own, codes_);
    const BlockStats stats = statsOf(codes_);
    BlockStats joined = blocks_.openStats();
    joined.add(stats);
    const Block joinedBlock(format, joined);
    if (blocks_.openStats().codes < kJoinedLikeOpen * stats.codes) {
        joinedCodes_.clear();
        parser_.parse(stretch, CostModel(format, joinedBlock), joinedCodes_);
    }
    const BlockStats joinedStats = statsOf(joinedCodes_);
    BlockQueue::UnitCost alone = blocks_.cost(stats, &joinedBlock);
    BlockQueue::UnitCost other = blocks_.cost(joinedStats);
    if (blocks_.addedBits(other) < blocks_.addedBits(alone))
        blocks_.addUnit(joinedCodes_, joinedStats, std::move(other));
    else
        blocks_.addUnit(codes_, stats, std::move(alone));
}

}  // namespace unlha::encode
