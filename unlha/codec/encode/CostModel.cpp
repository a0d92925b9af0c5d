#include "unlha/codec/encode/CostModel.h"

#include <algorithm>

namespace unlha::encode {
namespace {

std::uint32_t extraBits(int positionSymbol)
{
    return positionSymbol > 1 ? static_cast<std::uint32_t>(positionSymbol - 1) : 0;
}

}  // namespace

CostModel::CostModel(const StreamFormat& format)
{
    for (int s = 0; s < 256; ++s) literalLength_[s] = 8;
    for (int len = kMinMatch; len <= kMaxMatch; ++len)
        literalLength_[len + 253] = static_cast<std::uint32_t>(std::min(4 + (len - kMinMatch) / 4, 14));
    for (int p = 0; p < format.positionSymbols; ++p) position_[p] = 4 + extraBits(p);
}

CostModel::CostModel(const StreamFormat& format, const Block& block)
{
    // An unused symbol is priced a little above the block's longest code, so
    // the parser can still choose it when it clearly pays.
    const auto& cLen = block.literalLengthLengths();
    const auto& pLen = block.positionLengths();
    const int cMax = *std::max_element(cLen.begin(), cLen.end());
    const int pMax = *std::max_element(pLen.begin(), pLen.begin() + format.positionSymbols);
    for (int s = 0; s < kLiteralLengthSymbols; ++s)
        literalLength_[s] = cLen[s] ? cLen[s] : static_cast<std::uint32_t>(std::max(cMax, 8) + 2);
    for (int p = 0; p < format.positionSymbols; ++p)
        position_[p] = (pLen[p] ? pLen[p] : static_cast<std::uint32_t>(std::max(pMax, 3) + 2)) + extraBits(p);
}

}  // namespace unlha::encode
