#include "unlha/Error.h"
#include "unlha/format/HeaderLevels.h"
#include "unlha/format/MemberPath.h"
#include "unlha/format/Timestamps.h"

namespace unlha::headers {

namespace {
constexpr std::size_t kMaxBaseName = 230;  // keeps H within one byte
}  // namespace

// Level 1
//
//  offset  size  field
//  0       1     H: bytes after offset 1 up to and including the first
//                extended header size (base header = H + 2)
//  1       1     checksum: sum of bytes 2 .. H+1, mod 256 (not the extended headers)
//  2       5     method id
//  7       4     skip size: extended headers (E bytes) + packed data
//  11      4     original size
//  15      4     MS-DOS time and date, local time
//  19      1     0x20
//  20      1     header level 1
//  21      1     N: file name length (may be 0, the name then in 0x01)
//  22      N     file name
//  22+N    2     CRC-16 of the original data
//  24+N    1     OS id
//  25+N    H-25-N  old extra bytes, ignored
//  H       2     size of the first extended header (0: none)
//  H+2     E     extended headers: type(1) body size of next(2)
//  H+2+E         data (skip size - E bytes)
void readLevel1(HeaderBytes& h, Member& m) {
    const DosBaseFields b = readLevel0Or1(h, m, 25, "level-1 header too short for its name");
    const std::size_t headerSize = b.headerSize;
    const std::size_t n = b.nameLength;
    m.os = h.u8(24 + n);
    ExtendedFields f;
    std::size_t end = readExtendedHeaders(h, headerSize + 2, h.u16(headerSize), 2, std::nullopt, f);
    std::size_t extended = end - (headerSize + 2);
    if (b.size1 < extended) throw FormatError("level-1 skip size smaller than its extended headers");
    m.packedSize = b.size1 - extended;
    verifyHeaderCrc(h.bytes(), f);
    applyExtended(m, f, pathFromLevel0(h.text(22, n)));
}

// Writes the layout above with OS 'U'. The name goes in the base header when
// it is short and holds no byte a reader would take as a separator, else in
// 0x01. Extended headers: [0x01], [0x02 folder], 0x50 mode, 0x54 UTC mtime,
// 0x00 header CRC.
std::vector<std::uint8_t> writeLevel1(const Member& m) {
    SplitPath split = splitMemberPath(m.path, m.isDirectory());
    bool nameInBase = split.name.size() <= kMaxBaseName && split.name.find('\\') == std::string::npos;
    std::string baseName = nameInBase ? split.name : std::string();

    ExtendedHeaderChain chain;
    if (!nameInBase) chain.add(0x01, split.name);
    if (!split.folder.empty()) chain.add(0x02, folderToField(split.folder));
    chain.add(0x50, le16(modeFor(m)));
    chain.add(0x54, le32(static_cast<std::uint32_t>(m.mtime)));
    chain.add(0x00, le16(0));

    std::uint64_t skip = chain.size() + m.packedSize;
    if (skip > 0xFFFFFFFFu || m.originalSize > 0xFFFFFFFFu) throw Error("member too large for a level-1 header: " + m.path);
    HeaderBuilder out;
    out.u8(static_cast<std::uint8_t>(25 + baseName.size()));
    out.u8(0);
    writeCommon(out, m, static_cast<std::uint32_t>(skip), toDosTime(m.mtime));
    out.u8(kReservedByte);
    out.u8(1);
    out.u8(static_cast<std::uint8_t>(baseName.size()));
    out.text(baseName);
    out.u16(m.crc);
    out.u8(kOsUnix);
    out.u16(chain.firstSize());
    out.bytes()[1] = headerChecksum(out.bytes(), out.bytes()[0]);
    std::size_t crcAt = *chain.appendTo(out);
    storeHeaderCrc(out.bytes(), crcAt);
    return std::move(out.bytes());
}

}  // namespace unlha::headers
