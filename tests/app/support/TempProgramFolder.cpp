#include "TempProgramFolder.h"

#include "platform/ProgramFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vesk::test {

namespace fs = std::filesystem;

TempProgramFolder::TempProgramFolder() : previousDirectory_(fs::current_path().string())
{
    std::string pattern = (fs::temp_directory_path() / "vesk-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary program folder");
    path_ = pattern + "/";
    overrideProgramFolder(path_);
}

TempProgramFolder::~TempProgramFolder()
{
    overrideProgramFolder("");
    std::error_code ignored;
    fs::current_path(previousDirectory_, ignored);
    fs::remove_all(path_, ignored);
}

void TempProgramFolder::makeFolder(const std::string& relative) const
{
    fs::create_directories(path_ + relative);
}

void TempProgramFolder::writeFile(const std::string& relative, const std::string& contents) const
{
    const fs::path file = path_ + relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
}

std::string TempProgramFolder::readFile(const std::string& relative) const
{
    std::ifstream in(path_ + relative, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool TempProgramFolder::exists(const std::string& relative) const
{
    return fs::exists(path_ + relative);
}

}  // namespace vesk::test
