#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "unlha/command/Log.h"

namespace unlha {

// A file or folder to pack, and the path it is stored under.
struct Source {
    std::string storedPath;  // a folder's ends in '/'
    std::string diskPath;
    bool folder = false;
    std::int64_t mtime = 0;
    std::uint16_t mode = 0;
};

// The sources for the names on a command line: each file, and each folder
// with everything below it (folders before their contents, names in byte
// order). With fullPaths a source is stored under its absolute path, otherwise
// under its base name. A name that does not exist, and anything that is
// neither a file nor a folder, is skipped with a warning. A base name with
// '*' or '?' that names no file matches the names of its folder. The archive
// being written (`archivePath`) is never its own source; a stored path given
// twice is packed once.
std::vector<Source> collectSources(const std::vector<std::string>& names, bool fullPaths,
                                   const std::string& archivePath, Log& log);

}  // namespace unlha
