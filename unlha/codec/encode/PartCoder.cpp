#include "unlha/codec/encode/PartCoder.h"

#include <algorithm>
#include <cstring>

namespace unlha::encode {
namespace {
constexpr int kTail = 8;
}  // namespace

std::uint8_t* PartCoder::load(int historyLength, int partLength)
{
    history_ = historyLength;
    end_ = historyLength + partLength;
    bytes_.resize(static_cast<std::size_t>(end_ + kTail));
    std::memset(bytes_.data() + end_, 0, kTail);
    return bytes_.data();
}

void PartCoder::code(const StreamFormat& format)
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
