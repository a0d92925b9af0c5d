#include "unlha/codec/encode/Stretch.h"

#include <algorithm>

namespace unlha::encode {

void findStretch(MatchFinder& finder, const std::uint8_t* data, int start, int length, int dataEnd,
                 int niceLength, Stretch& out)
{
    out.bytes.assign(data + start, data + start + length);
    out.niceLength = niceLength;
    out.firstMatch.resize(static_cast<std::size_t>(length) + 1);
    // Matches are written straight into the vector, kept big enough for one
    // more search; it only grows, so that it is not cleared again each time.
    std::size_t used = 0;
    const int end = start + length;
    int i = 0;
    while (i < length) {
        const int pos = start + i;
        out.firstMatch[i] = static_cast<std::uint32_t>(used);
        const int treeLimit = std::min(kMaxMatch, dataEnd - pos);
        ++i;
        if (treeLimit < kMinMatch) continue;
        if (treeLimit > 4) finder.prefetch(data, pos + 2);
        if (out.matches.size() < used + MatchFinder::kMaxMatches)
            out.matches.resize(2 * out.matches.size() + MatchFinder::kMaxMatches);
        Match* const found = out.matches.data() + used;
        const int n = finder.findAndInsert(data, pos, treeLimit, std::min(kMaxMatch, end - pos), found);
        used += static_cast<std::size_t>(n);
        // Inside a long match no other choice is worth searching for: the
        // parse takes the match whole and resumes after it.
        if (n > 0 && found[n - 1].length >= niceLength) {
            const int skipEnd = i - 1 + found[n - 1].length;
            for (; i < skipEnd; ++i) {
                out.firstMatch[i] = static_cast<std::uint32_t>(used);
                const int p = start + i;
                if (dataEnd - p >= kMinMatch) finder.insert(data, p, std::min(kMaxMatch, dataEnd - p));
            }
        }
    }
    out.firstMatch[length] = static_cast<std::uint32_t>(used);
}

}  // namespace unlha::encode
