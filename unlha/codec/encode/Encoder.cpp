#include "unlha/codec/Encoder.h"

#include <algorithm>
#include <vector>

#include "unlha/codec/encode/Block.h"
#include "unlha/codec/encode/BlockQueue.h"
#include "unlha/codec/encode/CostModel.h"
#include "unlha/codec/encode/InputWindow.h"
#include "unlha/codec/encode/MatchFinder.h"
#include "unlha/codec/encode/OptimalParser.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha {

using namespace encode;

namespace {
// Input parsed at a time; one byte gives at most one code.
constexpr int kUnitBytes = static_cast<int>(BlockQueue::kMaxUnitCodes);
constexpr OptimalParser::Settings kParserSettings{160};
constexpr int kTreeDepth = 48;

BlockStats statsOf(const std::vector<Code>& codes)
{
    BlockStats stats;
    for (const Code& c : codes) stats.add(c);
    return stats;
}
}  // namespace

std::optional<std::uint64_t> encodeLh(Method method, ByteSource& in, ByteSink& out,
                                      std::uint64_t giveUpAt)
{
    const StreamFormat format = streamFormatFor(method);
    InputWindow window(in, kUnitBytes + 8);
    MatchFinder finder(format.maxDistance(), kTreeDepth);
    BlockQueue blocks(format, out, giveUpAt);
    OptimalParser parser(kParserSettings);
    std::vector<Code> codes;
    std::vector<Code> joinedCodes;

    int pos = 0;
    while (!blocks.gaveUp()) {
        if (const int shift = window.ensureAhead(pos)) {
            pos -= shift;
            finder.rebase(shift);
        }
        const int length = std::min(kUnitBytes, window.end() - pos);
        if (length <= 0) break;
        parser.findMatches(finder, window.data(), pos, length, window.end());

        // Price with the block this unit is likely to join, then again with
        // the unit's own statistics; a stream's first unit has no block to
        // start from, so it gets one more round.
        const BlockStats& open = blocks.openStats();
        const bool first = open.codes == 0;
        codes.clear();
        parser.parse(first ? CostModel(format) : CostModel(format, Block(format, open)), codes);
        for (int round = first ? 2 : 1; round > 0; --round) {
            const CostModel refined(format, Block(format, statsOf(codes)));
            codes.clear();
            parser.parse(refined, codes);
        }

        BlockStats stats = statsOf(codes);
        if (!first) {
            // The unit may cost less inside the open block when parsed for
            // that block's tables.
            BlockStats joined = open;
            joined.add(stats);
            joinedCodes.clear();
            parser.parse(CostModel(format, Block(format, joined)), joinedCodes);
            const BlockStats joinedStats = statsOf(joinedCodes);
            if (blocks.addedBits(joinedStats) < blocks.addedBits(stats)) {
                codes.swap(joinedCodes);
                stats = joinedStats;
            }
        }
        blocks.addUnit(codes, stats);
        pos += length;
    }
    if (blocks.gaveUp()) return std::nullopt;
    return blocks.finish();
}

}  // namespace unlha
