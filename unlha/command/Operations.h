#pragma once
#include "unlha/command/CommandLine.h"
#include "unlha/command/Log.h"
#include "unlha/command/Progress.h"

// The commands. Each returns a result code for failures it went on after
// (a member it could not extract) and throws CommandError for those that end it.
namespace unlha {

int pack(const Command& command, Log& log, const Progress& progress);     // a, u
int extract(const Command& command, Log& log, const Progress& progress);  // x
int list(const Command& command, Log& log);                               // l
int test(const Command& command, Log& log, const Progress& progress);     // t

}  // namespace unlha
