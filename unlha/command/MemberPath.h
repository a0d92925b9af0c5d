#pragma once
#include <optional>
#include <string>

#include "unlha/format/Archive.h"

namespace unlha {

// Why a member may not be extracted, or nothing when it may: a path with a
// ".." component could climb out of where it is meant to go, and anything
// but a plain file or a folder (a symbolic link, a device) is not a save.
std::optional<std::string> refusalReason(const Member& member);

// Where a member goes. Without a destination, an absolute member goes back to
// its absolute path and a relative one below the current folder; with one,
// both go below the destination. No trailing '/' for folders.
std::string destinationOf(const std::string& memberPath, const std::optional<std::string>& destination);

// The absolute, lexically normal form of a path as given ('//' and '.' and
// '..' folded, no trailing '/' except for the root itself).
std::string absolutePath(const std::string& path);

}  // namespace unlha
