#include "unlha/codec/encode/Block.h"

#include "unlha/codec/encode/Huffman.h"

namespace unlha::encode {
namespace {

struct BitCounter {
    std::uint64_t bits = 0;
    void put(std::uint32_t, int n) { bits += static_cast<std::uint64_t>(n); }
};

// Pre-table symbols that describe the literal/length code lengths: 0 is one
// zero, 1 a run of 3..18 zeros (4 extra bits), 2 a run of 20..531 zeros (9
// extra bits), 3..18 the lengths 1..16.
template <class Visit> void forEachLengthToken(const std::uint8_t* len, int n, Visit visit)
{
    int i = 0;
    while (i < n) {
        if (len[i] != 0) {
            visit(len[i] + 2, 0, 0);
            ++i;
            continue;
        }
        int run = 0;
        while (i + run < n && len[i + run] == 0) ++run;
        i += run;
        if (run <= 2) {
            for (int k = 0; k < run; ++k) visit(0, 0, 0);
        } else if (run <= 18) {
            visit(1, 4, run - 3);
        } else if (run == 19) {
            visit(0, 0, 0);
            visit(1, 4, 15);
        } else {
            visit(2, 9, run - 20);
        }
    }
}

int lastUsedPlusOne(const std::uint8_t* len, int n)
{
    while (n > 0 && len[n - 1] == 0) --n;
    return n;
}

int firstUsed(const std::uint32_t* freq, int n)
{
    for (int s = 0; s < n; ++s)
        if (freq[s] != 0) return s;
    return 0;
}

}  // namespace

Block::Block(const StreamFormat& format, const BlockStats& stats)
    : format_(format), count_(stats.codes)
{
    const std::uint32_t* cFreq = stats.literalLength.data();
    const std::uint32_t* pFreq = stats.position.data();
    std::uint64_t extraBits = 0;
    for (int p = 2; p < format.positionSymbols; ++p) extraBits += std::uint64_t{pFreq[p]} * (p - 1);

    cUsed_ = buildCodeLengths(cFreq, kLiteralLengthSymbols, cLen_.data());
    if (cUsed_ < 2) cSingle_ = firstUsed(cFreq, kLiteralLengthSymbols);
    cCount_ = lastUsedPlusOne(cLen_.data(), kLiteralLengthSymbols);

    pUsed_ = buildCodeLengths(pFreq, format.positionSymbols, pLen_.data());
    if (pUsed_ < 2) pSingle_ = firstUsed(pFreq, format.positionSymbols);
    pCount_ = lastUsedPlusOne(pLen_.data(), format.positionSymbols);

    if (cUsed_ >= 2) {
        std::uint32_t tFreq[kPreTableSymbols] = {};
        forEachLengthToken(cLen_.data(), cCount_, [&](int t, int, int) { ++tFreq[t]; });
        tUsed_ = buildCodeLengths(tFreq, kPreTableSymbols, tLen_.data());
        if (tUsed_ < 2) tSingle_ = firstUsed(tFreq, kPreTableSymbols);
        tCount_ = lastUsedPlusOne(tLen_.data(), kPreTableSymbols);
    }

    BitCounter header;
    static const Codes kUncounted;
    writeHeader(header, kUncounted);
    headerBits_ = header.bits;
    codeBits_ = extraBits;
    for (int s = 0; s < kLiteralLengthSymbols; ++s) codeBits_ += std::uint64_t{cFreq[s]} * cLen_[s];
    for (int p = 0; p < format.positionSymbols; ++p) codeBits_ += std::uint64_t{pFreq[p]} * pLen_[p];
}

template <class Out>
void Block::writePreLengths(Out& out, const std::uint8_t* lengths, int n, int countBits,
                            bool withSkip) const
{
    out.put(static_cast<std::uint32_t>(n), countBits);
    for (int i = 0; i < n; ++i) {
        const int v = lengths[i];
        if (v < 7) {
            out.put(static_cast<std::uint32_t>(v), 3);
        } else {
            // 7, then one 1-bit per unit above 7, then a 0.
            const int ones = v - 7;
            out.put(7, 3);
            out.put(((1u << ones) - 1) << 1, ones + 1);
        }
        if (withSkip && i == 2) {
            int zeros = 0;
            while (zeros < 3 && i + 1 + zeros < n && lengths[i + 1 + zeros] == 0) ++zeros;
            out.put(static_cast<std::uint32_t>(zeros), 2);
            i += zeros;
        }
    }
}

template <class Out> void Block::writeHeader(Out& out, const Codes& codes) const
{
    out.put(static_cast<std::uint32_t>(count_), 16);
    if (cUsed_ < 2) {
        out.put(0, kPreTableCountBits);
        out.put(0, kPreTableCountBits);
        out.put(0, kLiteralLengthCountBits);
        out.put(static_cast<std::uint32_t>(cSingle_), kLiteralLengthCountBits);
    } else {
        if (tUsed_ < 2) {
            out.put(0, kPreTableCountBits);
            out.put(static_cast<std::uint32_t>(tSingle_), kPreTableCountBits);
        } else {
            writePreLengths(out, tLen_.data(), tCount_, kPreTableCountBits, true);
        }
        out.put(static_cast<std::uint32_t>(cCount_), kLiteralLengthCountBits);
        forEachLengthToken(cLen_.data(), cCount_, [&](int t, int extraBits, int extra) {
            out.put(codes.t[t], tLen_[t]);
            if (extraBits) out.put(static_cast<std::uint32_t>(extra), extraBits);
        });
    }
    if (pUsed_ < 2) {
        out.put(0, format_.positionCountBits);
        out.put(static_cast<std::uint32_t>(pSingle_), format_.positionCountBits);
    } else {
        writePreLengths(out, pLen_.data(), pCount_, format_.positionCountBits, false);
    }
}

void Block::write(BitWriter& out, const Code* codes) const
{
    Codes code;
    canonicalCodes(cLen_.data(), kLiteralLengthSymbols, code.c.data());
    canonicalCodes(pLen_.data(), format_.positionSymbols, code.p.data());
    canonicalCodes(tLen_.data(), kPreTableSymbols, code.t.data());
    writeHeader(out, code);
    for (std::uint32_t i = 0; i < count_; ++i) {
        const Code& c = codes[i];
        const int s = literalLengthSymbol(c);
        out.put(code.c[s], cLen_[s]);
        if (c.isMatch()) {
            const int p = positionSymbol(c.value);
            out.put(code.p[p], pLen_[p]);
            if (p > 1) out.put(static_cast<std::uint32_t>(c.value - 1) & ((1u << (p - 1)) - 1), p - 1);
        }
    }
}

}  // namespace unlha::encode
