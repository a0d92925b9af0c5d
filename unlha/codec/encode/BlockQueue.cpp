#include "unlha/codec/encode/BlockQueue.h"

#include <algorithm>
#include <utility>

#include "unlha/codec/encode/Block.h"

namespace unlha::encode {
namespace {
constexpr std::uint64_t kMinFinalBlockBits = 64;
constexpr std::uint64_t kMinStreamBytes = 8;
// Leaves room below the block code limit for a folded-in tail unit.
constexpr std::uint32_t kMaxJoinedCodes = kMaxBlockCodes - BlockQueue::kMaxUnitCodes;
}  // namespace

BlockQueue::BlockQueue(const StreamFormat& format, ByteSink& sink, std::uint64_t giveUpAt)
    : format_(format), out_(sink), giveUpAt_(giveUpAt)
{
}

void BlockQueue::writeHeld()
{
    if (held_.stats.codes == 0) return;
    Block(format_, held_.stats).write(out_, held_.codes.data());
    held_.codes.clear();
    held_.stats = {};
}

std::uint64_t BlockQueue::joinedBits(const BlockStats& stats) const
{
    BlockStats joined = open_.stats;
    joined.add(stats);
    if (joined.codes > kMaxJoinedCodes) return UINT64_MAX;
    return Block(format_, joined).bitSize();
}

std::uint64_t BlockQueue::addedBits(const BlockStats& stats) const
{
    const std::uint64_t alone = Block(format_, stats).bitSize();
    if (open_.stats.codes == 0) return alone;
    return std::min(alone, joinedBits(stats) - open_.bits);
}

void BlockQueue::addUnit(const std::vector<Code>& codes, const BlockStats& stats)
{
    const std::uint64_t unitBits = Block(format_, stats).bitSize();
    if (open_.stats.codes > 0) {
        const std::uint64_t joined = joinedBits(stats);
        if (joined <= open_.bits + unitBits) {
            open_.codes.insert(open_.codes.end(), codes.begin(), codes.end());
            open_.stats.add(stats);
            open_.bits = joined;
            return;
        }
        writeHeld();
        held_ = std::move(open_);
        open_ = {};
    }
    open_.codes = codes;
    open_.stats = stats;
    open_.bits = unitBits;
}

std::optional<std::uint64_t> BlockQueue::finish()
{
    if (open_.stats.codes > 0) {
        const bool fold = held_.stats.codes > 0 && open_.bits < kMinFinalBlockBits;
        if (fold) {
            held_.codes.insert(held_.codes.end(), open_.codes.begin(), open_.codes.end());
            held_.stats.add(open_.stats);
        } else {
            writeHeld();
            held_ = std::move(open_);
        }
        open_ = {};
    }
    writeHeld();
    out_.padToByte();
    const std::uint64_t length = out_.byteCount();
    if (length >= giveUpAt_ || length < kMinStreamBytes) return std::nullopt;
    out_.flush();
    return length;
}

}  // namespace unlha::encode
