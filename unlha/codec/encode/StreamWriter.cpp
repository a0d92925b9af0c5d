#include "unlha/codec/encode/StreamWriter.h"

#include <utility>

namespace unlha::encode {
namespace {
constexpr std::uint64_t kMinFinalBlockBits = 64;
constexpr std::uint64_t kMinStreamBytes = 8;
}  // namespace

void StreamWriter::start(const StreamFormat& format, ByteSink& sink, std::uint64_t giveUpAt)
{
    format_ = format;
    out_.start(sink);
    giveUpAt_ = giveUpAt;
    previous_.clear();
    last_.clear();
}

void StreamWriter::write(PendingBlock& block)
{
    if (block.stats.codes == 0) return;
    if (!block.block) block.block.emplace(format_, block.stats);
    block.block->write(out_, block.codes.data());
    block.clear();
}

void StreamWriter::add(const Code* codes, std::size_t count, const BlockStats& stats, const Block& block)
{
    write(previous_);
    std::swap(previous_, last_);
    last_.codes.assign(codes, codes + count);
    last_.stats = stats;
    last_.block = block;
}

std::optional<std::uint64_t> StreamWriter::finish()
{
    const bool fold = previous_.stats.codes > 0 && last_.stats.codes > 0 &&
                      last_.block->bitSize() < kMinFinalBlockBits &&
                      previous_.stats.codes + last_.stats.codes <= kMaxBlockCodes;
    if (fold) {
        previous_.codes.insert(previous_.codes.end(), last_.codes.begin(), last_.codes.end());
        previous_.stats.add(last_.stats);
        previous_.block.reset();
        last_.clear();
    }
    write(previous_);
    write(last_);
    out_.padToByte();
    const std::uint64_t length = out_.byteCount();
    if (length >= giveUpAt_ || length < kMinStreamBytes) return std::nullopt;
    out_.flush();
    return length;
}

}  // namespace unlha::encode
