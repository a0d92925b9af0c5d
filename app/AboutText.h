#pragma once
#include <cstdint>
#include <string>

namespace vesk {

// The About box's text: the program's name and version, what it does, and
// the version of the archiver library it drives.
std::string aboutText(std::uint16_t archiverVersion);

}  // namespace vesk
