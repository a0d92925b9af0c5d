#pragma once
#include <cstdint>

#include "unlha/codec/Method.h"
#include "unlha/io/Stream.h"

namespace unlha {

// Decodes one -lh5-/-lh6-/-lh7- member. `packed` yields exactly the member's
// packed bytes (packedSize of them); exactly originalSize bytes go to `out`.
// Throws FormatError on a corrupt or truncated stream; never reads past
// packedSize and never writes more than originalSize bytes.
void decodeLh(Method method, ByteSource& packed, std::uint64_t packedSize, ByteSink& out,
              std::uint64_t originalSize);

}  // namespace unlha
