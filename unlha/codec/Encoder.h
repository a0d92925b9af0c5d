#pragma once
#include <cstdint>
#include <optional>

#include "unlha/codec/Method.h"
#include "unlha/io/Stream.h"

namespace unlha {

// Encodes all of `in` as one -lh5-/-lh6-/-lh7- stream into `out` and returns
// the stream's length in bytes. Returns nothing, having stopped early, when the
// stream would reach `giveUpAt` bytes (pass the original size: the member is
// then better stored as -lh0-) or would be shorter than 8 bytes (which some
// readers refuse). Memory stays bounded by the window, whatever the input size.
std::optional<std::uint64_t> encodeLh(Method method, ByteSource& in, ByteSink& out,
                                      std::uint64_t giveUpAt);

}  // namespace unlha
