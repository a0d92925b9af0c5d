#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "unlha/io/Stream.h"

namespace unlha {

// A file opened for reading through a large buffer, with seeking. Reads past
// the end return short counts; every system failure is an IoError naming the path.
class InputFile : public ByteSource {
public:
    explicit InputFile(const std::string& path);
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::size_t read(std::uint8_t* buffer, std::size_t n) override;
    void seek(std::uint64_t offset);
    std::uint64_t position() const { return bufferStart_ + next_; }
    std::uint64_t size() const { return size_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::size_t capacity_ = 0;  // no larger than the file needs
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::size_t next_ = 0;           // next unread byte in buffer_
    std::size_t filled_ = 0;         // valid bytes in buffer_
};

// A file created (or truncated) for writing through a large buffer, with
// seeking back to rewrite a header and truncation after a discarded attempt.
class OutputFile : public ByteSink {
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile() override;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(const std::uint8_t* data, std::size_t n) override;
    std::uint64_t position() const { return flushedEnd_ + used_; }
    void seek(std::uint64_t offset);
    // Cuts the file at `offset` and continues writing there.
    void truncate(std::uint64_t offset);
    // Flushes, syncs to disk and closes; IoError if any of it fails.
    void close();
    const std::string& path() const { return path_; }

private:
    void flush();

    std::string path_;
    int fd_ = -1;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
    std::uint64_t flushedEnd_ = 0;  // file offset where buffer_[0] goes
};

}  // namespace unlha
