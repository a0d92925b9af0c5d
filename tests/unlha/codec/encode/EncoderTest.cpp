#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/unlha/codec/encode/StreamChecker.h"
#include "unlha/Error.h"
#include "unlha/codec/Decoder.h"
#include "unlha/codec/Encoder.h"

namespace unlha {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Hands out its bytes in pieces of at most `piece`, as a file read would.
class PieceSource : public ByteSource {
public:
    PieceSource(const Bytes& data, std::size_t piece) : data_(data), piece_(piece) {}
    std::size_t read(std::uint8_t* buffer, std::size_t n) override
    {
        n = std::min({n, piece_, data_.size() - at_});
        if (n == 0) return 0;
        std::memcpy(buffer, data_.data() + at_, n);
        at_ += n;
        return n;
    }

private:
    const Bytes& data_;
    std::size_t piece_;
    std::size_t at_ = 0;
};

class VectorSink : public ByteSink {
public:
    void write(const std::uint8_t* data, std::size_t n) override { bytes.insert(bytes.end(), data, data + n); }
    Bytes bytes;
};

struct Encoded {
    std::optional<std::uint64_t> length;
    Bytes stream;
};

Encoded encodeWith(LhEncoder& encoder, Method method, const Bytes& data, std::uint64_t giveUpAt,
                   std::size_t piece = 1 << 20)
{
    PieceSource in(data, piece);
    VectorSink out;
    Encoded e;
    e.length = encoder.encode(method, in, data.size(), out, giveUpAt);
    e.stream = std::move(out.bytes);
    return e;
}

Encoded encode(Method method, const Bytes& data, std::uint64_t giveUpAt, std::size_t piece = 1 << 20)
{
    LhEncoder encoder;
    return encodeWith(encoder, method, data, giveUpAt, piece);
}

Bytes decode(Method method, const Bytes& stream, std::uint64_t size)
{
    PieceSource in(stream, 1 << 20);
    VectorSink out;
    decodeLh(method, in, stream.size(), out, size);
    return out.bytes;
}

Bytes randomBytes(std::size_t n, unsigned seed, int alphabet = 256)
{
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(alphabet));
    return b;
}

// Words and numbers with long-range repeats, like text and records.
Bytes textLike(std::size_t n, unsigned seed)
{
    static const char* words[] = {"save ", "slot ", "player ", "level=", "\n", "gold ", "0x1F ",
                                  "inventory ", "{\"id\":", "}, "};
    std::mt19937 rng(seed);
    Bytes b;
    while (b.size() < n) {
        if (rng() % 5 == 0) {
            b.push_back(static_cast<std::uint8_t>(rng()));
        } else {
            const char* w = words[rng() % 10];
            b.insert(b.end(), w, w + std::strlen(w));
        }
    }
    b.resize(n);
    return b;
}

const Method kMethods[] = {Method::Lh5, Method::Lh6, Method::Lh7};

std::string name(Method m) { return std::string(methodId(m)); }

void expectRoundTrip(Method method, const Bytes& data, std::size_t piece = 1 << 20)
{
    const Encoded e = encode(method, data, UINT64_MAX, piece);
    ASSERT_TRUE(e.length) << name(method) << " size " << data.size();
    ASSERT_EQ(*e.length, e.stream.size());
    EXPECT_EQ(test::checkStream(method, e.stream, data.size()), "") << name(method) << " size " << data.size();
    EXPECT_EQ(decode(method, e.stream, data.size()), data) << name(method) << " size " << data.size();
}

TEST(Encoder, RoundTripsDataOfManySizesAndKinds)
{
    const std::size_t sizes[] = {3, 17, 100, 1000, 4095, 8192, 8193, 32768, 65535, 65536, 65537, 200000};
    for (Method m : kMethods) {
        unsigned seed = 1;
        for (std::size_t n : sizes) {
            expectRoundTrip(m, textLike(n, seed++));
            expectRoundTrip(m, randomBytes(n, seed++, 4));
        }
    }
}

