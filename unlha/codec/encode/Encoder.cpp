#include "unlha/codec/Encoder.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "unlha/Error.h"
#include "unlha/codec/encode/SegmentCoder.h"
#include "unlha/codec/encode/StreamFormat.h"
#include "unlha/codec/encode/StreamWriter.h"
#include "unlha/codec/encode/WorkerPool.h"

namespace unlha {

using namespace encode;

namespace {
// Longer inputs are cut into segments of at most kMaxSegment bytes, an even
// number of them, encoded side by side. Each segment is at least half of
// kWholeInputLimit, more than any window, so its history lies in the segment
// before.
constexpr std::uint64_t kMaxSegment = 1 << 21;

int segmentCount(std::uint64_t size)
{
    return static_cast<int>(2 * ((size + 2 * kMaxSegment - 1) / (2 * kMaxSegment)));
}

// One thread per core, up to four; two more inputs than threads may be under
// way, so that a thread done early finds the next one waiting.
int threadCount()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 2 : static_cast<int>(std::min(cores, 4u));
}

void readFully(ByteSource& in, std::uint8_t* to, int length)
{
    for (int got = 0; got < length;) {
        const std::size_t n = in.read(to + got, static_cast<std::size_t>(length - got));
        if (n == 0) throw IoError("input ended before its announced size");
        got += static_cast<int>(n);
    }
}

}  // namespace

// Coders for the inputs or segments under way, used by turns, and the
// threads that run them.
struct LhEncoder::Workspace {
    struct Slot {
        SegmentCoder coder;
        PoolJob job;
        StreamFormat format{};
        std::uint64_t giveUpAt = 0;
    };
    Workspace() : slots(static_cast<std::size_t>(threadCount() + 2)), pool(threadCount()) {}

    int capacity() const { return static_cast<int>(slots.size()); }
    void post(Slot& slot, const StreamFormat& format)
    {
        SegmentCoder& coder = slot.coder;
        pool.post(slot.job, [&coder, format] { coder.code(format); });
    }
    // Waits for every slot's job, as a stream cut short by an error leaves
    // them, so that none runs into the next stream.
    void drainAll() noexcept
    {
        for (Slot& slot : slots) pool.drain(slot.job);
    }

    std::optional<std::uint64_t> encodeInSegments(const StreamFormat& format, ByteSource& in, std::uint64_t size,
                                                  ByteSink& out, std::uint64_t giveUpAt);

    std::vector<Slot> slots;
    int nextSlot = 0;  // the one start() uses
    int waiting = 0;   // started and not yet collected
    StreamWriter writer;
    BlockList finished;
    // Declared last so that it is gone, its jobs finished, before what the
    // jobs use.
    WorkerPool pool;
};

LhEncoder::LhEncoder() : work_(std::make_unique<Workspace>()) {}

LhEncoder::~LhEncoder() = default;

std::optional<std::uint64_t> LhEncoder::encode(Method method, ByteSource& in, std::uint64_t size, ByteSink& out,
                                               std::uint64_t giveUpAt)
{
    if (work_->waiting > 0) throw Error("a started stream has not been collected");
    if (size >= kWholeInputLimit)
        return work_->encodeInSegments(streamFormatFor(method), in, size, out, giveUpAt);
    start(method, in, size, giveUpAt);
    return collect(out);
}

void LhEncoder::start(Method method, ByteSource& in, std::uint64_t size, std::uint64_t giveUpAt)
{
    Workspace& w = *work_;
    if (size >= kWholeInputLimit) throw Error("input too long to encode whole");
    if (w.waiting == w.capacity()) throw Error("too many started streams are waiting to be collected");
    const StreamFormat format = streamFormatFor(method);
    Workspace::Slot& slot = w.slots[static_cast<std::size_t>(w.nextSlot)];
    readFully(in, slot.coder.load(0, static_cast<int>(size)), static_cast<int>(size));
    slot.format = format;
    slot.giveUpAt = giveUpAt;
    w.post(slot, format);
    w.nextSlot = (w.nextSlot + 1) % w.capacity();
    ++w.waiting;
}

std::optional<std::uint64_t> LhEncoder::collect(ByteSink& out)
{
    Workspace& w = *work_;
    if (w.waiting == 0) throw Error("no started stream to collect");
    const int oldest = (w.nextSlot - w.waiting + w.capacity()) % w.capacity();
    Workspace::Slot& slot = w.slots[static_cast<std::size_t>(oldest)];
    --w.waiting;
    w.pool.wait(slot.job);
    w.writer.start(slot.format, out, slot.giveUpAt);
    slot.coder.blocks().handTo(w.writer);
    if (w.writer.gaveUp()) return std::nullopt;
    return w.writer.finish();
}

int LhEncoder::waiting() const
{
    return work_->waiting;
}

int LhEncoder::capacity() const
{
    return work_->capacity();
}

// Segment i goes to slot i % capacity. Reading and writing stay on the
// calling thread: segments are read ahead while the threads work, and the
// blocks of each are written in turn.
std::optional<std::uint64_t> LhEncoder::Workspace::encodeInSegments(const StreamFormat& format, ByteSource& in,
                                                                    std::uint64_t size, ByteSink& out,
                                                                    std::uint64_t giveUpAt)
{
    const int count = segmentCount(size);
    auto boundary = [&](int i) { return size * static_cast<std::uint64_t>(i) / static_cast<std::uint64_t>(count); };
    const int window = format.maxDistance() + 1;
    auto slotOf = [&](int i) -> Slot& { return slots[static_cast<std::size_t>(i % capacity())]; };

    auto startSegment = [&](int i) {
        SegmentCoder& coder = slotOf(i).coder;
        const int history = i == 0 ? 0 : window;
        const int length = static_cast<int>(boundary(i + 1) - boundary(i));
        std::uint8_t* bytes = coder.load(history, length);
        // The segment before is still being encoded: its bytes are only read.
        if (history > 0) std::copy_n(slotOf(i - 1).coder.lastBytes(history), history, bytes);
        readFully(in, bytes + history, length);
        post(slotOf(i), format);
    };
    struct Drain {
        Workspace& w;
        ~Drain() { w.drainAll(); }
    } drain{*this};
    writer.start(format, out, giveUpAt);
    for (int i = 0; i < std::min(count, capacity()); ++i) startSegment(i);
    for (int i = 0; i < count; ++i) {
        pool.wait(slotOf(i).job);
        std::swap(finished, slotOf(i).coder.blocks());
        if (i + capacity() < count) startSegment(i + capacity());
        finished.handTo(writer);
        if (writer.gaveUp()) return std::nullopt;
    }
    return writer.finish();
}

}  // namespace unlha
