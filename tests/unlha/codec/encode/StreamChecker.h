#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "unlha/codec/Method.h"

namespace unlha::test {

// Walks an -lh5-/-lh6-/-lh7- stream and reports the first rule it breaks that
// some reader enforces, or "" when it keeps them all: complete tables with
// lengths up to 16, single-symbol tables in their own form, block code counts
// of 1..65535 adding up to the data, a final block of at least 8 bytes, match
// lengths 3..256, distances within the window and the bytes already out, and
// nothing but zero padding after the last code.
std::string checkStream(Method method, const std::vector<std::uint8_t>& stream,
                        std::uint64_t originalSize);

}  // namespace unlha::test
