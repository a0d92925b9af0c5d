#pragma once
#include <string>
#include <vector>

namespace vesk {

// One line of the archive list: the name it shows, which restore and
// deletion go by, and the file it was read from as the folder spells it.
// The file is the name followed by ".lzh", unless the folder writes the
// extension in other letter case (x.LZH on a file system that tells case
// apart).
struct ArchiveFile {
    std::string name;
    std::string fileName;
};

// The archive list holds at most this many lines.
inline constexpr int MaxArchives = 500;

// The lines for a folder's "*.lzh" names, in the order given: the first
// MaxArchives names, each shown without its last four characters.
std::vector<ArchiveFile> archiveList(const std::vector<std::string>& fileNames);

// The archive of a name whose file is not known: the name followed by ".lzh".
ArchiveFile archiveNamed(const std::string& name);

}  // namespace vesk
