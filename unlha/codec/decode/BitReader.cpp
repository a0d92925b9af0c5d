#include "unlha/codec/decode/BitReader.h"

#include <algorithm>
#include <cstring>

#include "unlha/Error.h"

namespace unlha {

namespace {
constexpr std::size_t kInputBuffer = 1 << 16;
}

BitReader::BitReader(ByteSource& source, std::uint64_t packedSize)
    : source_(source), unread_(packedSize),
      buffer_(static_cast<std::size_t>(std::min<std::uint64_t>(packedSize, kInputBuffer)) + 8) {
    next_ = end_ = buffer_.data();
}

void BitReader::refillSlow() {
    checkNotOverrun();
    // Keep the few unloaded bytes, then top the buffer up from the source.
    std::size_t left = static_cast<std::size_t>(end_ - next_);
    std::memmove(buffer_.data(), next_, left);
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size() - left, unread_));
    std::size_t got = 0;
    while (got < want) {
        std::size_t n = source_.read(buffer_.data() + left + got, want - got);
        if (n == 0) throw FormatError("compressed data is truncated");
        got += n;
    }
    unread_ -= got;
    next_ = buffer_.data();
    end_ = buffer_.data() + left + got;
    if (end_ - next_ >= 8) {
        refill();
        return;
    }
    while (count_ <= 56) {
        if (next_ < end_) {
            bits_ |= static_cast<std::uint64_t>(*next_++) << (56 - count_);
        } else {
            paddingBits_ += 8;
        }
        count_ += 8;
    }
}

void BitReader::checkNotOverrun() const {
    if (paddingBits_ > static_cast<std::uint64_t>(count_)) {
        throw FormatError("compressed data is truncated");
    }
}

}  // namespace unlha
