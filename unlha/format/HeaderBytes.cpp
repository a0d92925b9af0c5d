#include "unlha/format/HeaderBytes.h"

#include "unlha/Error.h"

namespace unlha {

void HeaderBytes::need(std::size_t total) {
    if (total <= bytes_.size()) return;
    if (total > kMaxHeader) throw FormatError("header is too large");
    std::size_t have = bytes_.size();
    bytes_.resize(total);
    while (have < total) {
        std::size_t n = in_.read(bytes_.data() + have, total - have);
        if (n == 0) throw FormatError("archive ends inside a header");
        have += n;
    }
}

std::uint8_t HeaderBytes::u8(std::size_t at) const {
    if (at >= bytes_.size()) throw FormatError("header field out of range");
    return bytes_[at];
}

std::uint16_t HeaderBytes::u16(std::size_t at) const {
    return static_cast<std::uint16_t>(u8(at) | u8(at + 1) << 8);
}

std::uint32_t HeaderBytes::u32(std::size_t at) const {
    return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
}

std::uint64_t HeaderBytes::u64(std::size_t at) const {
    return u32(at) | static_cast<std::uint64_t>(u32(at + 4)) << 32;
}

std::string HeaderBytes::text(std::size_t at, std::size_t n) const {
    if (at > bytes_.size() || n > bytes_.size() - at) throw FormatError("header field out of range");
    return std::string(bytes_.begin() + static_cast<std::ptrdiff_t>(at), bytes_.begin() + static_cast<std::ptrdiff_t>(at + n));
}

}  // namespace unlha
