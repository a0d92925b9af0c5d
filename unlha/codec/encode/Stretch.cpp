#include "unlha/codec/encode/Stretch.h"

#include <algorithm>

namespace unlha::encode {

void findStretch(MatchFinder& finder, const std::uint8_t* data, int start, int length, int dataEnd,
                 int niceLength, Stretch& out)
{
    out.bytes.assign(data + start, data + start + length);
    out.niceLength = niceLength;
    out.matches.clear();
    out.firstMatch.assign(static_cast<std::size_t>(length) + 1, 0);
    Match found[MatchFinder::kMaxMatches];
    const int end = start + length;
    int i = 0;
    while (i < length) {
        const int pos = start + i;
        out.firstMatch[i] = static_cast<std::uint32_t>(out.matches.size());
        const int treeLimit = std::min(kMaxMatch, dataEnd - pos);
        ++i;
        if (treeLimit < kMinMatch) continue;
        if (treeLimit > 4) finder.prefetch(data, pos + 2);
        const int n = finder.findAndInsert(data, pos, treeLimit, std::min(kMaxMatch, end - pos), found);
        out.matches.insert(out.matches.end(), found, found + n);
        // Inside a long match no other choice is worth searching for: the
        // parse takes the match whole and resumes after it.
        if (n > 0 && found[n - 1].length >= niceLength) {
            const int skipEnd = i - 1 + found[n - 1].length;
            for (; i < skipEnd; ++i) {
                out.firstMatch[i] = static_cast<std::uint32_t>(out.matches.size());
                const int p = start + i;
                if (dataEnd - p >= kMinMatch) finder.insert(data, p, std::min(kMaxMatch, dataEnd - p));
            }
        }
    }
    out.firstMatch[length] = static_cast<std::uint32_t>(out.matches.size());
}

}  // namespace unlha::encode
