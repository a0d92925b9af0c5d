#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "unlha/io/Stream.h"

namespace unlha {

// The bytes of one header, pulled from the archive as far as each level's
// reader finds it needs them. Every access is bounds-checked: a header that
// ends early or claims more than kMaxHeader bytes is a FormatError.
class HeaderBytes {
public:
    static constexpr std::size_t kMaxHeader = std::size_t{1} << 20;

    explicit HeaderBytes(ByteSource& in) : in_(in) {}

    // Makes the first `total` bytes of the header available.
    void need(std::size_t total);
    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    std::uint8_t u8(std::size_t at) const;
    std::uint16_t u16(std::size_t at) const;
    std::uint32_t u32(std::size_t at) const;
    std::uint64_t u64(std::size_t at) const;
    std::string text(std::size_t at, std::size_t n) const;

private:
    ByteSource& in_;
    std::vector<std::uint8_t> bytes_;
};

// Appends little-endian fields while a header is built.
class HeaderBuilder {
public:
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) { u8(static_cast<std::uint8_t>(v)), u8(static_cast<std::uint8_t>(v >> 8)); }
    void u32(std::uint32_t v) { u16(static_cast<std::uint16_t>(v)), u16(static_cast<std::uint16_t>(v >> 16)); }
    void u64(std::uint64_t v) { u32(static_cast<std::uint32_t>(v)), u32(static_cast<std::uint32_t>(v >> 32)); }
    void text(const std::string& s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void append(const std::vector<std::uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    void put16(std::size_t at, std::uint16_t v) {
        bytes_[at] = static_cast<std::uint8_t>(v);
        bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace unlha
