#include "unlha/format/Crc16.h"

#include <array>

namespace unlha {

namespace {

// Eight tables (slicing-by-8) so that member data is checked at several bytes
// per cycle; table 0 alone is the classic byte-at-a-time table.
using Tables = std::array<std::array<std::uint16_t, 256>, 8>;

constexpr Tables makeTables() {
    Tables t{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t c = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? static_cast<std::uint16_t>((c >> 1) ^ 0xA001) : static_cast<std::uint16_t>(c >> 1);
        t[0][i] = c;
    }
    for (unsigned i = 0; i < 256; ++i) {
        for (int k = 1; k < 8; ++k) {
            std::uint16_t prev = t[k - 1][i];
            t[k][i] = static_cast<std::uint16_t>(t[0][prev & 0xFF] ^ (prev >> 8));
        }
    }
    return t;
}

constexpr Tables kTables = makeTables();

}  // namespace

std::uint16_t crc16(const std::uint8_t* data, std::size_t n, std::uint16_t crc) {
    while (n >= 8) {
        crc = static_cast<std::uint16_t>(
            kTables[7][(data[0] ^ crc) & 0xFF] ^ kTables[6][(data[1] ^ (crc >> 8)) & 0xFF] ^
            kTables[5][data[2]] ^ kTables[4][data[3]] ^ kTables[3][data[4]] ^
            kTables[2][data[5]] ^ kTables[1][data[6]] ^ kTables[0][data[7]]);
        data += 8;
        n -= 8;
    }
    while (n--) crc = static_cast<std::uint16_t>(kTables[0][(crc ^ *data++) & 0xFF] ^ (crc >> 8));
    return crc;
}

}  // namespace unlha