TEST(Encoder, RoundTripsRepetitiveInput)
{
    for (Method m : kMethods) {
        expectRoundTrip(m, Bytes(100000, 'a'));
        Bytes pattern;
        for (int i = 0; i < 50000; ++i) pattern.push_back(static_cast<std::uint8_t>("abcabd"[i % 6]));
        expectRoundTrip(m, pattern);
        // Long runs of zeros with scattered bytes, as in a sparse save file.
        Bytes sparse(300000, 0);
        std::mt19937 rng(7);
        for (int i = 0; i < 300; ++i) sparse[rng() % sparse.size()] = static_cast<std::uint8_t>(rng() | 1);
        expectRoundTrip(m, sparse);
    }
}

// A megabyte arriving in odd-sized pieces crosses the buffer slides,
// and matches far back test the window limit of each method.
TEST(Encoder, StreamsLargeInputThroughTheWindow)
{
    Bytes data = textLike(600000, 11);
    const Bytes chunk = randomBytes(70000, 12);
    for (int i = 0; i < 8; ++i) data.insert(data.end(), chunk.begin(), chunk.end());
    for (Method m : kMethods) expectRoundTrip(m, data, 4093);
}

// Inputs of a megabyte or more are cut into parts encoded side by side;
// this one makes four of 131 stretches and 3 bytes each.
TEST(Encoder, InputCutIntoPartsMakesOneValidStream)
{
    Bytes data = textLike(4 * (131 * 8192 + 3) - 3, 13);
    data.insert(data.end(), 3, 'z');
    expectRoundTrip(Method::Lh7, data, 65521);
    // Zeros make blocks of one code repeated, a few bytes each.
    expectRoundTrip(Method::Lh7, Bytes(40000000, 0));
}

TEST(Encoder, InputShorterThanAnnouncedIsAnError)
{
    const Bytes data = textLike(1200000, 14);
    LhEncoder encoder;
    PieceSource in(data, 1 << 20);
    VectorSink out;
    EXPECT_THROW(encoder.encode(Method::Lh7, in, data.size() + 1, out, UINT64_MAX), IoError);
}

TEST(Encoder, IncompressibleInputGivesUpAtItsSize)
{
    const Bytes data = randomBytes(100000, 3);
    for (Method m : kMethods) {
        EXPECT_FALSE(encode(m, data, data.size()).length) << name(m);
        // Without the limit it still produces a valid stream.
        expectRoundTrip(m, data);
    }
}

TEST(Encoder, GivesUpWhenTheStreamReachesTheLimit)
{
    const Bytes data = textLike(50000, 4);
    const Encoded full = encode(Method::Lh7, data, UINT64_MAX);
    ASSERT_TRUE(full.length);
    EXPECT_FALSE(encode(Method::Lh7, data, *full.length).length);
    EXPECT_EQ(encode(Method::Lh7, data, *full.length + 1).length, full.length);
}

TEST(Encoder, RefusesStreamsShorterThanEightBytes)
{
    for (Method m : kMethods) {
        EXPECT_FALSE(encode(m, {}, UINT64_MAX).length) << name(m);
        const Encoded one = encode(m, {'x'}, UINT64_MAX);
        EXPECT_FALSE(one.length) << name(m);
        EXPECT_TRUE(one.stream.empty()) << "nothing reaches the sink";
    }
}

TEST(Encoder, MatchesTheReferenceStreamForASmallInput)
{
    // LHa for UNIX packs "abcabcabcabc" to exactly these bytes.
    const Bytes data = {'a', 'b', 'c', 'a', 'b', 'c', 'a', 'b', 'c', 'a', 'b', 'c'};
    const Bytes reference = {0x00, 0x04, 0x28, 0x05, 0x30, 0x71, 0x37, 0x91, 0xd0, 0x21, 0xb0};
    EXPECT_EQ(encode(Method::Lh5, data, UINT64_MAX).stream, reference);
}

