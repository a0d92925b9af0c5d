#pragma once
#include <string_view>

namespace vesk {

// The platform's path separator. Paths are joined by plain concatenation,
// and this is the only place that spells the separator.
inline constexpr char PathSeparatorChar = '/';
inline constexpr std::string_view PathSeparator = "/";

}  // namespace vesk
