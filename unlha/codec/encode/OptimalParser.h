#pragma once
#include <array>
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
    // Per position, the cheapest way found to it (see way() in the source).
    std::vector<std::uint64_t> way_;
    std::array<std::uint64_t, kMaxMatch + 1> lengthWay_{};
};

}  // namespace unlha::encode
