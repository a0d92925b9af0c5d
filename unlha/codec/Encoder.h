#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "unlha/codec/Method.h"
#include "unlha/io/Stream.h"

namespace unlha {

// Encodes -lh5-/-lh6-/-lh7- streams on worker threads, one per core (up to
// four). An input shorter than kWholeInputLimit is encoded whole on one of
// them, and up to capacity() such inputs can be under way at once (start(),
// then collect()); a longer one is cut into segments encoded side by side.
// One encoder keeps its buffers and threads from one stream to the next, so
// that an archive of many small files does not pay for them per file. Memory
// stays bounded, at some megabytes per thread, whatever the input size.
class LhEncoder {
public:
    static constexpr std::uint64_t kWholeInputLimit = 1 << 20;

    LhEncoder();
    ~LhEncoder();
    LhEncoder(const LhEncoder&) = delete;
    LhEncoder& operator=(const LhEncoder&) = delete;

    // Encodes `in`, which holds exactly `size` bytes, as one stream into
    // `out` and returns the stream's length in bytes. Returns nothing,
    // having stopped early, when the stream would reach `giveUpAt` bytes
    // (pass the original size: the member is then better stored as -lh0-)
    // or would be shorter than 8 bytes (which some readers refuse). No
    // started stream may be waiting.
    std::optional<std::uint64_t> encode(Method method, ByteSource& in, std::uint64_t size, ByteSink& out,
                                        std::uint64_t giveUpAt);

    // Reads the `size` bytes of `in` (less than kWholeInputLimit) and
    // returns while they are encoded. At most capacity() streams may wait.
    void start(Method method, ByteSource& in, std::uint64_t size, std::uint64_t giveUpAt);
    // Writes the oldest started stream into `out` once it is ready, and
    // returns as encode() does.
    std::optional<std::uint64_t> collect(ByteSink& out);
    // Streams started and not yet collected, and how many may be.
    int waiting() const;
    int capacity() const;

private:
    struct Workspace;
    std::unique_ptr<Workspace> work_;
};

}  // namespace unlha
