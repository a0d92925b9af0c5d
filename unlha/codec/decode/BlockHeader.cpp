#include "unlha/codec/decode/BlockHeader.h"

#include "unlha/Error.h"

namespace unlha {

namespace {

constexpr int kCodeSymbols = 510;  // NC
constexpr int kPreSymbols = 19;    // NT
constexpr int kPreCountBits = 5;   // TBIT
constexpr int kCodeCountBits = 9;  // CBIT

// A length of the pre-table or the position table: three bits, and from 7 on
// one more for every further 1 bit, ended by a 0 bit.
int readShortLength(BitReader& in) {
    in.refill();
    int len = static_cast<int>(in.get(3));
    if (len == 7) {
        while (in.get(1) == 1) {
            if (++len > HuffmanTable::kMaxLength) throw FormatError("Huffman code longer than 16 bits");
        }
    }
    return len;
}

// Reads the pre-table (withSkip) or the position table into `table`.
void readShortTable(BitReader& in, HuffmanTable& table, int maxSymbols, int countBits, bool withSkip) {
    in.refill();
    int n = static_cast<int>(in.get(countBits));
    if (n == 0) {
        int symbol = static_cast<int>(in.get(countBits));
        if (symbol >= maxSymbols) throw FormatError("single-symbol table names an unknown symbol");
        table.single(symbol);
        return;
    }
    if (n > maxSymbols) throw FormatError("Huffman table has too many symbols");
    std::uint8_t lengths[32] = {};
    for (int i = 0; i < n; ++i) {
        lengths[i] = static_cast<std::uint8_t>(readShortLength(in));
        if (withSkip && i == 2) {
            // The next z symbols are unused and not coded.
            int skip = static_cast<int>(in.get(2));
            i += skip;
        }
    }
    table.build(lengths, maxSymbols);
}

void readCodeTable(BitReader& in, const HuffmanTable& pre, HuffmanTable& table) {
    in.refill();
    int n = static_cast<int>(in.get(kCodeCountBits));
    if (n == 0) {
        int symbol = static_cast<int>(in.get(kCodeCountBits));
        if (symbol >= kCodeSymbols) throw FormatError("single-symbol table names an unknown symbol");
        table.single(symbol);
        return;
    }
    if (n > kCodeSymbols) throw FormatError("Huffman table has too many symbols");
    std::uint8_t lengths[kCodeSymbols] = {};
    int i = 0;
    while (i < n) {
        in.refill();
        int t = pre.decode(in);
        if (t > 2) {
            lengths[i++] = static_cast<std::uint8_t>(t - 2);
            continue;
        }
        int zeros = t == 0 ? 1 : t == 1 ? static_cast<int>(in.get(4)) + 3 : static_cast<int>(in.get(9)) + 20;
        if (zeros > n - i) throw FormatError("zero run past the end of the Huffman table");
        i += zeros;  // lengths[] is already zero there
    }
    table.build(lengths, kCodeSymbols);
}

}  // namespace

void readBlockHeader(BitReader& in, const LhParameters& params, BlockHeader& block) {
    in.refill();
    block.codeCount = in.get(16);
    if (block.codeCount == 0) throw FormatError("block holds no codes");
    HuffmanTable pre;
    readShortTable(in, pre, kPreSymbols, kPreCountBits, true);
    readCodeTable(in, pre, block.codes);
    readShortTable(in, block.positions, params.positionSymbols, params.positionCountBits, false);
    in.checkNotOverrun();
}

}  // namespace unlha
