#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "unlha/codec/Method.h"
#include "unlha/io/Stream.h"

namespace unlha {

// Encodes -lh5-/-lh6-/-lh7- streams on two worker threads. One encoder keeps
// its buffers and its threads from one stream to the next, so that an archive
// of many small files does not pay for them per file. Memory stays bounded
// (a few megabytes), whatever the input size. One stream at a time.
class LhEncoder {
public:
    LhEncoder();
    ~LhEncoder();
    LhEncoder(const LhEncoder&) = delete;
    LhEncoder& operator=(const LhEncoder&) = delete;

    // Encodes `in`, which holds exactly `size` bytes, as one stream into
    // `out` and returns the stream's length in bytes. Returns nothing, having stopped early, when the stream
    // would reach `giveUpAt` bytes (pass the original size: the member is
    // then better stored as -lh0-) or would be shorter than 8 bytes (which
    // some readers refuse).
    std::optional<std::uint64_t> encode(Method method, ByteSource& in, std::uint64_t size, ByteSink& out,
                                        std::uint64_t giveUpAt);

private:
    struct Workspace;
    std::unique_ptr<Workspace> work_;
};

}  // namespace unlha
