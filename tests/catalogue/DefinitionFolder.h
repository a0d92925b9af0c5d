#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A fresh folder that is the current directory while it lives, as the game
// list makes the definition folder current before reading definitions.
class DefinitionFolder {
public:
    DefinitionFolder() : previous_(std::filesystem::current_path())
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk-catalogue-XXXXXX").string();
        path_ = std::string(mkdtemp(pattern.data())) + "/";
        std::filesystem::current_path(path_);
    }
    ~DefinitionFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    DefinitionFolder(const DefinitionFolder&) = delete;
    DefinitionFolder& operator=(const DefinitionFolder&) = delete;

    const std::string& path() const { return path_; }

    // Writes a file (with its folders) below the folder.
    void write(const std::string& relative, const std::string& contents) const
    {
        const std::filesystem::path file = path_ + relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
    }

private:
    std::filesystem::path previous_;
    std::string path_;
};
