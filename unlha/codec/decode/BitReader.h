#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "unlha/io/Stream.h"

namespace unlha {

// MSB-first bit reader over exactly `packedSize` bytes of a source. Bits sit
// left-aligned in a 64-bit buffer, refilled eight bytes at a time from a large
// input buffer. Past the end of the stream it supplies zero bits, so the hot
// path needs no end test; checkNotOverrun() (called at every refill and at the
// end) turns any use of those zero bits into a FormatError.
class BitReader {
public:
    BitReader(ByteSource& source, std::uint64_t packedSize);

    // Makes at least 56 bits available.
    void refill() {
        if (next_ + 8 <= end_) {
            std::uint64_t word;
            __builtin_memcpy(&word, next_, 8);
            bits_ |= __builtin_bswap64(word) >> count_;
            next_ += (63 - count_) >> 3;
            count_ |= 56;
        } else {
            refillSlow();
        }
    }

    // The next n (0..32) bits without consuming them; at least n must be buffered.
    std::uint32_t peek(int n) const {
        return n == 0 ? 0 : static_cast<std::uint32_t>(bits_ >> (64 - n));
    }
    std::uint64_t window() const { return bits_; }
    void consume(int n) {
        bits_ <<= n;
        count_ -= n;
    }
    // Reads n (0..32) bits, refilling as needed.
    std::uint32_t get(int n) {
        if (count_ < n) refill();
        std::uint32_t v = peek(n);
        consume(n);
        return v;
    }

    // FormatError if more bits have been consumed than the stream holds.
    void checkNotOverrun() const;

private:
    void refillSlow();

    ByteSource& source_;
    std::uint64_t unread_;                 // stream bytes not yet loaded into buffer_
    std::vector<std::uint8_t> buffer_;
    const std::uint8_t* next_ = nullptr;   // next byte of buffer_ to load
    const std::uint8_t* end_ = nullptr;    // end of valid bytes in buffer_
    std::uint64_t bits_ = 0;
    int count_ = 0;                        // valid bits in bits_ (including padding)
    std::uint64_t paddingBits_ = 0;        // zero bits supplied past the end
};

}  // namespace unlha
