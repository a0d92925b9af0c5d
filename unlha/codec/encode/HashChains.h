#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

struct Match {
    int length = 0;
    int distance = 0;
};

// Length of the common prefix of a and b, at most limit. Reads whole words, so
// up to 7 bytes past a + limit and b + limit must be addressable.
inline int commonLength(const std::uint8_t* a, const std::uint8_t* b, int limit)
{
    int n = 0;
    while (n < limit) {
        std::uint64_t x, y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y) {
            n += __builtin_ctzll(x ^ y) >> 3;
            return n < limit ? n : limit;
        }
        n += 8;
    }
    return limit;
}

// Hash chains over 3-byte prefixes. Positions are offsets into the input
// window's buffer; rebase() follows the buffer when it slides.
class HashChains {
public:
    static constexpr int kHashBits = 16;
    static constexpr int kChainSize = 1 << 16;  // at least the largest window

    explicit HashChains(int maxDistance)
        : maxDistance_(maxDistance), head_(1 << kHashBits, -1), prev_(kChainSize, -1)
    {
    }

    // Requires 3 readable bytes at pos.
    void insert(const std::uint8_t* data, int pos)
    {
        const std::uint32_t h = hash(data + pos);
        prev_[pos & (kChainSize - 1)] = head_[h];
        head_[h] = pos;
    }

    // The longest earlier match at pos of up to maxLength bytes (length 0 when
    // none reaches kMinMatch), looking at no more than maxChain candidates and
    // stopping at one of niceLength or more. Call before insert(pos).
    Match longest(const std::uint8_t* data, int pos, int maxLength, int maxChain, int niceLength) const
    {
        Match best;
        if (maxLength < kMinMatch) return best;
        int bestLength = kMinMatch - 1;
        const int limit = pos - maxDistance_;
        const std::uint8_t* here = data + pos;
        int cand = head_[hash(here)];
        while (cand >= 0 && cand >= limit && maxChain-- > 0) {
            const std::uint8_t* there = data + cand;
            if (there[bestLength] == here[bestLength]) {
                const int len = commonLength(here, there, maxLength);
                if (len > bestLength) {
                    bestLength = len;
                    best = {len, pos - cand};
                    if (len >= niceLength || len >= maxLength) break;
                }
            }
            cand = prev_[cand & (kChainSize - 1)];
        }
        return best;
    }

    void rebase(int shift)
    {
        for (int& v : head_) v = v >= shift ? v - shift : -1;
        for (int& v : prev_) v = v >= shift ? v - shift : -1;
    }

private:
    static std::uint32_t hash(const std::uint8_t* p)
    {
        const std::uint32_t v = p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
        return (v * 0x9E3779B1u) >> (32 - kHashBits);
    }

    int maxDistance_;
    std::vector<int> head_;
    std::vector<int> prev_;
};

}  // namespace unlha::encode
