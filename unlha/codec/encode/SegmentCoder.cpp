#include "unlha/codec/encode/SegmentCoder.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace unlha::encode {
namespace {
constexpr int kTail = 8;
}  // namespace

void BlockList::take(PendingBlock& block)
{
    if (used_ == blocks_.size()) blocks_.emplace_back();
    std::swap(blocks_[used_++], block);
}

void BlockList::handTo(ClosedBlockSink& writer)
{
    for (std::size_t i = 0; i < used_; ++i) writer.take(blocks_[i]);
    used_ = 0;
}

std::uint8_t* SegmentCoder::load(int historyLength, int segmentLength)
{
    history_ = historyLength;
    end_ = historyLength + segmentLength;
    bytes_.resize(static_cast<std::size_t>(end_ + kTail));
    std::memset(bytes_.data() + end_, 0, kTail);
    return bytes_.data();
}

void SegmentCoder::code(const StreamFormat& format)
{
    const std::uint8_t* data = bytes_.data();
    finder_.reset(format.maxDistance());
    // A stream cut short may have left blocks behind.
    blocks_.clear();
    queue_.start(format, blocks_);
    for (int pos = 0; pos < history_; ++pos)
        if (end_ - pos >= kMinMatch) finder_.insert(data, pos, std::min(kMaxMatch, end_ - pos));
    for (int pos = history_; pos < end_;) {
        const int length = std::min(kStretchBytes, end_ - pos);
        findStretch(finder_, data, pos, length, end_, kNiceLength, stretch_);
        coder_.code(stretch_);
        pos += length;
    }
    queue_.finish();
}

}  // namespace unlha::encode
