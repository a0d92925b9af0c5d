#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "unlha/codec/Method.h"
#include "unlha/io/Stream.h"

namespace unlha {

// Encodes -lh5-/-lh6-/-lh7- streams on worker threads, one per core (up to
// four). An input under 1 MiB is encoded whole on one of them; a longer one
// is cut into parts encoded side by side. Parts of several streams can be
// under way at once (start(), then collect()), so that the threads stay
// busy from one file to the next. One encoder keeps its buffers and threads
// from one stream to the next, so that an archive of many small files does
// not pay for them per file. Memory stays bounded, at some megabytes per
// thread, whatever the input size.
class LhEncoder {
public:
    LhEncoder();
    ~LhEncoder();
    LhEncoder(const LhEncoder&) = delete;
    LhEncoder& operator=(const LhEncoder&) = delete;

    // Encodes `in`, which holds exactly `size` bytes, as one stream into
    // `out` and returns the stream's length in bytes. Returns nothing,
    // having stopped early, when the stream would reach `giveUpAt` bytes
    // (pass the original size: the member is then better stored as -lh0-)
    // or would be shorter than 8 bytes (which some readers refuse). No part
    // of another stream may be waiting.
    std::optional<std::uint64_t> encode(Method method, ByteSource& in, std::uint64_t size, ByteSink& out,
                                        std::uint64_t giveUpAt);

    // Reads all of `in` (exactly `size` bytes) and returns while its parts
    // are encoded. When every slot is taken, calls `makeRoom`, which must
    // call collect().
    void start(Method method, ByteSource& in, std::uint64_t size, std::uint64_t giveUpAt,
               const std::function<void()>& makeRoom);

    struct Collected {
        bool streamEnded = false;
        std::optional<std::uint64_t> length;  // once ended: as encode() returns
    };
    // Waits for the oldest part under way and writes it into `out`, the same
    // sink for every part of a stream. Streams come out in the order started.
    Collected collect(ByteSink& out);
    // Parts started and not yet collected.
    int waiting() const;

private:
    struct Workspace;
    std::unique_ptr<Workspace> work_;
};

}  // namespace unlha
