#pragma once
#include <cstdint>
#include <vector>

#include "unlha/codec/encode/CostModel.h"
#include "unlha/codec/encode/MatchFinder.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Chooses the codes for a stretch of input by shortest path over its bytes:
// every position's candidate matches are found once, then a forward pass
// prices each literal and each usable match length with a cost model and the
// cheapest way to the end is taken. Run parse() again with a model built from
// the result to refine it.
class OptimalParser {
public:
    struct Settings {
        int niceLength;  // a match this long is taken without looking further
    };

    explicit OptimalParser(Settings settings) : settings_(settings) {}

    // Finds the matches of data[start, start + length), entering every position
    // into the finder. Matches stay inside the stretch; data up to dataEnd is
    // loaded.
    void findMatches(MatchFinder& finder, const std::uint8_t* data, int start, int length, int dataEnd);

    // The cheapest codes for the stretch last given to findMatches().
    void parse(const CostModel& model, std::vector<Code>& out);

private:
    struct Step {
        std::uint16_t length;  // 1 for a literal
        std::uint16_t distance;
    };

    Settings settings_;
    const std::uint8_t* data_ = nullptr;
    int start_ = 0;
    int length_ = 0;
    std::vector<Match> matches_;            // all candidates, position by position
    std::vector<std::uint32_t> firstMatch_;  // per position, index into matches_ (one extra at the end)
    std::vector<std::uint32_t> price_;
    std::vector<Step> step_;
};

}  // namespace unlha::encode
