#include "tests/unlha/codec/encode/StreamChecker.h"

namespace unlha::test {
namespace {

struct Fault {
    std::string what;
};

class Bits {
public:
    explicit Bits(const std::vector<std::uint8_t>& data) : data_(data) {}
    std::uint32_t get(int n)
    {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            if (pos_ >= data_.size() * 8) throw Fault{"stream ends inside a field"};
            v = (v << 1) | ((data_[pos_ / 8] >> (7 - pos_ % 8)) & 1u);
            ++pos_;
        }
        return v;
    }
    std::uint64_t position() const { return pos_; }
    std::uint64_t total() const { return data_.size() * 8; }

private:
    const std::vector<std::uint8_t>& data_;
    std::uint64_t pos_ = 0;
};

// A decoding table: either one symbol read with no bits, or a complete
// canonical code.
class Table {
public:
    static Table single(int symbol, int size)
    {
        if (symbol >= size) throw Fault{"single symbol out of range"};
        Table t;
        t.single_ = symbol;
        return t;
    }
    static Table of(const std::vector<int>& lengths)
    {
        Table t;
        for (int len = 1; len <= 16; ++len)
            for (std::size_t s = 0; s < lengths.size(); ++s)
                if (lengths[s] == len) {
                    t.sorted_.push_back(static_cast<int>(s));
                    ++t.count_[static_cast<std::size_t>(len)];
                }
        std::uint64_t kraft = 0;
        int used = 0;
        for (int len : lengths) {
            if (len > 16) throw Fault{"code length over 16"};
            if (len > 0) {
                kraft += std::uint64_t{1} << (16 - len);
                ++used;
            }
        }
        if (used < 2) throw Fault{"table with fewer than two codes not in single-symbol form"};
        if (kraft != (1u << 16)) throw Fault{"incomplete or over-full code"};
        return t;
    }
    int decode(Bits& in) const
    {
        if (single_ >= 0) return single_;
        std::uint32_t code = 0;
        std::uint32_t first = 0;
        std::size_t offset = 0;
        for (int len = 1; len <= 16; ++len) {
            code = (code << 1) | in.get(1);
            const std::uint32_t count = count_[static_cast<std::size_t>(len)];
            if (code - first < count) return sorted_[offset + (code - first)];
            offset += count;
            first = (first + count) << 1;
        }
        throw Fault{"undecodable code"};
    }

private:
    int single_ = -1;
    std::vector<std::uint32_t> count_ = std::vector<std::uint32_t>(17, 0);
    std::vector<int> sorted_;  // symbols by length, then by number
};

std::vector<int> readPreLengths(Bits& in, int n, int size, bool withSkip)
{
    if (n > size) throw Fault{"too many lengths in a pre-coded table"};
    std::vector<int> lengths(static_cast<std::size_t>(size), 0);
    for (int i = 0; i < n; ++i) {
        int v = static_cast<int>(in.get(3));
        if (v == 7)
            while (in.get(1) == 1) ++v;
        lengths[static_cast<std::size_t>(i)] = v;
        if (withSkip && i == 2) {
            const int zeros = static_cast<int>(in.get(2));
            if (i + zeros >= n) throw Fault{"pre-table skip past its count"};
            i += zeros;
        }
    }
    return lengths;
}

}  // namespace

std::string checkStream(Method method, const std::vector<std::uint8_t>& stream,
                        std::uint64_t originalSize)
{
    const int dictBits = dictionaryBits(method);
    const int np = method == Method::Lh5 ? 14 : method == Method::Lh6 ? 16 : 17;
    const int pbit = method == Method::Lh5 ? 4 : 5;
    const std::uint64_t maxDistance = (std::uint64_t{1} << dictBits) - 1;
    try {
        Bits in(stream);
        std::uint64_t out = 0;
        std::uint64_t lastBlockStart = 0;
        while (out < originalSize) {
            lastBlockStart = in.position();
            const std::uint32_t count = in.get(16);
            if (count == 0) throw Fault{"block with no codes"};

            const int tn = static_cast<int>(in.get(5));
            const Table t = tn == 0 ? Table::single(static_cast<int>(in.get(5)), 19)
                                    : Table::of(readPreLengths(in, tn, 19, true));
            Table c;
            const int cn = static_cast<int>(in.get(9));
            if (cn == 0) {
                c = Table::single(static_cast<int>(in.get(9)), 510);
            } else {
                if (cn > 510) throw Fault{"literal/length count over 510"};
                std::vector<int> lengths(510, 0);
                int i = 0;
                while (i < cn) {
                    const int s = t.decode(in);
                    int run = 0;
                    if (s == 0) run = 1;
                    else if (s == 1) run = static_cast<int>(in.get(4)) + 3;
                    else if (s == 2) run = static_cast<int>(in.get(9)) + 20;
                    else lengths[static_cast<std::size_t>(i++)] = s - 2;
                    if (i + run > cn) throw Fault{"zero run past the table"};
                    i += run;
                }
                c = Table::of(lengths);
            }
            const int pn = static_cast<int>(in.get(pbit));
            const Table p = pn == 0 ? Table::single(static_cast<int>(in.get(pbit)), np)
                                    : Table::of(readPreLengths(in, pn, np, false));

            for (std::uint32_t k = 0; k < count; ++k) {
                if (out >= originalSize) throw Fault{"more codes than data"};
                const int sym = c.decode(in);
                if (sym < 256) {
                    ++out;
                    continue;
                }
                const int length = sym - 253;
                const int ps = p.decode(in);
                if (ps >= np) throw Fault{"position symbol out of range"};
                const std::uint64_t value =
                    ps <= 1 ? static_cast<std::uint64_t>(ps)
                            : (std::uint64_t{1} << (ps - 1)) + in.get(ps - 1);
                const std::uint64_t distance = value + 1;
                if (distance > out) throw Fault{"match before the start of the data"};
                if (distance > maxDistance) throw Fault{"distance beyond the window"};
                if (out + static_cast<std::uint64_t>(length) > originalSize)
                    throw Fault{"match past the end of the data"};
                out += static_cast<std::uint64_t>(length);
            }
        }
        if (out != originalSize) throw Fault{"codes do not add up to the data"};
        const std::uint64_t rest = in.total() - in.position();
        if (rest >= 8) throw Fault{"bytes after the last code"};
        if (rest > 0 && in.get(static_cast<int>(rest)) != 0) throw Fault{"non-zero padding"};
        if (in.total() - lastBlockStart < 64) throw Fault{"final block under 8 bytes"};
    } catch (const Fault& f) {
        return f.what;
    }
    return "";
}

}  // namespace unlha::test
