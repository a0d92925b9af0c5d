#include "unlha/codec/encode/Huffman.h"

#include <algorithm>

namespace unlha::encode {
namespace {

constexpr int kMaxSymbols = 512;  // the largest alphabet, the literal/length one, has 510

// Unbounded optimal depths by the two-queue method over m leaves sorted by
// weight; internal nodes are created in non-decreasing weight order. Blocks
// are built many times per stretch, so everything stays on the stack.
void huffmanDepths(const std::uint64_t* sortedWeights, int m, int* depth)
{
    std::uint64_t weight[2 * kMaxSymbols];
    int parent[2 * kMaxSymbols];
    std::copy(sortedWeights, sortedWeights + m, weight);
    int leaf = 0;
    int inner = m;
    auto takeSmallest = [&](int created) {
        if (leaf < m && (inner >= created || weight[leaf] <= weight[inner])) return leaf++;
        return inner++;
    };
    for (int k = m; k < 2 * m - 1; ++k) {
        const int a = takeSmallest(k);
        const int b = takeSmallest(k);
        weight[k] = weight[a] + weight[b];
        parent[a] = parent[b] = k;
    }
    int nodeDepth[2 * kMaxSymbols];
    nodeDepth[2 * m - 2] = 0;
    for (int k = 2 * m - 3; k >= 0; --k) nodeDepth[k] = nodeDepth[parent[k]] + 1;
    std::copy(nodeDepth, nodeDepth + m, depth);
}

}  // namespace

int buildCodeLengths(const std::uint32_t* freq, int n, std::uint8_t* lengths)
{
    // Used symbols by ascending frequency, ties by symbol, as one sort key.
    std::uint64_t keys[kMaxSymbols];
    int m = 0;
    for (int s = 0; s < n; ++s) {
        lengths[s] = 0;
        if (freq[s] != 0) keys[m++] = (std::uint64_t{freq[s]} << 16) | static_cast<std::uint64_t>(s);
    }
    if (m < 2) return m;
    std::sort(keys, keys + m);
    int used[kMaxSymbols];
    std::uint64_t weights[kMaxSymbols];
    for (int i = 0; i < m; ++i) {
        used[i] = static_cast<int>(keys[i] & 0xFFFF);
        weights[i] = keys[i] >> 16;
    }
    int depth[kMaxSymbols];
    huffmanDepths(weights, m, depth);

    // Limit the depth: clamp, then pay back the Kraft excess by lengthening the
    // rarest symbols among the deepest ones still below the limit, then spend
    // any slack on shortening the most frequent symbols.
    constexpr std::int64_t kFull = std::int64_t{1} << kMaxCodeLength;
    std::int64_t kraft = 0;
    for (int i = 0; i < m; ++i) {
        depth[i] = std::min(depth[i], kMaxCodeLength);
        kraft += kFull >> depth[i];
    }
    while (kraft > kFull) {
        int pick = -1;
        for (int i = 0; i < m; ++i)
            if (depth[i] < kMaxCodeLength && (pick < 0 || depth[i] > depth[pick])) pick = i;
        kraft -= kFull >> (depth[pick] + 1);
        ++depth[pick];
    }
    while (kraft < kFull) {
        for (int i = m - 1; i >= 0 && kraft < kFull; --i) {
            const std::int64_t gain = kFull >> depth[i];
            if (depth[i] > 1 && kraft + gain <= kFull) {
                kraft += gain;
                --depth[i];
            }
        }
    }
    for (int i = 0; i < m; ++i) lengths[used[i]] = static_cast<std::uint8_t>(depth[i]);
    return m;
}

void canonicalCodes(const std::uint8_t* lengths, int n, std::uint16_t* codes)
{
    int count[kMaxCodeLength + 2] = {};
    for (int s = 0; s < n; ++s) ++count[lengths[s]];
    count[0] = 0;
    std::uint32_t next[kMaxCodeLength + 2] = {};
    std::uint32_t code = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        code = (code + count[len - 1]) << 1;
        next[len] = code;
    }
    for (int s = 0; s < n; ++s)
        codes[s] = lengths[s] ? static_cast<std::uint16_t>(next[lengths[s]]++) : 0;
}

}  // namespace unlha::encode