// A tail after a large block must not form a final block under 8 bytes.
TEST(Encoder, KeepsTheFinalBlockAtLeastEightBytes)
{
    for (Method m : kMethods) {
        for (std::size_t tail : {1, 2, 5, 9, 40}) {
            Bytes data = textLike(120000, static_cast<unsigned>(tail));
            data.insert(data.end(), tail, 'z');
            expectRoundTrip(m, data);
        }
    }
}

// A sink that fails once it has taken `limit` bytes, as a full disk would.
class FailingSink : public ByteSink {
public:
    explicit FailingSink(std::size_t limit) : limit_(limit) {}
    void write(const std::uint8_t*, std::size_t n) override
    {
        if (n > limit_) throw std::runtime_error("disk full");
        limit_ -= n;
    }

private:
    std::size_t limit_;
};

// One encoder serves every member of an archive: what a stream leaves behind
// (a slid window, a give-up, a write error in the middle) must not reach the
// next one.
TEST(Encoder, ReusedEncoderGivesEachStreamWhatAFreshOneWould)
{
    const Bytes large = textLike(700000, 21);
    const Bytes inParts = textLike(1500000, 24);
    const Bytes small = textLike(3000, 22);
    const Bytes random = randomBytes(20000, 23);
    LhEncoder encoder;
    auto expectSame = [&](Method m, const Bytes& data) {
        const Encoded reused = encodeWith(encoder, m, data, UINT64_MAX);
        const Encoded fresh = encode(m, data, UINT64_MAX);
        EXPECT_EQ(reused.length, fresh.length) << name(m);
        EXPECT_EQ(reused.stream, fresh.stream) << name(m);
    };
    expectSame(Method::Lh7, large);
    expectSame(Method::Lh5, small);
    EXPECT_FALSE(encodeWith(encoder, Method::Lh6, random, random.size()).length);
    expectSame(Method::Lh6, small);
    for (const Bytes* data : {&large, &inParts}) {
        PieceSource in(*data, 1 << 20);
        FailingSink out(10000);
        EXPECT_THROW(encoder.encode(Method::Lh7, in, data->size(), out, UINT64_MAX), std::runtime_error);
    }
    expectSame(Method::Lh7, small);
    expectSame(Method::Lh7, large);
    expectSame(Method::Lh6, inParts);
    expectSame(Method::Lh7, inParts);
}

// Streams started one after another, their parts collected as room is
// needed, come out each as it would alone.
TEST(Encoder, StreamsUnderWayTogetherComeOutAsEachAloneWould)
{
    const std::vector<Bytes> inputs = {textLike(1500000, 31), textLike(20000, 32), randomBytes(30000, 33),
                                       textLike(2300000, 34), textLike(5000, 35)};
    LhEncoder encoder;
    std::vector<VectorSink> sinks(inputs.size());
    std::vector<std::optional<std::uint64_t>> lengths(inputs.size());
    std::size_t collecting = 0;
    auto collectOne = [&] {
        const LhEncoder::Collected part = encoder.collect(sinks[collecting]);
        if (part.streamEnded) lengths[collecting++] = part.length;
    };
    for (const Bytes& data : inputs) {
        PieceSource in(data, 65536);
        encoder.start(Method::Lh7, in, data.size(), data.size(), collectOne);
    }
    while (encoder.waiting() > 0) collectOne();
    ASSERT_EQ(collecting, inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const Encoded alone = encode(Method::Lh7, inputs[i], inputs[i].size());
        EXPECT_EQ(lengths[i], alone.length) << i;
        if (alone.length) EXPECT_EQ(sinks[i].bytes, alone.stream) << i;
    }
    EXPECT_FALSE(lengths[2]) << "the noise gives up";
}

TEST(Encoder, RejectsMethodsWithoutAStream)
{
    const Bytes data = textLike(1000, 5);
    EXPECT_THROW(encode(Method::Lh0, data, UINT64_MAX), std::invalid_argument);
    EXPECT_THROW(encode(Method::Lhd, data, UINT64_MAX), std::invalid_argument);
}

}  // namespace
}  // namespace unlha
