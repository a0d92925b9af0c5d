#pragma once
#include <cstdint>

#include "unlha/codec/decode/BitReader.h"
#include "unlha/codec/decode/HuffmanTable.h"
#include "unlha/codec/decode/LhParameters.h"

namespace unlha {

// The tables at the head of one block, and how many codes it holds.
struct BlockHeader {
    std::uint32_t codeCount = 0;
    HuffmanTable codes;      // C: literals 0..255, match lengths 256..509
    HuffmanTable positions;  // P: distance bit-length classes
};

// Reads a block header. FormatError on a code count of 0, a table size out of
// range, a zero run past the table's end, or an incomplete table.
void readBlockHeader(BitReader& in, const LhParameters& params, BlockHeader& block);

}  // namespace unlha
