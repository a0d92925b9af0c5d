#include "unlha/command/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "unlha/Error.h"

namespace unlha {
namespace {

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw IoError("cannot open folder " + folder + ": " + systemError(errno));
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0 && error != EINVAL) throw IoError("cannot sync folder " + folder + ": " + systemError(error));
}

}  // namespace

std::string systemError(int error) { return std::strerror(error); }

TemporaryFile::TemporaryFile(const std::string& folder) {
    std::string pattern = (folder.empty() || folder.back() == '/' ? folder : folder + "/") + ".unlha-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) throw IoError("cannot create a temporary file in " + folder + ": " + systemError(errno));
    path_ = name.data();
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
}

void TemporaryFile::syncAndClose() {
    if (fd_ < 0) return;
    const int synced = ::fsync(fd_);
    const int error = errno;
    const int closed = ::close(fd_);
    fd_ = -1;
    if (synced != 0 || closed != 0)
        throw IoError("cannot write " + path_ + ": " + systemError(synced != 0 ? error : errno));
}

void TemporaryFile::renameTo(const std::string& target) {
    syncAndClose();
    if (::rename(path_.c_str(), target.c_str()) != 0)
        throw IoError("cannot replace " + target + ": " + systemError(errno));
    renamed_ = true;
    syncFolder(folderOf(target));
}

void DescriptorSink::write(const std::uint8_t* data, std::size_t n) {
    while (n > 0 && error_ == 0) {
        const ssize_t written = ::write(fd_, data, n);
        if (written < 0) {
            if (errno != EINTR) error_ = errno;
            continue;
        }
        data += written;
        n -= static_cast<std::size_t>(written);
    }
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void makeFolders(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) == 0) {
        if (!path.empty() && !S_ISDIR(st.st_mode)) throw IoError(path + " exists and is not a folder");
        return;
    }
    const std::string parent = folderOf(path);
    if (parent != path && parent != ".") makeFolders(parent);
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST)
        throw IoError("cannot create folder " + path + ": " + systemError(errno));
}

}  // namespace unlha
