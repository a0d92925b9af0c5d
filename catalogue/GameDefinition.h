#pragma once
#include "catalogue/GameEntry.h"

#include <string>

namespace vesk {

// Reads the definition file `fileName` (relative to the current directory)
// into `entry`. True when the file is well formed up to its end marker and
// its check file opens; false rejects it silently, and `entry` then holds
// whatever was taken before the rejection.
//
// Raises "ﾌｧｲﾙ <fileName> は開けません" when the file cannot be opened, and
// "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています" when its lines end before the reader stops.
bool readGameDefinition(const std::string& fileName, GameEntry& entry);

}  // namespace vesk
