#pragma once
#include <array>
#include <cstdint>

#include "unlha/codec/encode/Block.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Bits that each code would take, as the parser prices its choices: the code
// lengths of a block, with a guess for symbols that block did not use.
class CostModel {
public:
    // A first guess for a stream's start: literals 8 bits, short matches cheap.
    explicit CostModel(const StreamFormat& format);
    CostModel(const StreamFormat& format, const Block& block);

    std::uint32_t literal(std::uint8_t byte) const { return literalLength_[byte]; }
    std::uint32_t length(int length) const { return literalLength_[length + 253]; }
    // Position code and its extra bits.
    std::uint32_t distance(int distance) const { return position_[positionSymbol(distance)]; }

private:
    std::array<std::uint32_t, kLiteralLengthSymbols> literalLength_{};
    std::array<std::uint32_t, 32> position_{};
};

}  // namespace unlha::encode
