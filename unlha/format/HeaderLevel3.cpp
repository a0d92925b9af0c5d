#include "unlha/Error.h"
#include "unlha/format/HeaderLevels.h"

namespace unlha::headers {

namespace {
constexpr std::size_t kBaseSize = 32;
}  // namespace

// Level 3 (read only; written by LHA for OS/2)
//
//  offset  size  field
//  0       2     width of the extended header size fields, always 4
//  2       5     method id
//  7       4     packed size
//  11      4     original size
//  15      4     modification time, Unix seconds UTC
//  19      1     0x20
//  20      1     header level 3
//  21      2     CRC-16 of the original data
//  23      1     OS id
//  24      4     total header length
//  28      4     size of the first extended header
//  32      ...   extended headers: type(1) body size of next(4)
//  total         data
void readLevel3(HeaderBytes& h, Member& m) {
    if (h.u16(0) != 4) throw FormatError("level-3 header with a size width other than 4");
    h.need(kBaseSize);
    std::uint32_t total = h.u32(24);
    if (total < kBaseSize) throw FormatError("level-3 header too short");
    if (total > HeaderBytes::kMaxHeader) throw FormatError("header is too large");
    h.need(total);
    readLevel2Or3(h, m, kBaseSize, h.u32(28), 4, total);
}

}  // namespace unlha::headers
