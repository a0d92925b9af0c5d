#pragma once
#include <array>
#include <cstdint>

#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Symbol frequencies of a run of codes: all that a block's size depends on.
struct BlockStats {
    std::array<std::uint32_t, kLiteralLengthSymbols> literalLength{};
    std::array<std::uint32_t, 32> position{};
    std::uint32_t codes = 0;

    void add(const Code& c)
    {
        ++literalLength[literalLengthSymbol(c)];
        if (c.isMatch()) ++position[positionSymbol(c.value)];
        ++codes;
    }
    void add(const BlockStats& other)
    {
        for (int s = 0; s < kLiteralLengthSymbols; ++s) literalLength[s] += other.literalLength[s];
        for (int p = 0; p < 32; ++p) position[p] += other.position[p];
        codes += other.codes;
    }
};

}  // namespace unlha::encode
