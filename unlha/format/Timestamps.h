#pragma once
#include <cstdint>

namespace unlha {

// MS-DOS date and time (levels 0 and 1) as one 32-bit value, date in the high
// half. They hold local time of the machine that wrote them; times outside
// 1980..2107 are clamped.
std::uint32_t toDosTime(std::int64_t unixTime);
std::int64_t fromDosTime(std::uint32_t dosTime);

// Windows FILETIME: 100 ns ticks since 1601-01-01 UTC.
std::int64_t fromFileTime(std::uint64_t fileTime);

}  // namespace unlha
