#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "unlha/format/Archive.h"

namespace unlha {

enum class Verb { Add, Update, Extract, List, Test };

// One parsed command line.
struct Command {
    Verb verb = Verb::List;
    bool fullPaths = false;  // -x1: store the absolute path of every file
    bool progress = true;    // -n turns progress reports off
    WriteOptions write;      // -o5/-o6/-o7/-z and -h0/-h1/-h2
    std::string archive;     // as named on the command line
    std::optional<std::string> destination;  // x only: a folder ending in '/'
    std::vector<std::string> files;
};

// Splits a command line into words. Blanks separate words; double quotes
// group blanks into a word and are removed. A line that begins with a blank
// has an empty first word, so it names no command.
std::vector<std::string> splitCommandLine(std::string_view line);

// Reads the words as command, switches, archive, then files. Throws
// CommandError(BadCommandLine) for an unknown command or switch, an empty
// command word or a missing archive name.
Command parseCommand(const std::vector<std::string>& words);

// The archive path for a name as the command line gives it: ".lzh" appended
// unless the name already ends in it, without regard to case.
std::string withLzhExtension(const std::string& name);

// For x, l and t: the name itself when a file of exactly that name exists (an
// archive called "saves.lha"), otherwise withLzhExtension(name), or when that
// does not exist either, the same name with ".lzh" in another case ("Game.LZH").
std::string archiveToRead(const std::string& name);

}  // namespace unlha
