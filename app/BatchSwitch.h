#pragma once
#include "platform/CodePage.h"

#include <string>
#include <vector>

namespace vesk {

// True when the argument, lower-cased byte by byte, holds a "b" that is not
// the second byte of a double-byte character.
bool isBatchSwitch(const std::string& argument, CodePage codePage);

// True when any of the arguments is one.
bool hasBatchSwitch(const std::vector<std::string>& arguments, CodePage codePage);

}  // namespace vesk
