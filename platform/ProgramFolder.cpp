#include "platform/ProgramFolder.h"

#include "platform/CodePage.h"
#include "platform/Path.h"

#include <cstdlib>
#include <memory>

namespace vesk {

namespace {

std::string& overridden()
{
    static std::string folder;
    return folder;
}

std::string folderOfRunningProgram()
{
    std::unique_ptr<char, decltype(&std::free)> real(realpath("/proc/self/exe", nullptr), &std::free);
    std::string path = real ? real.get() : "";
    const std::size_t cut = lastDelimiter(path, PathSeparator, activeCodePage());
    return cut == std::string::npos ? std::string(PathSeparator) : path.substr(0, cut + 1);
}

}  // namespace

const std::string& programFolder()
{
    static const std::string real = folderOfRunningProgram();
    return overridden().empty() ? real : overridden();
}

void overrideProgramFolder(const std::string& folder)
{
    overridden() = folder;
}

}  // namespace vesk
