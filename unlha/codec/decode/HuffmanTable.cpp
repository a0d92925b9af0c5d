#include "unlha/codec/decode/HuffmanTable.h"

#include <algorithm>

#include "unlha/Error.h"

namespace unlha {

void HuffmanTable::single(int symbol) {
    std::fill(std::begin(primary_), std::end(primary_), static_cast<std::uint16_t>(symbol));
    secondary_.clear();
}

void HuffmanTable::build(const std::uint8_t* lengths, int count) {
    int perLength[kMaxLength + 1] = {};
    for (int s = 0; s < count; ++s) {
        if (lengths[s] > kMaxLength) throw FormatError("Huffman code longer than 16 bits");
        ++perLength[lengths[s]];
    }
    // Kraft sum in units of 2^-16: a complete code fills the space exactly.
    std::uint32_t space = 0;
    for (int len = 1; len <= kMaxLength; ++len) space += static_cast<std::uint32_t>(perLength[len]) << (kMaxLength - len);
    if (space != (1u << kMaxLength)) throw FormatError("incomplete or over-subscribed Huffman table");

    // Symbols in canonical order (by length, then by symbol), so that codes
    // rise steadily and the long codes sharing a 12-bit prefix come together.
    int offset[kMaxLength + 2] = {};
    for (int len = 1; len <= kMaxLength; ++len) offset[len + 1] = offset[len] + perLength[len];
    std::uint16_t order[1024];
    if (count > 1024) throw FormatError("Huffman table too large");
    for (int s = 0; s < count; ++s) {
        if (lengths[s] != 0) order[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);
    }
    int used = offset[kMaxLength + 1];

    secondary_.clear();
    std::uint32_t code = 0;  // left-aligned in 16 bits
    std::uint32_t currentSlot = ~0u;
    for (int i = 0; i < used; ++i) {
        int s = order[i];
        int len = lengths[s];
        std::uint16_t entry = static_cast<std::uint16_t>(s | (len << kLengthShift));
        std::uint32_t slot = code >> (kMaxLength - kPrimaryBits);
        if (len <= kPrimaryBits) {
            std::fill(primary_ + slot, primary_ + slot + (1u << (kPrimaryBits - len)), entry);
        } else {
            if (slot != currentSlot) {
                currentSlot = slot;
                primary_[slot] = static_cast<std::uint16_t>(kSecondaryFlag | secondary_.size());
                secondary_.resize(secondary_.size() + 16);
            }
            std::uint16_t* table = &secondary_[primary_[slot] & ~kSecondaryFlag];
            std::uint32_t low = code & 0xF;
            std::fill(table + low, table + low + (1u << (kMaxLength - len)), entry);
        }
        code += 1u << (kMaxLength - len);
    }
}

}  // namespace unlha
