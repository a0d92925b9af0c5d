#pragma once
#include <algorithm>
#include <cstring>
#include <vector>

#include "unlha/io/Stream.h"

namespace unlha {

// Reads from bytes held by the caller.
class MemorySource : public ByteSource {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), left_(size) {}
    explicit MemorySource(const std::vector<std::uint8_t>& bytes) : MemorySource(bytes.data(), bytes.size()) {}
    std::size_t read(std::uint8_t* buffer, std::size_t n) override {
        std::size_t take = std::min(n, left_);
        if (take > 0) std::memcpy(buffer, data_, take);
        data_ += take;
        left_ -= take;
        return take;
    }

private:
    const std::uint8_t* data_;
    std::size_t left_;
};

// Collects everything written.
class MemorySink : public ByteSink {
public:
    void write(const std::uint8_t* data, std::size_t n) override { bytes.insert(bytes.end(), data, data + n); }
    std::vector<std::uint8_t> bytes;
};

// Discards everything written (testing an archive, fuzzing).
class NullSink : public ByteSink {
public:
    void write(const std::uint8_t*, std::size_t) override {}
};

}  // namespace unlha
