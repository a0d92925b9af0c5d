#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "unlha/Error.h"
#include "unlha/format/Crc16.h"
#include "unlha/format/Header.h"
#include "unlha/format/Timestamps.h"
#include "unlha/io/Memory.h"

namespace {

using unlha::Member;

Member sample(const std::string& path, int level) {
    Member m;
    m.methodId = path.back() == '/' ? "-lhd-" : "-lh7-";
    m.path = path;
    if (!m.isDirectory()) {
        m.packedSize = 1234;
        m.originalSize = 56789;
        m.crc = 0xBEEF;
    }
    m.mtime = 1614834368;  // 2021-03-04 05:06:08 UTC
    m.unixMode = m.isDirectory() ? 040750 : 0100640;
    m.headerLevel = static_cast<std::uint8_t>(level);
    return m;
}

std::optional<unlha::StoredHeader> parse(const std::vector<std::uint8_t>& bytes) {
    unlha::MemorySource in(bytes);
    return unlha::readHeader(in);
}

void expectSameMember(const Member& got, const Member& want) {
    EXPECT_EQ(got.methodId, want.methodId);
    EXPECT_EQ(got.path, want.path);
    EXPECT_EQ(got.packedSize, want.packedSize);
    EXPECT_EQ(got.originalSize, want.originalSize);
    EXPECT_EQ(got.crc, want.crc);
    EXPECT_EQ(got.mtime, want.mtime);
    EXPECT_EQ(got.unixMode, want.unixMode);
    EXPECT_EQ(got.headerLevel, want.headerLevel);
}

const char* const kPaths[] = {
    "a.txt",
    "save data/slot 1.sav",
    "/home/user/.local/share/ゲーム/セーブデータ 01.dat",
    "/top.txt",
    "dir/sub/",
    "/abs/folder/",
    "名前/",
};

TEST(Header, EachLevelRoundTrips) {
    for (int level : {0, 1, 2}) {
        for (const char* path : kPaths) {
            SCOPED_TRACE(std::string("level ") + std::to_string(level) + " " + path);
            Member m = sample(path, level);
            std::vector<std::uint8_t> bytes = unlha::writeHeader(m);
            auto h = parse(bytes);
            ASSERT_TRUE(h);
            expectSameMember(h->member, m);
            EXPECT_EQ(h->bytes, bytes);
            EXPECT_EQ(bytes[20], level);
            if (level > 0) {
                EXPECT_EQ(bytes[19], 0x20);
            }
            if (level == 2) {
                EXPECT_EQ(bytes[23], 'U');
            }
        }
    }
}

TEST(Header, LengthDoesNotDependOnSizesOrCrc) {
    for (int level : {0, 1, 2}) {
        Member m = sample("dir/file.bin", level);
        Member placeholder = m;
        placeholder.packedSize = placeholder.originalSize;
        placeholder.crc = 0;
        EXPECT_EQ(unlha::writeHeader(m).size(), unlha::writeHeader(placeholder).size()) << level;
    }
}

TEST(Header, Level2NeverHasALengthThatIsAMultipleOf256) {
    bool sawAvoidedLength = false;
    for (std::size_t n = 1; n <= 600; ++n) {
        for (const std::string& folder : {std::string(), std::string("dir/"), std::string("日本/")}) {
            Member m = sample(folder + std::string(n, 'x'), 2);
            std::vector<std::uint8_t> bytes = unlha::writeHeader(m);
            ASSERT_NE(bytes.size() % 256, 0u) << n;
            ASSERT_EQ(bytes[0] | bytes[1] << 8, static_cast<int>(bytes.size()));
            if (bytes.size() % 256 == 1) sawAvoidedLength = true;
            auto h = parse(bytes);
            ASSERT_TRUE(h);
            ASSERT_EQ(h->member.path, m.path);
        }
    }
    EXPECT_TRUE(sawAvoidedLength);
}

TEST(Header, Level0PathsUpTo221Bytes) {
    Member m = sample(std::string(200, 'd') + "/" + std::string(20, 'f'), 0);
    std::vector<std::uint8_t> bytes = unlha::writeHeader(m);
    EXPECT_EQ(bytes[21], 221);
    EXPECT_EQ(std::string(bytes.begin() + 22, bytes.begin() + 222).find('/'), std::string::npos);
    m.path += "x";
    EXPECT_THROW(unlha::writeHeader(m), unlha::Error);
    // '\\' is the level-0 separator, so a name holding one cannot be stored.
    EXPECT_THROW(unlha::writeHeader(sample("back\\slash", 0)), unlha::Error);
    EXPECT_EQ(parse(unlha::writeHeader(sample("back\\slash", 2)))->member.path, "back\\slash");
}

TEST(Header, Level1LongNamesMoveToExtendedHeader) {
    Member shortName = sample("d/" + std::string(230, 'n'), 1);
    EXPECT_EQ(unlha::writeHeader(shortName)[21], 230);
    Member longName = sample("d/" + std::string(231, 'n'), 1);
    std::vector<std::uint8_t> bytes = unlha::writeHeader(longName);
    EXPECT_EQ(bytes[21], 0);
    expectSameMember(parse(bytes)->member, longName);
}

TEST(Header, SizesBeyond32BitsNeedLevel2) {
    Member m = sample("big.bin", 2);
    m.originalSize = 5'000'000'000;
    m.packedSize = 4'500'000'000;
    expectSameMember(parse(unlha::writeHeader(m))->member, m);
    for (int level : {0, 1}) {
        m.headerLevel = static_cast<std::uint8_t>(level);
        EXPECT_THROW(unlha::writeHeader(m), unlha::Error) << level;
    }
}

// The level-2 example made by LHa for UNIX: dir/sub/a.txt, "hello world\n" stored.
const std::vector<std::uint8_t> kLhaLevel2 = {
    0x3e, 0x00, '-', 'l', 'h', '0', '-', 0x0c, 0, 0, 0, 0x0c, 0, 0, 0, 0xc0, 0x6a, 0x40, 0x60, 0x20, 0x02,
    0x78, 0x97, 0x55, 0x05, 0x00,
    0x00, 0x88, 0xe7, 0x08, 0x00,
    0x01, 'a', '.', 't', 'x', 't', 0x0b, 0x00,
    0x02, 'd', 'i', 'r', 0xff, 's', 'u', 'b', 0xff, 0x05, 0x00,
    0x50, 0xa4, 0x81, 0x07, 0x00,
    0x51, 0, 0, 0, 0, 0, 0};

TEST(Header, ReadsLhaForUnixLevel2) {
    auto h = parse(kLhaLevel2);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->member.path, "dir/sub/a.txt");
    EXPECT_EQ(h->member.methodId, "-lh0-");
    EXPECT_EQ(h->member.originalSize, 12u);
    EXPECT_EQ(h->member.crc, 0x9778);
    EXPECT_EQ(h->member.mtime, 0x60406AC0);
    EXPECT_EQ(h->member.unixMode, 0100644);
    EXPECT_EQ(h->member.os, 'U');
    EXPECT_EQ(h->bytes.size(), 62u);
}

