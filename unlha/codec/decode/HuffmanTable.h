#pragma once
#include <cstdint>
#include <vector>

#include "unlha/codec/decode/BitReader.h"

namespace unlha {

// Canonical Huffman decoding table: the first 12 bits of the bit buffer index
// a primary table; codes of 13 to 16 bits continue in 16-entry secondary
// tables. A table built with single() decodes its symbol from zero bits.
class HuffmanTable {
public:
    static constexpr int kPrimaryBits = 12;
    static constexpr int kMaxLength = 16;

    // Builds from one length per symbol (0 = unused). FormatError unless the
    // lengths form a complete prefix code of lengths 1..16.
    void build(const std::uint8_t* lengths, int count);
    void single(int symbol);

    // Decodes one symbol; the reader must hold at least 16 bits.
    int decode(BitReader& in) const {
        std::uint64_t w = in.window();
        std::uint16_t e = primary_[w >> (64 - kPrimaryBits)];
        if (e & kSecondaryFlag) {
            e = secondary_[(e & ~kSecondaryFlag) + ((w >> (64 - kMaxLength)) & 0xF)];
        }
        in.consume(e >> kLengthShift);
        return e & kSymbolMask;
    }

private:
    static constexpr std::uint16_t kSecondaryFlag = 0x8000;
    static constexpr int kLengthShift = 10;
    static constexpr std::uint16_t kSymbolMask = 0x3FF;

    std::uint16_t primary_[1 << kPrimaryBits] = {};
    std::vector<std::uint16_t> secondary_;
};

}  // namespace unlha
