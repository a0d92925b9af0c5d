#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unlha/Error.h"
#include "unlha/format/Crc16.h"
#include "unlha/format/ExtendedHeaders.h"
#include "unlha/format/Header.h"
#include "unlha/io/Memory.h"

namespace {

using unlha::le16;
using unlha::le32;
using unlha::le64;

TEST(ExtendedHeaders, ReadsEveryKnownType) {
    unlha::ExtendedHeaderChain chain;
    chain.add(0x00, le16(0x1234) + "\x0F");
    chain.add(0x01, "name.txt");
    chain.add(0x02, "a\xFF" "b\xFF");
    chain.add(0x3F, "a comment nobody reads");
    chain.add(0x40, le16(0x21));
    // 2021-03-04 05:06:08 UTC as FILETIME, for creation, last write, access.
    const std::uint64_t fileTime = (1614834368ull + 11644473600ull) * 10000000ull;
    chain.add(0x41, le64(1) + le64(fileTime) + le64(2));
    chain.add(0x42, le64(5'000'000'000ull) + le64(6'000'000'000ull));
    chain.add(0x46, le32(932));
    chain.add(0x50, le16(0100755));
    chain.add(0x51, le16(100) + le16(1000));
    chain.add(0x54, le32(1700000000));
    unlha::HeaderBuilder out;
    out.u16(0);  // two bytes standing for a base header
    auto crcAt = chain.appendTo(out);
    EXPECT_EQ(crcAt, 3u);

    unlha::MemorySource in(out.bytes());
    unlha::HeaderBytes h(in);
    h.need(out.size());
    unlha::ExtendedFields f;
    EXPECT_EQ(unlha::readExtendedHeaders(h, 2, chain.firstSize(), 2, out.size(), f), out.size());
    EXPECT_EQ(f.headerCrcAt, 3u);
    EXPECT_EQ(f.name, "name.txt");
    EXPECT_EQ(f.folder, "a\xFF" "b\xFF");
    EXPECT_EQ(f.dosAttribute, 0x21);
    EXPECT_EQ(f.windowsWriteTime, 1614834368);
    EXPECT_EQ(f.packedSize64, 5'000'000'000ull);
    EXPECT_EQ(f.originalSize64, 6'000'000'000ull);
    EXPECT_EQ(f.codePage, 932u);
    EXPECT_EQ(f.unixMode, 0100755);
    EXPECT_EQ(f.unixGid, 100);
    EXPECT_EQ(f.unixUid, 1000);
    EXPECT_EQ(f.unixTime, 1700000000);
}

TEST(ExtendedHeaders, ShortBodiesAreFormatErrors) {
    for (std::uint8_t type : {0x00, 0x40, 0x41, 0x42, 0x46, 0x50, 0x51, 0x54}) {
        unlha::ExtendedHeaderChain chain;
        chain.add(type, "x");
        unlha::HeaderBuilder out;
        chain.appendTo(out);
        unlha::MemorySource in(out.bytes());
        unlha::HeaderBytes h(in);
        h.need(out.size());
        unlha::ExtendedFields f;
        EXPECT_THROW(unlha::readExtendedHeaders(h, 0, chain.firstSize(), 2, out.size(), f), unlha::FormatError)
            << int(type);
    }
}

// A level-3 header as LHA for OS/2 writes it: 4-byte sizes, CRC and name records.
TEST(ExtendedHeaders, Level3HeadersAreRead) {
    std::vector<std::uint8_t> bytes = {
        4, 0, '-', 'l', 'h', '0', '-',
        5, 0, 0, 0,                  // packed size
        5, 0, 0, 0,                  // original size
        0xc0, 0x6a, 0x40, 0x60,      // 2021-03-04 05:06:08 UTC
        0x20, 3, 0x12, 0x34, '2',    // reserved, level, data CRC, OS/2
        52, 0, 0, 0,                 // total header length
        7, 0, 0, 0,                  // first extended header size
        0x00, 0, 0, 13, 0, 0, 0,     // header CRC; next 13
        0x01, 'f', 'i', 'l', 'e', '.', 't', 'x', 't', 0, 0, 0, 0};
    std::uint16_t crc = unlha::crc16(bytes.data(), bytes.size());
    bytes[33] = static_cast<std::uint8_t>(crc);
    bytes[34] = static_cast<std::uint8_t>(crc >> 8);

    unlha::MemorySource in(bytes);
    auto h = unlha::readHeader(in);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->member.path, "file.txt");
    EXPECT_EQ(h->member.headerLevel, 3);
    EXPECT_EQ(h->member.crc, 0x3412);
    EXPECT_EQ(h->member.mtime, 0x60406AC0);
    EXPECT_EQ(h->member.os, '2');
    EXPECT_EQ(h->bytes.size(), 52u);

    bytes[40] ^= 1;
    unlha::MemorySource damaged(bytes);
    EXPECT_THROW(unlha::readHeader(damaged), unlha::FormatError);
}

}  // namespace
