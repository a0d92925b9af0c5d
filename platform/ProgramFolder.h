#pragma once
#include <string>

namespace vesk {

// The folder that holds the running program's own file, ending in the path
// separator: the settings file, DataFile/ and backup/ live there.
const std::string& programFolder();

// Makes programFolder() answer `folder` (which must end in the separator);
// an empty text returns to the real folder. For tests.
void overrideProgramFolder(const std::string& folder);

}  // namespace vesk
