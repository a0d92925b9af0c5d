#pragma once
#include <cstdint>
#include <vector>

#include "unlha/codec/encode/MatchFinder.h"

namespace unlha::encode {

// One stretch of input made ready for parsing: a copy of its bytes and the
// candidate matches at each of its positions. Matches stay inside the stretch.
struct Stretch {
    std::vector<std::uint8_t> bytes;
    std::vector<Match> matches;             // position by position, up to firstMatch.back()
    std::vector<std::uint32_t> firstMatch;  // per position, index into matches; one extra at the end
    // A match this long is taken whole: positions inside it have no candidates.
    int niceLength = kMaxMatch;

    int length() const { return static_cast<int>(bytes.size()); }
};

// Fills `out` for data[start, start + length), entering every position into
// the finder; data up to dataEnd is loaded.
void findStretch(MatchFinder& finder, const std::uint8_t* data, int start, int length, int dataEnd,
                 int niceLength, Stretch& out);

}  // namespace unlha::encode
