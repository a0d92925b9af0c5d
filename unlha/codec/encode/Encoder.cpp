#include "unlha/codec/Encoder.h"

#include <algorithm>
#include <memory>

#include "unlha/Error.h"
#include "unlha/codec/encode/BackgroundWorker.h"
#include "unlha/codec/encode/BlockQueue.h"
#include "unlha/codec/encode/InputWindow.h"
#include "unlha/codec/encode/MatchFinder.h"
#include "unlha/codec/encode/SegmentCoder.h"
#include "unlha/codec/encode/StreamFormat.h"
#include "unlha/codec/encode/StreamWriter.h"
#include "unlha/codec/encode/Stretch.h"
#include "unlha/codec/encode/StretchCoder.h"

namespace unlha {

using namespace encode;

namespace {
// Inputs this long are cut into an even number of segments of at most
// kMaxSegment bytes, encoded two at a time. Each segment is at least half
// this long, more than any window, so its history lies in the segment before.
constexpr std::uint64_t kSegmentedFrom = 1 << 20;
constexpr std::uint64_t kMaxSegment = 1 << 21;

int segmentCount(std::uint64_t size)
{
    return static_cast<int>(2 * ((size + 2 * kMaxSegment - 1) / (2 * kMaxSegment)));
}

// Waits for a job left running when a stream is cut short by an error, so
// that none runs into the next stream.
struct Drain {
    BackgroundWorker& worker;
    ~Drain() { worker.drain(); }
};
}  // namespace

struct LhEncoder::Workspace {
    InputWindow window{kStretchBytes + 8};
    MatchFinder finder{kTreeDepth, kTreeCutoff};
    BlockQueue blocks;
    StreamWriter writer;
    StretchCoder coder{blocks};
    Stretch stretches[2];
    // Made with the first long input.
    std::unique_ptr<SegmentCoder> segments[2];
    BlockList finished;
    // Declared last so that they are gone, their jobs finished, before what
    // the jobs use.
    BackgroundWorker workers[2];

    std::optional<std::uint64_t> encodeStreaming(const StreamFormat& format, ByteSource& in);
    std::optional<std::uint64_t> encodeInSegments(const StreamFormat& format, ByteSource& in, std::uint64_t size);
};

LhEncoder::LhEncoder() : work_(std::make_unique<Workspace>()) {}

LhEncoder::~LhEncoder() = default;

std::optional<std::uint64_t> LhEncoder::encode(Method method, ByteSource& in, std::uint64_t size, ByteSink& out,
                                               std::uint64_t giveUpAt)
{
    const StreamFormat format = streamFormatFor(method);
    work_->writer.start(format, out, giveUpAt);
    return size >= kSegmentedFrom ? work_->encodeInSegments(format, in, size) : work_->encodeStreaming(format, in);
}

// Reading, parsing and writing stay on the calling thread; a worker finds the
// next stretch's matches meanwhile. The window only slides while the worker
// is idle.
std::optional<std::uint64_t> LhEncoder::Workspace::encodeStreaming(const StreamFormat& format, ByteSource& in)
{
    BackgroundWorker& worker = workers[0];
    window.start(in);
    finder.reset(format.maxDistance());
    blocks.start(format, writer);

    int pos = 0;
    auto nextLength = [&] {
        if (const int shift = window.ensureAhead(pos)) {
            pos -= shift;
            finder.rebase(shift);
        }
        return std::min(kStretchBytes, window.end() - pos);
    };
    Drain drain{worker};
    int length = nextLength();
    int current = 0;
    if (length > 0) findStretch(finder, window.data(), pos, length, window.end(), kNiceLength, stretches[0]);
    while (length > 0 && !writer.gaveUp()) {
        pos += length;
        length = nextLength();
        if (length > 0) {
            Stretch& next = stretches[1 - current];
            const int start = pos;
            const int count = length;
            const int dataEnd = window.end();
            worker.start([this, &next, start, count, dataEnd] {
                findStretch(finder, window.data(), start, count, dataEnd, kNiceLength, next);
            });
        }
        coder.code(stretches[current]);
        worker.wait();
        current = 1 - current;
    }
    if (writer.gaveUp()) return std::nullopt;
    blocks.finish();
    return writer.finish();
}

// Segment i goes to worker i % 2. Reading and writing stay on the calling
// thread: the next segment is read while both workers run, and the blocks of
// one are written while the other runs.
std::optional<std::uint64_t> LhEncoder::Workspace::encodeInSegments(const StreamFormat& format, ByteSource& in,
                                                                    std::uint64_t size)
{
    for (auto& s : segments)
        if (!s) s = std::make_unique<SegmentCoder>();
    const int count = segmentCount(size);
    auto boundary = [&](int i) { return size * static_cast<std::uint64_t>(i) / static_cast<std::uint64_t>(count); };
    const int window = format.maxDistance() + 1;

    auto start = [&](int i) {
        SegmentCoder& segment = *segments[i % 2];
        const int history = i == 0 ? 0 : window;
        const int length = static_cast<int>(boundary(i + 1) - boundary(i));
        std::uint8_t* bytes = segment.load(history, length);
        if (history > 0) std::copy_n(segments[(i + 1) % 2]->lastBytes(history), history, bytes);
        for (int got = 0; got < length;) {
            const std::size_t n = in.read(bytes + history + got, static_cast<std::size_t>(length - got));
            if (n == 0) throw IoError("input ended before its announced size");
            got += static_cast<int>(n);
        }
        workers[i % 2].start([&segment, format] { segment.code(format); });
    };
    Drain drain0{workers[0]};
    Drain drain1{workers[1]};
    start(0);
    start(1);
    for (int i = 0; i < count; ++i) {
        workers[i % 2].wait();
        std::swap(finished, segments[i % 2]->blocks());
        if (i + 2 < count) start(i + 2);
        finished.handTo(writer);
        if (writer.gaveUp()) return std::nullopt;
    }
    return writer.finish();
}

}  // namespace unlha
