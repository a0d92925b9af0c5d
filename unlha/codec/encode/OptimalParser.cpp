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
}  // namespace

void OptimalParser::parse(const Stretch& stretch, const CostModel& model, std::vector<Code>& out)
{
    const int length = stretch.length();
    constexpr std::uint32_t kUnreached = std::numeric_limits<std::uint32_t>::max();
    price_.assign(static_cast<std::size_t>(length) + 1, kUnreached);
    step_.resize(static_cast<std::size_t>(length) + 1);
    price_[0] = 0;
    const std::uint8_t* bytes = stretch.bytes.data();

    int i = 0;
    while (i < length) {
        const std::uint32_t here = price_[i];
        const std::uint32_t literal = here + model.literal(bytes[i]);
        if (literal < price_[i + 1]) {
            price_[i + 1] = literal;
            step_[i + 1] = {1, 0};
        }
        const Match* m = stretch.matches.data() + stretch.firstMatch[i];
        const Match* mEnd = stretch.matches.data() + stretch.firstMatch[i + 1];
        if (m == mEnd) {
            ++i;
            continue;
        }
        const Match& longest = mEnd[-1];
        if (longest.length >= stretch.niceLength) {
            const int to = i + longest.length;
            const std::uint32_t cost = here + model.length(longest.length) + model.distance(longest.distance);
            if (cost < price_[to]) {
                price_[to] = cost;
                step_[to] = {static_cast<std::uint16_t>(longest.length), static_cast<std::uint16_t>(longest.distance)};
            }
            i = to;
            continue;
        }
        int len = kMinMatch;
        for (; m != mEnd; ++m) {
            const std::uint32_t base = here + model.distance(m->distance);
            const auto dist = static_cast<std::uint16_t>(m->distance);
            const int endStart = m->length - kPricedEnd;
            auto price = [&](int to) {
                for (; len <= to; ++len) {
                    const std::uint32_t cost = base + model.length(len);
                    if (cost < price_[i + len]) {
                        price_[i + len] = cost;
                        step_[i + len] = {static_cast<std::uint16_t>(len), dist};
                    }
                }
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
        const Step s = step_[at];
        if (s.length == 1)
            out.push_back(Code::literal(bytes[at - 1]));
        else
            out.push_back(Code::match(s.length, s.distance));
        at -= s.length;
    }
    std::reverse(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

}  // namespace unlha::encode
