#pragma once
#include <cstdint>
#include <vector>

#include "unlha/codec/encode/CostModel.h"
#include "unlha/codec/encode/Stretch.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha::encode {

// Chooses the codes for a stretch of input by shortest path over its bytes: a
// forward pass prices each literal and each usable length of every candidate
// match with a cost model, and the cheapest way to the end is taken. Parsing
// again with a model built from the result refines it.
class OptimalParser {
public:
    // Appends the cheapest codes for the stretch to `out`.
    void parse(const Stretch& stretch, const CostModel& model, std::vector<Code>& out);

private:
    struct Step {
        std::uint16_t length;  // 1 for a literal
        std::uint16_t distance;
    };

    std::vector<std::uint32_t> price_;
    std::vector<Step> step_;
};

}  // namespace unlha::encode
