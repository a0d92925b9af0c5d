#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "unlha/codec/encode/BitWriter.h"
#include "unlha/codec/encode/BlockStats.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// The Huffman tables of one block, built from its symbol frequencies.
class Block {
public:
    // stats.codes must be 1..kMaxBlockCodes.
    Block(const StreamFormat& format, const BlockStats& stats);

    // Exact size of the block in bits, from its code-count field to its last code.
    std::uint64_t bitSize() const { return headerBits_ + codeBits_; }
    // Writes the block; `codes` are the ones the stats were counted from.
    void write(BitWriter& out, const Code* codes) const;

    // Code lengths (0 for an unused symbol, and for the only symbol of a
    // single-symbol table, which takes no bits).
    const std::array<std::uint8_t, kLiteralLengthSymbols>& literalLengthLengths() const { return cLen_; }
    const std::array<std::uint8_t, 32>& positionLengths() const { return pLen_; }

private:
    // The code values, only needed to write the block.
    struct Codes {
        std::array<std::uint16_t, kLiteralLengthSymbols> c{};
        std::array<std::uint16_t, 32> p{};
        std::array<std::uint16_t, kPreTableSymbols> t{};
    };

    template <class Out> void writeHeader(Out& out, const Codes& codes) const;
    template <class Out> void writePreLengths(Out& out, const std::uint8_t* lengths, int n,
                                              int countBits, bool withSkip) const;

    StreamFormat format_;
    std::uint32_t count_;

    std::array<std::uint8_t, kLiteralLengthSymbols> cLen_{};
    int cUsed_ = 0;
    int cSingle_ = 0;
    int cCount_ = 0;

    std::array<std::uint8_t, 32> pLen_{};
    int pUsed_ = 0;
    int pSingle_ = 0;
    int pCount_ = 0;

    std::array<std::uint8_t, kPreTableSymbols> tLen_{};
    int tUsed_ = 0;
    int tSingle_ = 0;
    int tCount_ = 0;

    std::uint64_t headerBits_ = 0;
    std::uint64_t codeBits_ = 0;
};

}  // namespace unlha::encode
