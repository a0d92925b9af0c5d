#include "platform/FileList.h"

#include "platform/CodePage.h"
#include "platform/Error.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

namespace vesk {

std::string ioErrorText(int errorCode)
{
    switch (errorCode) {
    case ENOENT: return "ﾌｧｲﾙが見つかりません";
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return "ﾌｧｲﾙ名が無効です";
    case EMFILE:
    case ENFILE: return "ｵｰﾌﾟﾝされているﾌｧｲﾙが多すぎます";
    case EACCES:
    case EPERM: return "ﾌｧｲﾙ ｱｸｾｽが拒否されました";
    default: return "I/O ｴﾗｰ " + std::to_string(errorCode);
    }
}

namespace {

bool matchFrom(const std::string& name, std::size_t n, const std::string& mask, std::size_t m)
{
    while (m < mask.size()) {
        if (mask[m] == '*') {
            for (std::size_t k = n; k <= name.size(); ++k)
                if (matchFrom(name, k, mask, m + 1))
                    return true;
            return false;
        }
        if (n == name.size())
            return false;
        if (mask[m] != '?' && asciiLower(std::string_view(&name[n], 1)) != asciiLower(std::string_view(&mask[m], 1)))
            return false;
        ++n;
        ++m;
    }
    return n == name.size();
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const std::string la = asciiLower(a);
    const std::string lb = asciiLower(b);
    return la != lb ? la < lb : a < b;
}

// Plain files of the current directory: regular files or links to them,
// without the hidden names that begin with ".".
std::vector<std::string> readNames(const std::string& mask)
{
    std::vector<std::string> names;
    struct CloseDir {
        void operator()(DIR* dir) const { closedir(dir); }
    };
    std::unique_ptr<DIR, CloseDir> dir(opendir("."));
    if (!dir)
        throw Error(ioErrorText(errno));
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.')
            continue;
        struct stat info {};
        if (stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (matchesMask(name, mask))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

void enter(const std::string& folder)
{
    if (chdir(folder.c_str()) != 0)
        throw Error(ioErrorText(errno));
}

}  // namespace

bool matchesMask(const std::string& name, const std::string& mask)
{
    return matchFrom(name, 0, mask, 0);
}

// Like the toolkit's list, a new list shows the directory that is current
// when it is made.
FileList::FileList(std::string mask) : mask_(std::move(mask))
{
    std::unique_ptr<char, decltype(&std::free)> current(getcwd(nullptr, 0), &std::free);
    if (current)
        directory_ = current.get();
}

void FileList::setDirectory(const std::string& folder)
{
    enter(folder);
    names_ = readNames(mask_);
    directory_ = folder;
}

void FileList::update()
{
    enter(directory_);
    names_ = readNames(mask_);
}

}  // namespace vesk
