#include "unlha/codec/encode/BlockQueue.h"

#include <algorithm>
#include <utility>

namespace unlha::encode {
namespace {
constexpr std::uint64_t kMinFinalBlockBits = 64;
constexpr std::uint64_t kMinStreamBytes = 8;
// Leaves room below the block code limit for a folded-in tail unit.
constexpr std::uint32_t kMaxJoinedCodes = kMaxBlockCodes - BlockQueue::kMaxUnitCodes;
}  // namespace

void BlockQueue::start(const StreamFormat& format, ByteSink& sink, std::uint64_t giveUpAt)
{
    format_ = format;
    out_.start(sink);
    giveUpAt_ = giveUpAt;
    clear(held_);
    clear(open_);
}

// Keeps the codes' buffer: a block holds up to 256 KiB of them.
void BlockQueue::clear(Pending& p)
{
    p.codes.clear();
    p.stats = {};
    p.block.reset();
}

void BlockQueue::writeHeld()
{
    if (held_.stats.codes == 0) return;
    if (!held_.block) held_.block.emplace(format_, held_.stats);
    held_.block->write(out_, held_.codes.data());
    clear(held_);
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
        writeHeld();
        std::swap(held_, open_);
    }
    open_.codes.assign(codes.begin(), codes.end());
    open_.stats = stats;
    open_.block = std::move(cost.alone);
}

std::optional<std::uint64_t> BlockQueue::finish()
{
    if (open_.stats.codes > 0) {
        const bool fold = held_.stats.codes > 0 && open_.block->bitSize() < kMinFinalBlockBits;
        if (fold) {
            held_.codes.insert(held_.codes.end(), open_.codes.begin(), open_.codes.end());
            held_.stats.add(open_.stats);
            held_.block.reset();
        } else {
            writeHeld();
            std::swap(held_, open_);
        }
        clear(open_);
    }
    writeHeld();
    out_.padToByte();
    const std::uint64_t length = out_.byteCount();
    if (length >= giveUpAt_ || length < kMinStreamBytes) return std::nullopt;
    out_.flush();
    return length;
}

}  // namespace unlha::encode
