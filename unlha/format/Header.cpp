#include "unlha/format/Header.h"

#include "unlha/Error.h"
#include "unlha/format/HeaderLevels.h"
#include "unlha/format/MemberPath.h"
#include "unlha/format/Timestamps.h"

namespace unlha {

namespace headers {

CommonFields readCommon(const HeaderBytes& h) {
    CommonFields c;
    c.methodId = h.text(2, 5);
    c.size1 = h.u32(7);
    c.originalSize = h.u32(11);
    c.time = h.u32(15);
    return c;
}

void writeCommon(HeaderBuilder& out, const Member& m, std::uint32_t size1, std::uint32_t time) {
    if (m.methodId.size() != 5) throw Error("invalid method id \"" + m.methodId + "\"");
    out.text(m.methodId);
    out.u32(size1);
    out.u32(static_cast<std::uint32_t>(m.originalSize));
    out.u32(time);
}

std::uint8_t headerChecksum(const std::vector<std::uint8_t>& bytes, std::size_t headerSize) {
    unsigned sum = 0;
    for (std::size_t i = 2; i < headerSize + 2; ++i) sum += bytes[i];
    return static_cast<std::uint8_t>(sum);
}

DosBaseFields readLevel0Or1(HeaderBytes& h, Member& m, std::size_t fixedAfterName, const char* tooShort) {
    DosBaseFields b{h.u8(0), 0, 0};
    h.need(b.headerSize + 2);
    b.nameLength = h.u8(21);
    if (b.headerSize < fixedAfterName + b.nameLength) throw FormatError(tooShort);
    if (headerChecksum(h.bytes(), b.headerSize) != h.u8(1)) throw FormatError("header checksum mismatch");
    CommonFields c = readCommon(h);
    m.methodId = c.methodId;
    m.originalSize = c.originalSize;
    m.mtime = fromDosTime(c.time);
    m.crc = h.u16(22 + b.nameLength);
    b.size1 = c.size1;
    return b;
}

void applyExtended(Member& m, const ExtendedFields& f, const std::string& baseName) {
    std::string folder = f.folder ? folderFromField(*f.folder) : std::string();
    m.path = folder + (f.name ? *f.name : baseName);
    // No file system name can hold a NUL; one would cut the path short.
    if (m.path.find('\0') != std::string::npos) throw FormatError("member path holds a NUL byte");
    if (m.isDirectory()) {
        if (m.path.empty()) throw FormatError("folder entry without a path");
        if (m.path.back() != '/') m.path.push_back('/');
    } else if (m.path.empty() || m.path.back() == '/') {
        throw FormatError("member without a file name");
    }
    if (f.windowsWriteTime && m.headerLevel < 2) m.mtime = *f.windowsWriteTime;
    if (f.unixTime) m.mtime = *f.unixTime;
    if (f.unixMode) m.unixMode = *f.unixMode;
}

void readLevel2Or3(HeaderBytes& h, Member& m, std::size_t baseSize, std::uint64_t firstExtendedSize,
                   int sizeWidth, std::size_t total) {
    CommonFields c = readCommon(h);
    m.methodId = c.methodId;
    m.packedSize = c.size1;
    m.originalSize = c.originalSize;
    m.mtime = c.time;
    m.crc = h.u16(21);
    m.os = h.u8(23);
    ExtendedFields f;
    readExtendedHeaders(h, baseSize, firstExtendedSize, sizeWidth, total, f);
    if (f.packedSize64) m.packedSize = *f.packedSize64;
    if (f.originalSize64) m.originalSize = *f.originalSize64;
    verifyHeaderCrc(h.bytes(), f);
    applyExtended(m, f, std::string());
}

std::uint16_t modeFor(const Member& m) {
    if (m.unixMode) return *m.unixMode;
    return m.isDirectory() ? 040755 : 0100644;
}

}  // namespace headers

std::optional<StoredHeader> readHeader(ByteSource& in) {
    std::uint8_t first = 0;
    if (in.read(&first, 1) == 0 || first == 0) return std::nullopt;

    // HeaderBytes pulls from `in`; the byte already read goes in front.
    struct Prefixed : ByteSource {
        ByteSource& rest;
        std::uint8_t byte;
        bool given = false;
        Prefixed(ByteSource& r, std::uint8_t b) : rest(r), byte(b) {}
        std::size_t read(std::uint8_t* buffer, std::size_t n) override {
            if (n == 0) return 0;
            if (!given) {
                given = true;
                buffer[0] = byte;
                return 1 + rest.read(buffer + 1, n - 1);
            }
            return rest.read(buffer, n);
        }
    } source(in, first);

    HeaderBytes h(source);
    h.need(headers::kCommonSize);
    if (h.u8(2) != '-' || h.u8(6) != '-') throw FormatError("not an LZH member header");
    StoredHeader stored;
    Member& m = stored.member;
    m.headerLevel = h.u8(20);
    switch (m.headerLevel) {
    case 0: headers::readLevel0(h, m); break;
    case 1: headers::readLevel1(h, m); break;
    case 2: headers::readLevel2(h, m); break;
    case 3: headers::readLevel3(h, m); break;
    default: throw FormatError("unknown header level " + std::to_string(m.headerLevel));
    }
    stored.bytes = h.bytes();
    return stored;
}

std::vector<std::uint8_t> writeHeader(const Member& m) {
    switch (m.headerLevel) {
    case 0: return headers::writeLevel0(m);
    case 1: return headers::writeLevel1(m);
    case 2: return headers::writeLevel2(m);
    default: throw Error("cannot write header level " + std::to_string(m.headerLevel));
    }
}

}  // namespace unlha
