#pragma once
#include <string>

namespace vesk::test {

// A fresh program folder under the system's temporary folder. While it
// lives, programFolder() answers it; at the end the current directory is
// put back and the folder removed with everything in it.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    // The folder, ending in the separator.
    const std::string& path() const { return path_; }

    // path() + relative.
    std::string operator/(const std::string& relative) const { return path_ + relative; }

    // Creates a folder (with its parents) or a file (with its folders) inside.
    void makeFolder(const std::string& relative) const;
    void writeFile(const std::string& relative, const std::string& contents) const;

    // The file's bytes; empty when it does not exist.
    std::string readFile(const std::string& relative) const;
    bool exists(const std::string& relative) const;

private:
    std::string path_;
    std::string previousDirectory_;
};

}  // namespace vesk::test
