#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "unlha/format/HeaderBytes.h"

namespace unlha {

// What the extended headers of one member say. Unknown types are skipped.
struct ExtendedFields {
    std::optional<std::size_t> headerCrcAt;  // offset of the 0x00 record's CRC in the header
    std::optional<std::string> name;         // 0x01
    std::optional<std::string> folder;       // 0x02, raw (0xFF separators)
    std::optional<std::uint8_t> dosAttribute;       // 0x40
    std::optional<std::int64_t> windowsWriteTime;   // 0x41, as Unix time
    std::optional<std::uint64_t> packedSize64;      // 0x42
    std::optional<std::uint64_t> originalSize64;    // 0x42
    std::optional<std::uint32_t> codePage;          // 0x46
    std::optional<std::uint16_t> unixMode;          // 0x50
    std::optional<std::uint16_t> unixGid, unixUid;  // 0x51
    std::optional<std::int64_t> unixTime;           // 0x54
};

// Reads the chain whose first record, `firstSize` bytes long, begins at
// `offset`. Each record is type, body, and the size of the next record in
// `sizeWidth` (2 or 4) bytes; size 0 ends the chain. With `end`, records must
// lie before it (levels 2, 3); without, they are pulled from the archive as
// the chain goes (level 1). Returns the offset just past the chain.
std::size_t readExtendedHeaders(HeaderBytes& header, std::size_t offset, std::uint64_t firstSize,
                                int sizeWidth, std::optional<std::size_t> end, ExtendedFields& fields);

// FormatError unless the CRC-16 of the whole header, with the 0x00 record's
// CRC bytes taken as zero, matches them. Does nothing without a 0x00 record.
void verifyHeaderCrc(const std::vector<std::uint8_t>& header, const ExtendedFields& fields);

// Builds a chain of level-1/2 records (2-byte sizes).
class ExtendedHeaderChain {
public:
    void add(std::uint8_t type, const std::string& body);
    // The size of the first record, stored in the base header (0 if none).
    std::uint16_t firstSize() const;
    // Appends the records; returns the offset in `out` of the 0x00 record's
    // CRC field, if a 0x00 record was added.
    std::optional<std::size_t> appendTo(HeaderBuilder& out) const;
    std::size_t size() const;

private:
    std::vector<std::pair<std::uint8_t, std::string>> records_;
};

// Little-endian bytes for record bodies.
std::string le16(std::uint16_t v);
std::string le32(std::uint32_t v);
std::string le64(std::uint64_t v);

// Computes the header CRC over `header` and stores it at `crcAt`.
void storeHeaderCrc(std::vector<std::uint8_t>& header, std::size_t crcAt);

}  // namespace unlha
