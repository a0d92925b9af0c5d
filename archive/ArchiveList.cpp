#include "archive/ArchiveList.h"

#include <algorithm>

namespace vesk {

namespace {

// The extension with its dot, as the mask "*.lzh" guarantees it.
constexpr std::size_t ExtensionLength = 4;

}  // namespace

std::vector<ArchiveFile> archiveList(const std::vector<std::string>& fileNames)
{
    const std::size_t count = std::min(fileNames.size(), static_cast<std::size_t>(MaxArchives));
    std::vector<ArchiveFile> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& fileName = fileNames[i];
        lines.push_back({fileName.substr(0, fileName.size() - std::min(fileName.size(), ExtensionLength)), fileName});
    }
    return lines;
}

ArchiveFile archiveNamed(const std::string& name)
{
    return {name, name + ".lzh"};
}

}  // namespace vesk
