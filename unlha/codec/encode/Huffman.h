#pragma once
#include <cstdint>

namespace unlha::encode {

constexpr int kMaxCodeLength = 16;

// Fills lengths[0..n) with the code lengths of a complete prefix code (Kraft
// sum exactly 1) over the symbols whose frequency is not zero, none longer
// than kMaxCodeLength; n is at most 512. Returns how many symbols are used; when that is under
// two, every length is 0 and the caller writes the single-symbol form.
int buildCodeLengths(const std::uint32_t* freq, int n, std::uint8_t* lengths);

// Canonical codes for the lengths: by increasing length, then symbol number.
void canonicalCodes(const std::uint8_t* lengths, int n, std::uint16_t* codes);

}  // namespace unlha::encode
