#include <gtest/gtest.h>

#include <string>

#include "tests/unlha/support/TempFolder.h"
#include "unlha/format/Crc16.h"

namespace {

std::uint16_t crcOf(const std::string& s) {
    return unlha::crc16(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

std::uint16_t bitwiseCrc(const std::vector<std::uint8_t>& data) {
    std::uint16_t crc = 0;
    for (std::uint8_t b : data) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

TEST(Crc16, CheckValues) {
    EXPECT_EQ(crcOf("123456789"), 0xBB3D);
    EXPECT_EQ(crcOf("hello world\n"), 0x9778);
    EXPECT_EQ(crcOf("abcabcabcabc"), 0x44DD);
    EXPECT_EQ(crcOf(""), 0);
}

TEST(Crc16, PiecesGiveTheSameAsTheWhole) {
    auto data = randomBytes(1000, 3);
    for (std::size_t cut : {0u, 1u, 7u, 8u, 9u, 500u, 999u, 1000u}) {
        std::uint16_t crc = unlha::crc16(data.data(), cut);
        crc = unlha::crc16(data.data() + cut, data.size() - cut, crc);
        EXPECT_EQ(crc, bitwiseCrc(data)) << "cut at " << cut;
    }
}

}  // namespace
