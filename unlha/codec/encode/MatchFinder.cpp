#include "unlha/codec/encode/MatchFinder.h"

#include <algorithm>

namespace unlha::encode {

MatchFinder::MatchFinder(int maxDepth, int cutoffLength)
    : maxDepth_(maxDepth), cutoffLength_(cutoffLength), head_(1 << kHashBits, -1),
      tree_(std::make_unique_for_overwrite<int[]>(2 * kCycle))
{
}

void MatchFinder::reset(int maxDistance)
{
    maxDistance_ = maxDistance;
    std::fill(head_.begin(), head_.end(), -1);
}

template <bool kReport>
int MatchFinder::walk(const std::uint8_t* data, int pos, int treeLimit, int reportLimit, Match* out)
{
    const std::uint8_t* here = data + pos;
    const std::uint32_t h = hash(here);
    int candidate = head_[h];
    head_[h] = pos;

    // Links still to be filled: the larger child of the last node found
    // smaller than pos, and the smaller child of the last node found larger.
    int* smallerSlot = &tree_[2 * (pos & (kCycle - 1))];
    int* largerSlot = smallerSlot + 1;
    int count = 0;
    int best = kMinMatch - 1;
    int depth = maxDepth_;
    const int oldest = pos - maxDistance_;
    while (candidate >= 0 && candidate >= oldest && depth-- > 0) {
        int* children = &tree_[2 * (candidate & (kCycle - 1))];
        const std::uint8_t* there = data + candidate;
        const int len = commonLength(here, there, treeLimit);
        if (kReport && len > best) {
            const int reported = len < reportLimit ? len : reportLimit;
            if (reported > best) {
                best = reported;
                if (count == kMaxMatches) --count;
                out[count++] = {static_cast<std::uint16_t>(reported), static_cast<std::uint16_t>(pos - candidate)};
            }
        }
        if (len >= treeLimit || len >= cutoffLength_) {
            // Same bytes as far as can be compared, or so far that the order
            // beyond hardly matters: pos replaces the node.
            *smallerSlot = children[0];
            *largerSlot = children[1];
            return count;
        }
        // Kept free of branches: which side a node goes to is a coin toss
        // to the branch predictor. Both children are read before the store
        // below, which never touches this node, so that the next candidate
        // does not wait for the comparison.
        const int smallerChild = children[0];
        const int largerChild = children[1];
        const bool smaller = there[len] < here[len];
        int* const next = children + (smaller ? 1 : 0);
        *(smaller ? smallerSlot : largerSlot) = candidate;
        smallerSlot = smaller ? next : smallerSlot;
        largerSlot = smaller ? largerSlot : next;
        candidate = smaller ? largerChild : smallerChild;
    }
    *smallerSlot = -1;
    *largerSlot = -1;
    return count;
}

int MatchFinder::findAndInsert(const std::uint8_t* data, int pos, int treeLimit, int reportLimit, Match* out)
{
    return walk<true>(data, pos, treeLimit, reportLimit, out);
}

void MatchFinder::insert(const std::uint8_t* data, int pos, int treeLimit)
{
    walk<false>(data, pos, treeLimit, 0, nullptr);
}

}  // namespace unlha::encode
