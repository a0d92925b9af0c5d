#pragma once
#include <string>
#include <vector>

#include "unlha/command/Log.h"

namespace unlha {

// Parses the words of a command line (splitCommandLine's, or a program's
// argv) and runs the command. Returns its result code; every failure is also
// written to the log.
int runCommand(const std::vector<std::string>& words, Log& log);

}  // namespace unlha
