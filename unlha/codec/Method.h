#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace unlha {

enum class Method : std::uint8_t { Lh0, Lh5, Lh6, Lh7, Lhd };

// The five-character id stored at header offset 2, e.g. "-lh7-".
std::string_view methodId(Method m);
// The method for an id, or nothing for an id this archiver cannot decode.
std::optional<Method> methodFromId(std::string_view id);
// log2 of the sliding window: 13, 15, 16 for -lh5-, -lh6-, -lh7-.
int dictionaryBits(Method m);

}  // namespace unlha
