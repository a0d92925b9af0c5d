#include "unlha/codec/encode/StretchCoder.h"

#include <utility>

#include "unlha/codec/encode/CostModel.h"

namespace unlha::encode {
namespace {
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
    // Price with the block this stretch is likely to join, then again with
    // the stretch's own statistics; a stretch with no block before it gets
    // one more round.
    const Block* open = blocks_.openBlock();
    codes_.clear();
    parser_.parse(stretch, open ? CostModel(format, *open) : CostModel(format), codes_);
    for (int round = open ? 1 : 2; round > 0; --round) {
        const CostModel refined(format, Block(format, statsOf(codes_)));
        codes_.clear();
        parser_.parse(stretch, refined, codes_);
    }
    const BlockStats stats = statsOf(codes_);
    if (!open) {
        blocks_.addUnit(codes_, stats, blocks_.cost(stats));
        return;
    }
    // The stretch may cost less inside the open block when parsed for that
    // block's tables.
    BlockStats joined = blocks_.openStats();
    joined.add(stats);
    const Block joinedBlock(format, joined);
    joinedCodes_.clear();
    parser_.parse(stretch, CostModel(format, joinedBlock), joinedCodes_);
    const BlockStats joinedStats = statsOf(joinedCodes_);
    BlockQueue::UnitCost own = blocks_.cost(stats, &joinedBlock);
    BlockQueue::UnitCost other = blocks_.cost(joinedStats);
    if (blocks_.addedBits(other) < blocks_.addedBits(own))
        blocks_.addUnit(joinedCodes_, joinedStats, std::move(other));
    else
        blocks_.addUnit(codes_, stats, std::move(own));
}

}  // namespace unlha::encode
