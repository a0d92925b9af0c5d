#include <algorithm>

#include "unlha/Error.h"
#include "unlha/format/HeaderLevels.h"
#include "unlha/format/MemberPath.h"

namespace unlha::headers {

namespace {
constexpr std::size_t kBaseSize = 26;
constexpr std::size_t kMaxHeader = 0xFFFF;
constexpr std::uint32_t kCodePageUtf8 = 65001;
}  // namespace

// Level 2
//
//  offset  size  field
//  0       2     T: total header length (base + extended headers + padding)
//  2       5     method id
//  7       4     packed size (data only)
//  11      4     original size
//  15      4     modification time, Unix seconds UTC
//  19      1     0x20
//  20      1     header level 2
//  21      2     CRC-16 of the original data
//  23      1     OS id
//  24      2     size of the first extended header
//  26      ...   extended headers: type(1) body size of next(2), last next = 0
//  T-1     0/1   optional padding byte
//  T             data
void readLevel2(HeaderBytes& h, Member& m) {
    std::size_t total = h.u16(0);
    if (total < kBaseSize) throw FormatError("level-2 header too short");
    h.need(total);
    readLevel2Or3(h, m, kBaseSize, h.u16(24), 2, total);
}

// Writes the layout above with OS 'U' and the extended headers 0x00 (header
// CRC), 0x01 (name; empty for a folder), 0x02 (folder, when there is one),
// 0x50 (mode), 0x46 (code page 65001) when the path is not plain ASCII, so
// that readers which honour it (libarchive) know the names are UTF-8, and 0x42
// for sizes beyond 32 bits. A length that is a multiple
// of 256 would start with a 0x00 byte, which readers take for the end of the
// archive; such a header gets the 6-byte form of 0x00 instead of padding.
std::vector<std::uint8_t> writeLevel2(const Member& m) {
    SplitPath split = splitMemberPath(m.path, m.isDirectory());
    bool large = m.originalSize > 0xFFFFFFFFu || m.packedSize > 0xFFFFFFFFu;
    bool ascii = std::all_of(m.path.begin(), m.path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });

    auto build = [&](bool longCrcRecord) {
        ExtendedHeaderChain chain;
        chain.add(0x00, longCrcRecord ? std::string(3, '\0') : le16(0));
        if (!ascii) chain.add(0x46, le32(kCodePageUtf8));
        chain.add(0x01, split.name);
        if (!split.folder.empty()) chain.add(0x02, folderToField(split.folder));
        chain.add(0x50, le16(modeFor(m)));
        if (large) chain.add(0x42, le64(m.packedSize) + le64(m.originalSize));
        return chain;
    };
    ExtendedHeaderChain chain = build(false);
    if ((kBaseSize + chain.size()) % 256 == 0) chain = build(true);
    std::size_t total = kBaseSize + chain.size();
    if (total > kMaxHeader) throw Error("header too long for " + m.path);

    HeaderBuilder out;
    out.u16(static_cast<std::uint16_t>(total));
    writeCommon(out, m, static_cast<std::uint32_t>(m.packedSize), static_cast<std::uint32_t>(m.mtime));
    out.u8(kReservedByte);
    out.u8(2);
    out.u16(m.crc);
    out.u8(kOsUnix);
    out.u16(chain.firstSize());
    std::size_t crcAt = *chain.appendTo(out);
    storeHeaderCrc(out.bytes(), crcAt);
    return std::move(out.bytes());
}

}  // namespace unlha::headers
