#pragma once
#include <cstdint>
#include <string>
#include <utility>

#include "unlha/io/Stream.h"

namespace unlha {

// A new file in `folder` with a name that begins with ".", so that no list
// shows it. It is removed again unless renameTo() put it in place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder);  // IoError
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    int descriptor() const { return fd_; }
    // Flushes the data to the disk and closes the file.
    void syncAndClose();
    // Replaces `target` by this file in one step and syncs the folder, so the
    // new name survives a crash.
    void renameTo(const std::string& target);

private:
    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

// Writes to an open file descriptor. A failed write does not throw, so that
// the decoder feeding it finishes its member cleanly; the caller asks
// failure() afterwards.
class DescriptorSink : public ByteSink {
public:
    explicit DescriptorSink(int fd) : fd_(fd) {}
    void write(const std::uint8_t* data, std::size_t n) override;
    // errno of the first failed write, or 0.
    int failure() const { return error_; }

private:
    int fd_;
    int error_ = 0;
};

// Drops every byte: a test pass decodes into this.
class DiscardSink : public ByteSink {
public:
    void write(const std::uint8_t*, std::size_t) override {}
};

// The folder part of a path ("." when it has none, "/" for a file in the root).
std::string folderOf(const std::string& path);
// Creates the folder and every missing folder above it. IoError.
void makeFolders(const std::string& path);
// The text of errno for messages.
std::string systemError(int error);

}  // namespace unlha
