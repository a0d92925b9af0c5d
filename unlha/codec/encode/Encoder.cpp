#include "unlha/codec/Encoder.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "unlha/Error.h"
#include "unlha/codec/encode/PartCoder.h"
#include "unlha/codec/encode/StreamFormat.h"
#include "unlha/codec/encode/StreamWriter.h"
#include "unlha/codec/encode/WorkerPool.h"

namespace unlha {

using namespace encode;

namespace {
// Inputs this long or longer are cut into an even number of parts of at
// most kMaxPart bytes. Each part is then at least half of kWholeInputLimit,
// more than any window, so its history lies in the part before.
constexpr std::uint64_t kWholeInputLimit = 1 << 20;
constexpr std::uint64_t kMaxPart = 1 << 21;

int partCount(std::uint64_t size)
{
    if (size < kWholeInputLimit) return 1;
    return static_cast<int>(2 * ((size + 2 * kMaxPart - 1) / (2 * kMaxPart)));
}

// One thread per core, up to four; two more parts than threads may be under
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

// A ring of slots for the parts under way, each a coder with the part's
// bytes, and the threads that run them.
struct LhEncoder::Workspace {
    struct Slot {
        PartCoder coder;
        PoolJob job;
        StreamFormat format{};
        std::uint64_t giveUpAt = 0;
        bool first = false;  // of its stream
        bool last = false;
    };
    Workspace() : slots(static_cast<std::size_t>(threadCount() + 2)), pool(threadCount()) {}

    int capacity() const { return static_cast<int>(slots.size()); }
    Slot& slot(int i) { return slots[static_cast<std::size_t>((i + capacity()) % capacity())]; }

    // Waits for every job, as an error leaves them, and forgets them.
    void abandon() noexcept
    {
        for (Slot& s : slots) pool.drain(s.job);
        waiting = 0;
    }

    std::vector<Slot> slots;
    int nextSlot = 0;  // the one the next part goes to
    int waiting = 0;   // parts started and not yet collected
    StreamWriter writer;
    // Declared last so that it is gone, its jobs finished, before what the
    // jobs use.
    WorkerPool pool;
};

LhEncoder::LhEncoder() : work_(std::make_unique<Workspace>()) {}

LhEncoder::~LhEncoder() = default;

std::optional<std::uint64_t> LhEncoder::encode(Method method, ByteSource& in, std::uint64_t size, ByteSink& out,
                                               std::uint64_t giveUpAt)
{
    if (work_->waiting > 0) throw Error("parts of another stream are waiting to be collected");
    try {
        Collected done;
        auto collectOne = [&] { done = collect(out); };
        start(method, in, size, giveUpAt, collectOne);
        while (!done.streamEnded) collectOne();
        return done.length;
    } catch (...) {
        work_->abandon();
        throw;
    }
}

// The parts of a long input are cut at even shares of it, so that the
// threads finish them at about the same time.
void LhEncoder::start(Method method, ByteSource& in, std::uint64_t size, std::uint64_t giveUpAt,
                      const std::function<void()>& makeRoom)
{
    Workspace& w = *work_;
    const StreamFormat format = streamFormatFor(method);
    const int count = partCount(size);
    auto boundary = [&](int i) { return size * static_cast<std::uint64_t>(i) / static_cast<std::uint64_t>(count); };
    const int window = format.maxDistance() + 1;
    for (int i = 0; i < count; ++i) {
        while (w.waiting == w.capacity()) {
            const int before = w.waiting;
            makeRoom();
            if (w.waiting >= before) throw Error("no part was collected to make room");
        }
        Workspace::Slot& slot = w.slot(w.nextSlot);
        const int history = i == 0 ? 0 : window;
        const int length = static_cast<int>(boundary(i + 1) - boundary(i));
        std::uint8_t* bytes = slot.coder.load(history, length);
        // The part before may still be being encoded: its bytes are only read.
        if (history > 0) std::copy_n(w.slot(w.nextSlot - 1).coder.lastBytes(history), history, bytes);
        readFully(in, bytes + history, length);
        slot.format = format;
        slot.giveUpAt = giveUpAt;
        slot.first = i == 0;
        slot.last = i == count - 1;
        PartCoder& coder = slot.coder;
        w.pool.post(slot.job, [&coder, format] { coder.code(format); });
        w.nextSlot = (w.nextSlot + 1) % w.capacity();
        ++w.waiting;
    }
}

LhEncoder::Collected LhEncoder::collect(ByteSink& out)
{
    Workspace& w = *work_;
    if (w.waiting == 0) throw Error("no part to collect");
    Workspace::Slot& slot = w.slot(w.nextSlot - w.waiting);
    --w.waiting;
    w.pool.wait(slot.job);
    if (slot.first) w.writer.start(slot.format, out, slot.giveUpAt);
    // A stream that has given up is only waited for to its end.
    if (!w.writer.gaveUp()) slot.coder.blocks().handTo(w.writer);
    if (!slot.last) return {};
    if (w.writer.gaveUp()) return {true, std::nullopt};
    return {true, w.writer.finish()};
}

int LhEncoder::waiting() const
{
    return work_->waiting;
}

}  // namespace unlha
