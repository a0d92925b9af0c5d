#include "unlha/format/Timestamps.h"

#include <ctime>

namespace unlha {

std::uint32_t toDosTime(std::int64_t unixTime) {
    std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) local = std::tm{};
    int year = local.tm_year + 1900;
    if (year < 1980) return (1u << 21) | (1u << 16);  // 1980-01-01 00:00:00
    if (year > 2107) return 0xFF9FBF7Du;              // 2107-12-31 23:59:58
    return static_cast<std::uint32_t>(year - 1980) << 25 | static_cast<std::uint32_t>(local.tm_mon + 1) << 21 |
           static_cast<std::uint32_t>(local.tm_mday) << 16 | static_cast<std::uint32_t>(local.tm_hour) << 11 |
           static_cast<std::uint32_t>(local.tm_min) << 5 | static_cast<std::uint32_t>(local.tm_sec / 2);
}

std::int64_t fromDosTime(std::uint32_t dosTime) {
    if (dosTime == 0) return 0;
    std::tm local{};
    local.tm_year = static_cast<int>(dosTime >> 25) + 80;
    local.tm_mon = static_cast<int>((dosTime >> 21) & 0xF) - 1;
    local.tm_mday = static_cast<int>((dosTime >> 16) & 0x1F);
    local.tm_hour = static_cast<int>((dosTime >> 11) & 0x1F);
    local.tm_min = static_cast<int>((dosTime >> 5) & 0x3F);
    local.tm_sec = static_cast<int>(dosTime & 0x1F) * 2;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
}

std::int64_t fromFileTime(std::uint64_t fileTime) {
    constexpr std::uint64_t kTicksPerSecond = 10000000;
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    return static_cast<std::int64_t>(fileTime / kTicksPerSecond) - kSecondsFrom1601To1970;
}

}  // namespace unlha
