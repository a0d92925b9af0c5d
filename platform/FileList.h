#pragma once
#include <string>
#include <vector>

namespace vesk {

// The hidden file list: the plain files of one folder whose names match a
// mask. Setting the folder, or reading it anew, makes it the process's
// current directory.
class FileList {
public:
    // Starts at the current directory, with no names read yet.
    explicit FileList(std::string mask);

    const std::string& mask() const { return mask_; }
    const std::string& directory() const { return directory_; }
    const std::vector<std::string>& names() const { return names_; }

    // Enters `folder` and reads its names. A folder that cannot be entered
    // raises the I/O error and the list keeps its former folder and names.
    void setDirectory(const std::string& folder);

    // Enters the current folder again and reads its names anew.
    void update();

private:
    std::string mask_;
    std::string directory_;
    std::vector<std::string> names_;
};

// The I/O error text for a system error code, in the toolkit's words.
std::string ioErrorText(int errorCode);

// True when `name` matches the mask ('*' any run, '?' one byte) without
// regard to ASCII letter case.
bool matchesMask(const std::string& name, const std::string& mask);

}  // namespace vesk
