#include "unlha/Error.h"
#include "unlha/format/HeaderLevels.h"
#include "unlha/format/MemberPath.h"
#include "unlha/format/Timestamps.h"

namespace unlha::headers {

namespace {
constexpr std::size_t kUnixAreaSize = 12;
constexpr std::size_t kMaxPath = 221;  // the most libarchive accepts
constexpr std::uint8_t kAttrArchive = 0x20;
constexpr std::uint8_t kAttrFolder = 0x10;
}  // namespace

// Level 0
//
//  offset  size  field
//  0       1     H: header bytes after offset 1 (whole header = H + 2)
//  1       1     checksum: sum of bytes 2 .. H+1, mod 256
//  2       5     method id "-lh?-"
//  7       4     packed size
//  11      4     original size
//  15      4     MS-DOS time (2) and date (2), local time
//  19      1     MS-DOS attribute
//  20      1     header level 0
//  21      1     N: path length
//  22      N     path, '\' separated (0xFF accepted)
//  22+N    2     CRC-16 of the original data
//  24+N    H-22-N  extension area; 12 bytes 'U' 0x00 mtime(4) mode(2) uid(2) gid(2)
//                  carry Unix information, anything else is ignored
//  H+2           data
void readLevel0(HeaderBytes& h, Member& m) {
    const DosBaseFields b = readLevel0Or1(h, m, 22, "level-0 header too short for its path");
    const std::size_t headerSize = b.headerSize;
    const std::size_t n = b.nameLength;
    m.packedSize = b.size1;
    m.os = 0;
    std::size_t area = 24 + n;
    ExtendedFields f;
    if (headerSize + 2 - area == kUnixAreaSize && h.u8(area) == 'U') {
        f.unixTime = h.u32(area + 2);
        f.unixMode = h.u16(area + 6);
    }
    applyExtended(m, f, pathFromLevel0(h.text(22, n)));
}

// Writes the layout above: attribute 0x20 (0x10 for a folder), the path with
// '\' separators (a folder's ends in '\'), and the 12-byte Unix area.
std::vector<std::uint8_t> writeLevel0(const Member& m) {
    splitMemberPath(m.path, m.isDirectory());
    if (m.path.find('\\') != std::string::npos) throw Error("a level-0 header cannot store '\\' in a name: " + m.path);
    std::string path = pathToLevel0(m.path);
    if (path.size() > kMaxPath) throw Error("path too long for a level-0 header: " + m.path);
    if (m.originalSize > 0xFFFFFFFFu || m.packedSize > 0xFFFFFFFFu) throw Error("member too large for a level-0 header: " + m.path);
    HeaderBuilder out;
    out.u8(static_cast<std::uint8_t>(22 + path.size() + kUnixAreaSize));
    out.u8(0);
    writeCommon(out, m, static_cast<std::uint32_t>(m.packedSize), toDosTime(m.mtime));
    out.u8(m.isDirectory() ? kAttrFolder : kAttrArchive);
    out.u8(0);
    out.u8(static_cast<std::uint8_t>(path.size()));
    out.text(path);
    out.u16(m.crc);
    out.u8('U');
    out.u8(0);
    out.u32(static_cast<std::uint32_t>(m.mtime));
    out.u16(modeFor(m));
    out.u16(0);
    out.u16(0);
    out.bytes()[1] = headerChecksum(out.bytes(), out.bytes()[0]);
    return std::move(out.bytes());
}

}  // namespace unlha::headers
