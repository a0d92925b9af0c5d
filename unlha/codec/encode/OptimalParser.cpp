#include "unlha/codec/encode/OptimalParser.h"

#include <algorithm>
#include <limits>

namespace unlha::encode {
namespace {
// Lengths priced per candidate match: all up to kPricedShort, and the last
// kPricedEnd of each match. The lengths between are rarely the best way on
// and cost most of the pricing in long-match data.
constexpr int kPricedShort = 16;
constexpr int kPricedEnd = 4;

// A way to a position as one number: its price in bits, then the length and
// distance of the last step, so that the cheapest way is the smallest number
// and keeping the better of two is a branch-free min. The length is stored
// complemented: of two equally cheap ways the one with the longer last step
// wins, which leaves fewer, longer codes and smaller blocks.
constexpr std::uint64_t way(std::uint64_t price, int length, int distance)
{
    return price << 32 | static_cast<std::uint64_t>(0xFFFF - length) << 16 | static_cast<std::uint64_t>(distance);
}
constexpr std::uint64_t kUnreached = std::numeric_limits<std::uint64_t>::max();
}  // namespace

void OptimalParser::parse(const Stretch& stretch, const CostModel& model, std::vector<Code>& out)
{
    const int length = stretch.length();
    way_.assign(static_cast<std::size_t>(length) + 1, kUnreached);
    way_[0] = 0;
    std::uint64_t* const best = way_.data();
    for (int len = kMinMatch; len <= kMaxMatch; ++len) lengthWay_[len] = way(model.length(len), len, 0) - way(0, 0, 0);
    const std::uint8_t* bytes = stretch.bytes.data();

    int i = 0;
    while (i < length) {
        const std::uint64_t here = best[i] & ~std::uint64_t{0xFFFFFFFF};
        best[i + 1] = std::min(best[i + 1], here + way(model.literal(bytes[i]), 1, 0));
        const Match* m = stretch.matches.data() + stretch.firstMatch[i];
        const Match* mEnd = stretch.matches.data() + stretch.firstMatch[i + 1];
        if (m == mEnd) {
            ++i;
            continue;
        }
        const Match& longest = mEnd[-1];
        if (longest.length >= stretch.niceLength) {
            const int to = i + longest.length;
            best[to] = std::min(best[to], here + lengthWay_[longest.length] +
                                              way(model.distance(longest.distance), 0, longest.distance));
            i = to;
            continue;
        }
        std::uint64_t* const from = best + i;
        int len = kMinMatch;
        for (; m != mEnd; ++m) {
            const std::uint64_t base = here + way(model.distance(m->distance), 0, m->distance);
            const int endStart = m->length - kPricedEnd;
            auto price = [&](int to) {
                for (; len <= to; ++len) from[len] = std::min(from[len], base + lengthWay_[len]);
            };
            if (len < endStart) {
                price(std::min(kPricedShort, endStart));
                len = std::max(len, endStart + 1);
            }
            price(m->length);
        }
        ++i;
    }

    const std::size_t first = out.size();
    for (int at = length; at > 0;) {
        const int stepLength = 0xFFFF - static_cast<int>(best[at] >> 16 & 0xFFFF);
        if (stepLength == 1)
            out.push_back(Code::literal(bytes[at - 1]));
        else
            out.push_back(Code::match(stepLength, static_cast<int>(best[at] & 0xFFFF)));
        at -= stepLength;
    }
    std::reverse(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

}  // namespace unlha::encode
