#pragma once
#include <cstddef>
#include <cstdint>

namespace unlha {

// Pull-style input: read() fills up to n bytes and returns how many it gave;
// 0 means the end. Codecs and the archive writer read through this so that a
// member of any size streams through a fixed buffer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t read(std::uint8_t* buffer, std::size_t n) = 0;
};

// Push-style output.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const std::uint8_t* data, std::size_t n) = 0;
};

}  // namespace unlha