TEST(Header, EndMarkerAndEndOfInputMeanNoMoreMembers) {
    EXPECT_FALSE(parse({}));
    EXPECT_FALSE(parse({0x00, 0x12, 0x34}));
}

TEST(Header, DosTimeIsLocalTime) {
    const char* old = std::getenv("TZ");
    std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(unlha::toDosTime(0x60406AC0), 0x526428C4u);
    EXPECT_EQ(unlha::fromDosTime(0x526428C4u), 0x60406AC0);
    EXPECT_EQ(unlha::fromDosTime(unlha::toDosTime(0x60406AC1)), 0x60406AC0);  // 2-second steps
    EXPECT_EQ(unlha::toDosTime(0), 0x00210000u);                              // clamped to 1980-01-01
    setenv("TZ", "JST-9", 1);
    tzset();
    EXPECT_EQ(unlha::toDosTime(0x60406AC0), 0x526470C4u);  // 14:06:08 in Tokyo
    if (old) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

// Restores the level-0/1 checksum and the header CRC after a deliberate change,
// so that the check under test is the one that fires.
void fixChecks(std::vector<std::uint8_t>& h) {
    int level = h[20];
    if (level < 2) {
        unsigned sum = 0;
        for (std::size_t i = 2; i < h[0] + 2u && i < h.size(); ++i) sum += h[i];
        h[1] = static_cast<std::uint8_t>(sum);
    }
    if (level == 0) return;
    std::size_t at = level == 1 ? h[0] + 2u : 26;
    std::size_t size = level == 1 ? (h[h[0]] | h[h[0] + 1] << 8) : (h[24] | h[25] << 8);
    while (size >= 3 && at + size <= h.size()) {
        if (h[at] == 0x00) {
            h[at + 1] = h[at + 2] = 0;
            std::uint16_t crc = unlha::crc16(h.data(), h.size());
            h[at + 1] = static_cast<std::uint8_t>(crc);
            h[at + 2] = static_cast<std::uint8_t>(crc >> 8);
            return;
        }
        std::size_t next = h[at + size - 2] | h[at + size - 1] << 8;
        at += size;
        size = next;
    }
}

TEST(Header, DamagedHeadersAreFormatErrors) {
    struct Case {
        int level;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        bool fix;
        const char* expected;  // part of the message
    };
    const Case cases[] = {
        {0, [](auto& h) { h[1] ^= 1; }, false, "checksum"},
        {0, [](auto& h) { h[21] = 250; }, true, "too short for its path"},
        {1, [](auto& h) { h[5] ^= 1; }, false, "checksum"},
        {1, [](auto& h) { h[7] = 1, h[8] = h[9] = h[10] = 0; }, true, "skip size"},
        {1, [](auto& h) { h[h.size() - 9] ^= 1; }, false, "header CRC"},
        {2, [](auto& h) { h[40] ^= 1; }, false, "header CRC"},
        {2, [](auto& h) { h[0] = 25, h[1] = 0; }, false, "too short"},
        {2, [](auto& h) { h[0] = 0xFF, h[1] = 0x0F; }, false, "ends inside a header"},
        {2, [](auto& h) { h[24] = 2, h[25] = 0; }, true, "extended header too short"},
        {2, [](auto& h) { h[24] = 0xF0, h[25] = 0; }, true, "runs past the header"},
        // The 0x01 record (at 31, "file.name") emptied.
        {2, [](auto& h) { h.erase(h.begin() + 32, h.begin() + 41), h[29] = 3, h[0] -= 9; }, true, "without a file name"},
        {2, [](auto& h) { h[33] = 0; }, true, "NUL byte"},
        {2, [](auto& h) { h[20] = 4; }, false, "unknown header level"},
        {2, [](auto& h) { h[2] = 'x'; }, false, "not an LZH member header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        std::vector<std::uint8_t> h = unlha::writeHeader(sample("folder/file.name", c.level));
        c.damage(h);
        if (c.fix) fixChecks(h);
        try {
            parse(h);
            ADD_FAILURE() << "accepted";
        } catch (const unlha::FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
    }
}

TEST(Header, TruncatedHeadersAreFormatErrors) {
    for (int level : {0, 1, 2}) {
        std::vector<std::uint8_t> h = unlha::writeHeader(sample("folder/file.name", level));
        for (std::size_t n = 1; n < h.size(); ++n) {
            std::vector<std::uint8_t> cut(h.begin(), h.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_THROW(parse(cut), unlha::FormatError) << "level " << level << ", " << n << " bytes";
        }
    }
}

}  // namespace
