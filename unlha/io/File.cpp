#include "unlha/io/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "unlha/Error.h"

namespace unlha {

namespace {

constexpr std::size_t kBufferSize = 1 << 18;

[[noreturn]] void fail(const char* what, const std::string& path) {
    throw IoError(std::string(what) + " " + path + ": " + std::strerror(errno));
}

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) fail("cannot open", path);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        ::close(fd_);
        fail("cannot examine", path);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd_);
        errno = EISDIR;
        fail("cannot read", path);
    }
    size_ = static_cast<std::uint64_t>(st.st_size);
    capacity_ = static_cast<std::size_t>(std::clamp<std::uint64_t>(size_, 1, kBufferSize));
    buffer_.reset(new std::uint8_t[capacity_]);
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t InputFile::read(std::uint8_t* buffer, std::size_t n) {
    std::size_t given = 0;
    while (given < n) {
        if (next_ == filled_) {
            // Large requests bypass the buffer.
            if (n - given >= capacity_) {
                ssize_t got = ::pread(fd_, buffer + given, n - given, static_cast<off_t>(position()));
                if (got < 0) {
                    if (errno == EINTR) continue;
                    fail("cannot read", path_);
                }
                if (got == 0) break;
                bufferStart_ += filled_ + static_cast<std::uint64_t>(got);
                next_ = filled_ = 0;
                given += static_cast<std::size_t>(got);
                continue;
            }
            bufferStart_ += filled_;
            next_ = filled_ = 0;
            ssize_t got = ::pread(fd_, buffer_.get(), capacity_, static_cast<off_t>(bufferStart_));
            if (got < 0) {
                if (errno == EINTR) continue;
                fail("cannot read", path_);
            }
            if (got == 0) break;
            filled_ = static_cast<std::size_t>(got);
        }
        std::size_t take = std::min(n - given, filled_ - next_);
        std::memcpy(buffer + given, buffer_.get() + next_, take);
        next_ += take;
        given += take;
    }
    return given;
}

void InputFile::seek(std::uint64_t offset) {
    if (offset >= bufferStart_ && offset <= bufferStart_ + filled_) {
        next_ = static_cast<std::size_t>(offset - bufferStart_);
        return;
    }
    bufferStart_ = offset;
    next_ = filled_ = 0;
}

OutputFile::OutputFile(const std::string& path) : path_(path), buffer_(new std::uint8_t[kBufferSize]) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) fail("cannot create", path);
}

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
}

void OutputFile::write(const std::uint8_t* data, std::size_t n) {
    while (n > 0) {
        if (used_ == kBufferSize) flush();
        std::size_t take = std::min(n, kBufferSize - used_);
        std::memcpy(buffer_.get() + used_, data, take);
        used_ += take;
        data += take;
        n -= take;
    }
}

void OutputFile::flush() {
    std::size_t done = 0;
    while (done < used_) {
        ssize_t put = ::pwrite(fd_, buffer_.get() + done, used_ - done,
                               static_cast<off_t>(flushedEnd_ + done));
        if (put < 0) {
            if (errno == EINTR) continue;
            fail("cannot write", path_);
        }
        done += static_cast<std::size_t>(put);
    }
    flushedEnd_ += used_;
    used_ = 0;
}

void OutputFile::seek(std::uint64_t offset) {
    flush();
    flushedEnd_ = offset;
}

void OutputFile::truncate(std::uint64_t offset) {
    flush();
    if (::ftruncate(fd_, static_cast<off_t>(offset)) != 0) fail("cannot write", path_);
    flushedEnd_ = offset;
}

void OutputFile::close() {
    if (fd_ < 0) return;
    flush();
    if (::fsync(fd_) != 0) fail("cannot write", path_);
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail("cannot write", path_);
}

}  // namespace unlha
