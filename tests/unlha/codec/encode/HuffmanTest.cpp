#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "unlha/codec/encode/Huffman.h"

namespace unlha::encode {
namespace {

std::uint64_t kraftSum(const std::vector<std::uint8_t>& lengths)
{
    std::uint64_t sum = 0;
    for (int len : lengths)
        if (len) sum += std::uint64_t{1} << (kMaxCodeLength - len);
    return sum;
}

// Fibonacci frequencies push an unlimited Huffman code far past 16 bits.
TEST(Huffman, LimitedLengthsStayCompleteForSkewedFrequencies)
{
    for (int symbols : {2, 3, 17, 30, 40}) {
        std::vector<std::uint32_t> freq(static_cast<std::size_t>(symbols));
        std::uint32_t a = 1, b = 1;
        for (auto& f : freq) {
            f = a;
            const std::uint32_t next = a + b;
            a = b;
            b = next;
        }
        std::vector<std::uint8_t> lengths(freq.size());
        ASSERT_EQ(buildCodeLengths(freq.data(), symbols, lengths.data()), symbols);
        EXPECT_EQ(kraftSum(lengths), std::uint64_t{1} << kMaxCodeLength) << symbols << " symbols";
        for (int len : lengths) {
            EXPECT_GE(len, 1);
            EXPECT_LE(len, kMaxCodeLength);
        }
    }
}

TEST(Huffman, UnusedSymbolsGetNoCodeAndOneSymbolGetsNone)
{
    std::vector<std::uint32_t> freq = {0, 5, 0, 0, 9, 1, 0};
    std::vector<std::uint8_t> lengths(freq.size());
    EXPECT_EQ(buildCodeLengths(freq.data(), 7, lengths.data()), 3);
    EXPECT_EQ(lengths, (std::vector<std::uint8_t>{0, 2, 0, 0, 1, 2, 0}));

    freq = {0, 0, 4};
    lengths.assign(3, 9);
    EXPECT_EQ(buildCodeLengths(freq.data(), 3, lengths.data()), 1);
    EXPECT_EQ(lengths, (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(Huffman, CanonicalCodesFollowLengthThenSymbolOrder)
{
    const std::vector<std::uint8_t> lengths = {2, 1, 3, 0, 3};
    std::vector<std::uint16_t> codes(lengths.size());
    canonicalCodes(lengths.data(), 5, codes.data());
    EXPECT_EQ(codes[1], 0b0);
    EXPECT_EQ(codes[0], 0b10);
    EXPECT_EQ(codes[2], 0b110);
    EXPECT_EQ(codes[4], 0b111);
}

}  // namespace
}  // namespace unlha::encode
