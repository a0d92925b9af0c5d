#include "unlha/codec/encode/BlockQueue.h"

#include "unlha/codec/encode/Block.h"

namespace unlha::encode {
namespace {
constexpr std::uint64_t kMinFinalBlockBits = 64;
constexpr std::uint64_t kMinStreamBytes = 8;
}  // namespace

BlockQueue::BlockQueue(const StreamFormat& format, ByteSink& sink, std::uint64_t giveUpAt)
    : format_(format), out_(sink), giveUpAt_(giveUpAt)
{
}

void BlockQueue::writeHeld()
{
    if (held_ == 0) return;
    Block(format_, codes_.data(), held_).write(out_);
    codes_.erase(codes_.begin(), codes_.begin() + static_cast<std::ptrdiff_t>(held_));
    held_ = 0;
}

void BlockQueue::cut()
{
    writeHeld();
    held_ = codes_.size();
}

std::optional<std::uint64_t> BlockQueue::finish()
{
    if (openCodes() > 0) {
        const Block tail(format_, codes_.data() + held_, codes_.size() - held_);
        const bool fold = held_ > 0 && tail.bitSize() < kMinFinalBlockBits &&
                          codes_.size() <= static_cast<std::size_t>(kMaxBlockCodes);
        if (!fold) writeHeld();
        held_ = codes_.size();
    }
    writeHeld();
    out_.padToByte();
    const std::uint64_t length = out_.byteCount();
    if (length >= giveUpAt_ || length < kMinStreamBytes) return std::nullopt;
    out_.flush();
    return length;
}

}  // namespace unlha::encode
