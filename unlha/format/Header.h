#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "unlha/format/Archive.h"
#include "unlha/io/Stream.h"

namespace unlha {

// One member header: what it says, and its bytes exactly as stored.
struct StoredHeader {
    Member member;
    std::vector<std::uint8_t> bytes;
};

// Reads the header that starts at the current position of `in`. Nothing at
// the end marker (a 0x00 byte) or at the end of the input. FormatError on a
// damaged or truncated header, a bad checksum or a bad header CRC.
std::optional<StoredHeader> readHeader(ByteSource& in);

// The header for `m` at m.headerLevel (0, 1 or 2), OS 'U'. Its length does not
// depend on the sizes or the CRC, so a placeholder can be rewritten in place.
// Error when the path or the sizes cannot be stored at that level.
std::vector<std::uint8_t> writeHeader(const Member& m);

}  // namespace unlha
