#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unlha/Error.h"
#include "unlha/codec/Decoder.h"
#include "unlha/io/Memory.h"

namespace {

using unlha::Method;

std::vector<std::uint8_t> decode(Method method, const std::vector<std::uint8_t>& packed, std::uint64_t originalSize) {
    unlha::MemorySource in(packed);
    unlha::MemorySink out;
    unlha::decodeLh(method, in, packed.size(), out, originalSize);
    return out.bytes;
}

std::string text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Assembles MSB-first bit fields into bytes, zero-padding the last one.
class Bits {
public:
    Bits& put(std::uint32_t value, int n) {
        for (int i = n - 1; i >= 0; --i) {
            if (count_ % 8 == 0) bytes_.push_back(0);
            if ((value >> i) & 1) bytes_.back() |= static_cast<std::uint8_t>(0x80 >> (count_ % 8));
            ++count_;
        }
        return *this;
    }
    // A pre-table or position-table length: 3 bits, 7 and up in unary.
    Bits& length(int len) {
        if (len < 7) return put(static_cast<std::uint32_t>(len), 3);
        put(7, 3);
        for (int i = 7; i < len; ++i) put(1, 1);
        return put(0, 1);
    }
    std::vector<std::uint8_t> bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    int count_ = 0;
};

// The start of a block whose pre-table is one symbol and whose code table is
// the single symbol `code`: every code then decodes to it from zero bits.
Bits singleCodeBlock(std::uint16_t count, int code) {
    Bits b;
    b.put(count, 16).put(0, 5).put(0, 5).put(0, 9).put(static_cast<std::uint32_t>(code), 9);
    return b;
}

const std::vector<std::uint8_t> kAbcVector = {0x00, 0x04, 0x28, 0x05, 0x30, 0x71, 0x37, 0x91, 0xd0, 0x21, 0xb0};

TEST(Decode, ReferenceVectorOfAbcRepeated) {
    EXPECT_EQ(text(decode(Method::Lh5, kAbcVector, 12)), "abcabcabcabc");
}

TEST(Decode, SingleSymbolTablesReadNoBits) {
    // Five literals 'a' and a position table of one symbol; 52 bits in all.
    auto packed = singleCodeBlock(5, 'a').put(0, 4).put(0, 4).bytes();
    EXPECT_EQ(text(decode(Method::Lh5, packed, 5)), "aaaaa");
}

TEST(Decode, RunOfDistanceOneRepeatsLastByte) {
    // Block 1: one literal 'x'; block 2: one match of length 3 at distance 1.
    Bits b = singleCodeBlock(1, 'x').put(0, 5).put(0, 5);
    b.put(1, 16).put(0, 5).put(0, 5).put(0, 9).put(256, 9).put(0, 5).put(0, 5);
    EXPECT_EQ(text(decode(Method::Lh7, b.bytes(), 4)), "xxxx");
}

TEST(Decode, StopsAtOriginalSizeCuttingALastMatch) {
    Bits b = singleCodeBlock(1, 'x').put(0, 5).put(0, 5);
    b.put(1, 16).put(0, 5).put(0, 5).put(0, 9).put(300, 9).put(0, 5).put(0, 5);
    EXPECT_EQ(text(decode(Method::Lh7, b.bytes(), 10)), "xxxxxxxxxx");
}

struct CorruptCase {
    const char* name;
    Method method;
    std::vector<std::uint8_t> packed;
    std::uint64_t originalSize;
};

std::vector<CorruptCase> corruptCases() {
    std::vector<CorruptCase> cases;
    cases.push_back({"block count 0", Method::Lh5, Bits().put(0, 16).put(0, 5).put(0, 5).put(0, 9).put('a', 9).put(0, 8).bytes(), 1});
    cases.push_back({"match before start", Method::Lh5, singleCodeBlock(1, 256).put(0, 4).put(0, 4).bytes(), 3});
    cases.push_back({"far match before start", Method::Lh7,
                     singleCodeBlock(2, 'a').put(0, 5).put(0, 5).put(1, 16).put(0, 5).put(0, 5).put(0, 9).put(256, 9)
                         .put(0, 5).put(3, 5).put(0, 2).bytes(), 4});
    cases.push_back({"position table larger than NP", Method::Lh5, singleCodeBlock(1, 'a').put(15, 4).bytes(), 1});
    cases.push_back({"single position symbol past NP", Method::Lh5, singleCodeBlock(1, 'a').put(0, 4).put(14, 4).bytes(), 1});
    cases.push_back({"pre-table larger than NT", Method::Lh5, Bits().put(1, 16).put(20, 5).put(0, 64).bytes(), 1});
    cases.push_back({"single pre-table symbol past NT", Method::Lh5, Bits().put(1, 16).put(0, 5).put(19, 5).put(0, 64).bytes(), 1});
    cases.push_back({"code table larger than NC", Method::Lh5, Bits().put(1, 16).put(0, 5).put(0, 5).put(511, 9).put(0, 64).bytes(), 1});
    cases.push_back({"single code symbol past NC", Method::Lh5, Bits().put(1, 16).put(0, 5).put(0, 5).put(0, 9).put(510, 9).put(0, 64).bytes(), 1});
    // Pre-table {0: 1 bit, 2: 1 bit}; then a code table of 5 whose first
    // entry is a run of 20 zeros.
    cases.push_back({"zero run past the table", Method::Lh5,
                     Bits().put(1, 16).put(3, 5).length(1).length(0).length(1).put(0, 2).put(5, 9).put(1, 1).put(0, 9)
                         .put(0, 64).bytes(), 1});
    cases.push_back({"incomplete pre-table", Method::Lh5,
                     Bits().put(1, 16).put(3, 5).length(1).length(0).length(0).put(0, 2).put(0, 64).bytes(), 1});
    cases.push_back({"over-subscribed pre-table", Method::Lh5,
                     Bits().put(1, 16).put(3, 5).length(1).length(1).length(1).put(0, 2).put(0, 64).bytes(), 1});
    cases.push_back({"code longer than 16 bits", Method::Lh5,
                     Bits().put(1, 16).put(3, 5).length(17).put(0, 64).bytes(), 1});
    cases.push_back({"stream ends before the output", Method::Lh5, kAbcVector, 13});
    cases.push_back({"empty stream", Method::Lh7, {}, 1});
    for (std::size_t cut = 1; cut < kAbcVector.size(); ++cut) {
        cases.push_back({"truncated reference vector", Method::Lh5,
                         std::vector<std::uint8_t>(kAbcVector.begin(), kAbcVector.begin() + static_cast<std::ptrdiff_t>(cut)), 12});
    }
    return cases;
}

TEST(Decode, CorruptStreamsAreFormatErrors) {
    for (const CorruptCase& c : corruptCases()) {
        SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(c.packed.size()) + " bytes");
        EXPECT_THROW(decode(c.method, c.packed, c.originalSize), unlha::FormatError);
    }
}

}  // namespace
