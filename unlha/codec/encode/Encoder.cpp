#include "unlha/codec/Encoder.h"

#include <algorithm>

#include "unlha/codec/encode/BlockQueue.h"
#include "unlha/codec/encode/HashChains.h"
#include "unlha/codec/encode/InputWindow.h"
#include "unlha/codec/encode/StreamFormat.h"

namespace unlha {

using namespace encode;

namespace {
constexpr int kLookahead = 1024;
constexpr std::size_t kBlockCodes = 16384;
constexpr int kMaxChain = 256;
constexpr int kNiceLength = 128;
// A 3-byte match this far back costs more than three literals.
constexpr int kFarShortMatch = 4096;
}  // namespace

std::optional<std::uint64_t> encodeLh(Method method, ByteSource& in, ByteSink& out,
                                      std::uint64_t giveUpAt)
{
    const StreamFormat format = streamFormatFor(method);
    InputWindow window(in, kLookahead);
    HashChains chains(format.maxDistance());
    BlockQueue blocks(format, out, giveUpAt);

    auto emit = [&](Code c) {
        blocks.add(c);
        if (blocks.openCodes() >= kBlockCodes) blocks.cut();
    };

    int pos = 0;
    bool havePrevious = false;
    Match previous;
    while (!blocks.gaveUp()) {
        if (const int shift = window.ensureAhead(pos)) {
            pos -= shift;
            chains.rebase(shift);
        }
        const std::uint8_t* data = window.data();
        const int end = window.end();
        if (pos >= end) break;

        const int maxLength = std::min(kMaxMatch, end - pos);
        Match current;
        if (maxLength >= kMinMatch) {
            if (!havePrevious || previous.length < kNiceLength)
                current = chains.longest(data, pos, maxLength, kMaxChain, kNiceLength);
            chains.insert(data, pos);
            if (current.length == kMinMatch && current.distance > kFarShortMatch) current = {};
        }
        if (havePrevious) {
            if (previous.length >= kMinMatch && current.length <= previous.length) {
                emit(Code::match(previous.length, previous.distance));
                const int stop = pos - 1 + previous.length;
                for (int p = pos + 1; p < stop; ++p)
                    if (p + kMinMatch <= end) chains.insert(data, p);
                pos = stop;
                havePrevious = false;
                continue;
            }
            emit(Code::literal(data[pos - 1]));
        }
        previous = current;
        havePrevious = true;
        ++pos;
    }
    if (havePrevious && !blocks.gaveUp()) {
        if (previous.length >= kMinMatch)
            emit(Code::match(previous.length, previous.distance));
        else
            emit(Code::literal(window.data()[pos - 1]));
    }
    if (blocks.gaveUp()) return std::nullopt;
    return blocks.finish();
}

}  // namespace unlha
