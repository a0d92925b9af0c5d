#pragma once
#include <cstddef>
#include <cstdint>

namespace unlha {

// CRC-16/ARC (reflected polynomial 0xA001, initial value 0, no final XOR),
// used for member data and for level-2 header CRCs. Feed data in pieces by
// passing the previous result back in.
std::uint16_t crc16(const std::uint8_t* data, std::size_t n, std::uint16_t crc = 0);

}  // namespace unlha
