#pragma once
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Small, since a stretch holds one or two per byte of input.
struct Match {
    std::uint16_t length;
    std::uint16_t distance;
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

// Binary search trees of earlier positions, one per 3-byte hash, ordered by
// the bytes that follow each position (as in LZMA's "bt" match finders).
// Searching a position also inserts it as the new root, so a walk down the
// tree meets the nearest positions with the longest common prefixes first.
// Positions are offsets into one buffer of input.
class MatchFinder {
public:
    static constexpr int kMaxMatches = 24;

    // A search stops at the first match of cutoffLength bytes; the match
    // found is still reported in full.
    MatchFinder(int maxDepth, int cutoffLength);

    // Empties the trees for a new input, whose matches reach back at most
    // maxDistance bytes.
    void reset(int maxDistance);

    // Inserts pos and writes to out (room for kMaxMatches) the earlier matches
    // at pos, each longer than the one before and the nearest found for its
    // length, of up to reportLimit bytes; returns how many. treeLimit (at
    // least reportLimit) is how many bytes at pos may be compared: the whole
    // lookahead, so that the tree stays ordered.
    int findAndInsert(const std::uint8_t* data, int pos, int treeLimit, int reportLimit, Match* out);
    // Inserts pos without reporting matches.
    void insert(const std::uint8_t* data, int pos, int treeLimit);

    // Starts loading what a search at pos will read first; pos + 2 bytes
    // must be loaded.
    void prefetch(const std::uint8_t* data, int pos) const { __builtin_prefetch(&head_[hash(data + pos)]); }

private:
    static constexpr int kHashBits = 16;
    static constexpr int kCycle = 1 << 16;  // at least the largest window

    template <bool kReport>
    int walk(const std::uint8_t* data, int pos, int treeLimit, int reportLimit, Match* out);

    static std::uint32_t hash(const std::uint8_t* p)
    {
        const std::uint32_t v = p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
        return (v * 0x9E3779B1u) >> (32 - kHashBits);
    }

    int maxDistance_ = 0;
    int maxDepth_;
    int cutoffLength_;
    std::vector<int> head_;
    // Two children (smaller, larger) per position modulo kCycle. Every slot is
    // written when its position is inserted, before anything reads it, so the
    // array starts uninitialised.
    std::unique_ptr<int[]> tree_;
};

}  // namespace unlha::encode
