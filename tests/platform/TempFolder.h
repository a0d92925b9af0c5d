#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh folder for one test, removed afterwards; the current directory is
// put back as it was.
class TempFolder {
public:
    TempFolder() : previous_(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
        path_ = std::string(mkdtemp(pattern.data())) + "/";
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + relative; }

    void write(const std::string& relative, const std::string& contents) const
    {
        std::filesystem::create_directories(std::filesystem::path(path_ + relative).parent_path());
        std::ofstream(path_ + relative, std::ios::binary) << contents;
    }
    std::string read(const std::string& relative) const
    {
        std::ifstream in(path_ + relative, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path previous_;
    std::string path_;
};
