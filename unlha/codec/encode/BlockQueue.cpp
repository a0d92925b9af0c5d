#include "unlha/codec/encode/BlockQueue.h"

#include <algorithm>
#include <utility>

namespace unlha::encode {
namespace {
// Leaves room below the block code limit for a folded-in tail unit.
constexpr std::uint32_t kMaxJoinedCodes = kMaxBlockCodes - BlockQueue::kMaxUnitCodes;
}  // namespace

void BlockQueue::start(const StreamFormat& format, BlockList& closed)
{
    format_ = format;
    closed_ = &closed;
    open_.clear();
}

BlockQueue::UnitCost BlockQueue::cost(const BlockStats& stats, const Block* joined) const
{
    UnitCost cost{Block(format_, stats), std::nullopt};
    if (open_.stats.codes > 0 && open_.stats.codes + stats.codes <= kMaxJoinedCodes) {
        if (joined) {
            cost.joined = *joined;
        } else {
            BlockStats both = open_.stats;
            both.add(stats);
            cost.joined.emplace(format_, both);
        }
    }
    return cost;
}

std::uint64_t BlockQueue::addedBits(const UnitCost& cost) const
{
    const std::uint64_t alone = cost.alone.bitSize();
    if (!cost.joined) return alone;
    return std::min(alone, cost.joined->bitSize() - open_.block->bitSize());
}

void BlockQueue::addUnit(const std::vector<Code>& codes, const BlockStats& stats, UnitCost cost)
{
    if (open_.stats.codes > 0) {
        if (cost.joined && cost.joined->bitSize() <= open_.block->bitSize() + cost.alone.bitSize()) {
            open_.codes.insert(open_.codes.end(), codes.begin(), codes.end());
            open_.stats.add(stats);
            open_.block = std::move(cost.joined);
            return;
        }
        closed_->take(open_);
    }
    open_.codes.assign(codes.begin(), codes.end());
    open_.stats = stats;
    open_.block = std::move(cost.alone);
}

void BlockQueue::finish()
{
    if (open_.stats.codes > 0) closed_->take(open_);
}

}  // namespace unlha::encode
