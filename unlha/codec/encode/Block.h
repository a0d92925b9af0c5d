#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "unlha/codec/encode/BitWriter.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// One block ready to be written: its Huffman tables built from its own codes.
class Block {
public:
    // count must be 1..kMaxBlockCodes.
    Block(const StreamFormat& format, const Code* codes, std::size_t count);

    // Exact size of the block in bits, from its code-count field to its last code.
    std::uint64_t bitSize() const { return headerBits_ + codeBits_; }
    void write(BitWriter& out) const;

    // Code lengths of the block (0 for an unused symbol; a table with a single
    // symbol reports length 0 for it too, as it takes no bits).
    const std::array<std::uint8_t, kLiteralLengthSymbols>& literalLengthLengths() const { return cLen_; }
    const std::array<std::uint8_t, 32>& positionLengths() const { return pLen_; }

private:
    template <class Out> void writeHeader(Out& out) const;
    template <class Out> void writePreLengths(Out& out, const std::uint8_t* lengths, int n,
                                              int countBits, bool withSkip) const;

    StreamFormat format_;
    const Code* codes_;
    std::size_t count_;

    std::array<std::uint8_t, kLiteralLengthSymbols> cLen_{};
    std::array<std::uint16_t, kLiteralLengthSymbols> cCode_{};
    int cUsed_ = 0;
    int cSingle_ = 0;
    int cCount_ = 0;

    std::array<std::uint8_t, 32> pLen_{};
    std::array<std::uint16_t, 32> pCode_{};
    int pUsed_ = 0;
    int pSingle_ = 0;
    int pCount_ = 0;

    std::array<std::uint8_t, kPreTableSymbols> tLen_{};
    std::array<std::uint16_t, kPreTableSymbols> tCode_{};
    int tUsed_ = 0;
    int tSingle_ = 0;
    int tCount_ = 0;

    std::uint64_t headerBits_ = 0;
    std::uint64_t codeBits_ = 0;
};

}  // namespace unlha::encode
