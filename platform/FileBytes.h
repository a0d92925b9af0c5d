#pragma once
#include <optional>
#include <string>

namespace vesk {

// The whole content of a file, or nothing when it cannot be opened or read
// (a folder, for instance).
std::optional<std::string> readFileBytes(const std::string& path);

}  // namespace vesk
