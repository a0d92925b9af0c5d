#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vesk {

// Reads a definition file into a slot of the table; true when accepted.
using ReadDefinition = std::function<bool(const std::string& fileName, int slot)>;

// Examines the first MaxGames of `names`, in their order. Each is read into
// the slot after the last accepted one, so accepted games take consecutive
// slots from 0; `accepted(slot)` runs after each acceptance. Returns the
// number accepted. An error from `read` ends the walk and goes on to the
// caller, the games accepted before it already reported.
int readGameList(const std::vector<std::string>& names, const ReadDefinition& read,
                 const std::function<void(int slot)>& accepted);

}  // namespace vesk
