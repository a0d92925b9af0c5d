#pragma once
#include <bit>
#include <cstdint>

#include "unlha/codec/Method.h"

namespace unlha::encode {

// Fixed parts of the -lh5-/-lh6-/-lh7- block format.
constexpr int kLiteralLengthSymbols = 510;  // NC: 256 literals, then lengths 3..256
constexpr int kPreTableSymbols = 19;        // NT
constexpr int kPreTableCountBits = 5;       // TBIT
constexpr int kLiteralLengthCountBits = 9;  // CBIT
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr int kMaxBlockCodes = 65535;

struct StreamFormat {
    int dictionaryBits;
    int positionSymbols;    // NP
    int positionCountBits;  // PBIT

    // Longest distance written: one less than the window, as LHa does.
    int maxDistance() const { return (1 << dictionaryBits) - 1; }
};

// Throws std::invalid_argument for a method that is not -lh5-/-lh6-/-lh7-.
StreamFormat streamFormatFor(Method method);

// One code of a block: a literal byte, or a match of `length` bytes from
// `distance` back.
struct Code {
    std::uint16_t length;  // 0 for a literal
    std::uint16_t value;   // the literal byte, or the distance

    static Code literal(std::uint8_t byte) { return {0, byte}; }
    static Code match(int length, int distance)
    {
        return {static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)};
    }
    bool isMatch() const { return length != 0; }
};

inline int literalLengthSymbol(const Code& c)
{
    return c.isMatch() ? c.length + 253 : c.value;
}

// Position symbol of a distance: the bit width of distance - 1; the symbol's
// extra bits are that value without its top bit.
inline int positionSymbol(int distance)
{
    return std::bit_width(static_cast<unsigned>(distance - 1));
}

}  // namespace unlha::encode
