#include "unlha/codec/Encoder.h"

#include <algorithm>
#include <vector>

#include "unlha/codec/encode/BackgroundWorker.h"
#include "unlha/codec/encode/Block.h"
#include "unlha/codec/encode/BlockQueue.h"
#include "unlha/codec/encode/CostModel.h"
#include "unlha/codec/encode/InputWindow.h"
#include "unlha/codec/encode/MatchFinder.h"
#include "unlha/codec/encode/OptimalParser.h"
#include "unlha/codec/encode/StreamFormat.h"
#include "unlha/codec/encode/Stretch.h"

namespace unlha {

using namespace encode;

namespace {
// Input parsed at a time; one byte gives at most one code.
constexpr int kStretchBytes = static_cast<int>(BlockQueue::kMaxUnitCodes);
constexpr int kNiceLength = 160;
constexpr int kTreeDepth = 48;
constexpr int kTreeCutoff = 64;

BlockStats statsOf(const std::vector<Code>& codes)
{
    BlockStats stats;
    for (const Code& c : codes) stats.add(c);
    return stats;
}

// Parses one stretch and hands its codes to the blocks.
class StretchCoder {
public:
    explicit StretchCoder(BlockQueue& blocks) : blocks_(blocks) {}

    void code(const Stretch& stretch)
    {
        const StreamFormat& format = blocks_.format();
        // Price with the block this stretch is likely to join, then again with
        // the stretch's own statistics; a stream's first stretch has no block
        // to start from, so it gets one more round.
        const Block* open = blocks_.openBlock();
        codes_.clear();
        parser_.parse(stretch, open ? CostModel(format, *open) : CostModel(format), codes_);
        for (int round = open ? 1 : 2; round > 0; --round) {
            const CostModel refined(format, Block(format, statsOf(codes_)));
            codes_.clear();
            parser_.parse(stretch, refined, codes_);
        }
        const BlockStats stats = statsOf(codes_);
        if (!open) {
            blocks_.addUnit(codes_, stats, blocks_.cost(stats));
            return;
        }
        // The stretch may cost less inside the open block when parsed for
        // that block's tables.
        BlockStats joined = blocks_.openStats();
        joined.add(stats);
        const Block joinedBlock(format, joined);
        joinedCodes_.clear();
        parser_.parse(stretch, CostModel(format, joinedBlock), joinedCodes_);
        const BlockStats joinedStats = statsOf(joinedCodes_);
        BlockQueue::UnitCost own = blocks_.cost(stats, &joinedBlock);
        BlockQueue::UnitCost other = blocks_.cost(joinedStats);
        if (blocks_.addedBits(other) < blocks_.addedBits(own))
            blocks_.addUnit(joinedCodes_, joinedStats, std::move(other));
        else
            blocks_.addUnit(codes_, stats, std::move(own));
    }

private:
    BlockQueue& blocks_;
    OptimalParser parser_;
    std::vector<Code> codes_;
    std::vector<Code> joinedCodes_;
};

}  // namespace

struct LhEncoder::Workspace {
    InputWindow window{kStretchBytes + 8};
    MatchFinder finder{kTreeDepth, kTreeCutoff};
    BlockQueue blocks;
    StretchCoder coder{blocks};
    Stretch stretches[2];
    // Declared last so that it is gone, its job finished, before what the
    // job uses.
    BackgroundWorker worker;
};

LhEncoder::LhEncoder() : work_(std::make_unique<Workspace>()) {}

LhEncoder::~LhEncoder() = default;

std::optional<std::uint64_t> LhEncoder::encode(Method method, ByteSource& in, ByteSink& out, std::uint64_t giveUpAt)
{
    const StreamFormat format = streamFormatFor(method);
    InputWindow& window = work_->window;
    MatchFinder& finder = work_->finder;
    BlockQueue& blocks = work_->blocks;
    StretchCoder& coder = work_->coder;
    Stretch* const stretches = work_->stretches;
    BackgroundWorker& worker = work_->worker;
    window.start(in);
    finder.reset(format.maxDistance());
    blocks.start(format, out, giveUpAt);

    // Reading, parsing and writing stay on the calling thread; the worker
    // finds the next stretch's matches meanwhile. The window only slides
    // while the worker is idle.
    int pos = 0;
    auto nextLength = [&] {
        if (const int shift = window.ensureAhead(pos)) {
            pos -= shift;
            finder.rebase(shift);
        }
        return std::min(kStretchBytes, window.end() - pos);
    };
    // A stream cut short by an error leaves no job running into the next.
    struct Drain {
        BackgroundWorker& worker;
        ~Drain() { worker.drain(); }
    } drain{worker};
    int length = nextLength();
    int current = 0;
    if (length > 0) findStretch(finder, window.data(), pos, length, window.end(), kNiceLength, stretches[0]);
    while (length > 0 && !blocks.gaveUp()) {
        pos += length;
        length = nextLength();
        if (length > 0) {
            Stretch& next = stretches[1 - current];
            const int start = pos;
            const int count = length;
            const int dataEnd = window.end();
            worker.start([&finder, &window, &next, start, count, dataEnd] {
                findStretch(finder, window.data(), start, count, dataEnd, kNiceLength, next);
            });
        }
        coder.code(stretches[current]);
        worker.wait();
        current = 1 - current;
    }
    if (blocks.gaveUp()) return std::nullopt;
    return blocks.finish();
}

}  // namespace unlha
