#include "unlha/format/ExtendedHeaders.h"

#include "unlha/Error.h"
#include "unlha/format/Crc16.h"
#include "unlha/format/Timestamps.h"

namespace unlha {

namespace {

constexpr std::size_t kMaxRecords = 4096;

void readRecord(const HeaderBytes& h, std::size_t at, std::size_t bodySize, ExtendedFields& f) {
    std::uint8_t type = h.u8(at);
    std::size_t body = at + 1;
    auto needBody = [&](std::size_t n) {
        if (bodySize < n) throw FormatError("extended header too short");
    };
    switch (type) {
    case 0x00:
        needBody(2);
        f.headerCrcAt = body;
        break;
    case 0x01: f.name = h.text(body, bodySize); break;
    case 0x02: f.folder = h.text(body, bodySize); break;
    case 0x40:
        needBody(2);
        f.dosAttribute = h.u8(body);
        break;
    case 0x41:
        needBody(24);
        f.windowsWriteTime = fromFileTime(h.u64(body + 8));
        break;
    case 0x42:
        needBody(16);
        f.packedSize64 = h.u64(body);
        f.originalSize64 = h.u64(body + 8);
        break;
    case 0x46:
        needBody(4);
        f.codePage = h.u32(body);
        break;
    case 0x50:
        needBody(2);
        f.unixMode = h.u16(body);
        break;
    case 0x51:
        needBody(4);
        f.unixGid = h.u16(body);
        f.unixUid = h.u16(body + 2);
        break;
    case 0x54:
        needBody(4);
        f.unixTime = h.u32(body);
        break;
    default: break;
    }
}

}  // namespace

std::size_t readExtendedHeaders(HeaderBytes& h, std::size_t offset, std::uint64_t firstSize, int sizeWidth,
                                std::optional<std::size_t> end, ExtendedFields& fields) {
    std::uint64_t size = firstSize;
    std::size_t records = 0;
    const auto width = static_cast<std::size_t>(sizeWidth);
    while (size != 0) {
        if (++records > kMaxRecords) throw FormatError("too many extended headers");
        if (size <= width) throw FormatError("extended header too short");
        if (size > HeaderBytes::kMaxHeader || offset + size > HeaderBytes::kMaxHeader) {
            throw FormatError("header is too large");
        }
        const auto recordSize = static_cast<std::size_t>(size);
        if (end) {
            if (offset + recordSize > *end) throw FormatError("extended header runs past the header");
        } else {
            h.need(offset + recordSize);
        }
        readRecord(h, offset, recordSize - 1 - width, fields);
        std::size_t next = offset + recordSize - width;
        size = width == 2 ? h.u16(next) : h.u32(next);
        offset += recordSize;
    }
    return offset;
}

void verifyHeaderCrc(const std::vector<std::uint8_t>& header, const ExtendedFields& fields) {
    if (!fields.headerCrcAt) return;
    std::size_t at = *fields.headerCrcAt;
    std::uint16_t stored = static_cast<std::uint16_t>(header[at] | header[at + 1] << 8);
    std::uint16_t crc = crc16(header.data(), at);
    const std::uint8_t zeros[2] = {0, 0};
    crc = crc16(zeros, 2, crc);
    crc = crc16(header.data() + at + 2, header.size() - at - 2, crc);
    if (crc != stored) throw FormatError("header CRC mismatch");
}

void ExtendedHeaderChain::add(std::uint8_t type, const std::string& body) {
    if (body.size() + 3 > 0xFFFF) throw Error("extended header too long");
    records_.emplace_back(type, body);
}

std::uint16_t ExtendedHeaderChain::firstSize() const {
    return records_.empty() ? 0 : static_cast<std::uint16_t>(records_.front().second.size() + 3);
}

std::size_t ExtendedHeaderChain::size() const {
    std::size_t total = 0;
    for (const auto& r : records_) total += r.second.size() + 3;
    return total;
}

std::optional<std::size_t> ExtendedHeaderChain::appendTo(HeaderBuilder& out) const {
    std::optional<std::size_t> crcAt;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const auto& [type, body] = records_[i];
        out.u8(type);
        if (type == 0x00) crcAt = out.size();
        out.text(body);
        out.u16(i + 1 < records_.size() ? static_cast<std::uint16_t>(records_[i + 1].second.size() + 3) : 0);
    }
    return crcAt;
}

std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(std::uint32_t v) {
    return le16(static_cast<std::uint16_t>(v)) + le16(static_cast<std::uint16_t>(v >> 16));
}

std::string le64(std::uint64_t v) {
    return le32(static_cast<std::uint32_t>(v)) + le32(static_cast<std::uint32_t>(v >> 32));
}

void storeHeaderCrc(std::vector<std::uint8_t>& header, std::size_t crcAt) {
    header[crcAt] = header[crcAt + 1] = 0;
    std::uint16_t crc = crc16(header.data(), header.size());
    header[crcAt] = static_cast<std::uint8_t>(crc);
    header[crcAt + 1] = static_cast<std::uint8_t>(crc >> 8);
}

}  // namespace unlha
