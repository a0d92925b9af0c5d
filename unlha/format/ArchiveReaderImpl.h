#pragma once
#include <cstdint>
#include <optional>

#include "unlha/format/Archive.h"
#include "unlha/format/Header.h"
#include "unlha/io/File.h"

namespace unlha {

// The reader's state, shared with ArchiveWriter::copyRaw.
struct ArchiveReader::Impl {
    explicit Impl(const std::string& path) : file(path) {}

    // Marks the current member used; Error if there is none or it was used.
    void take();

    InputFile file;
    std::optional<StoredHeader> current;
    std::uint64_t dataStart = 0;   // offset of the current member's data
    std::uint64_t nextHeader = 0;  // offset of the header after it
    bool taken = true;
    bool ended = false;
};

// Reads at most `limit` bytes of a file from its current position.
class LimitedSource : public ByteSource {
public:
    LimitedSource(ByteSource& in, std::uint64_t limit) : in_(in), left_(limit) {}
    std::size_t read(std::uint8_t* buffer, std::size_t n) override;
    std::uint64_t left() const { return left_; }

private:
    ByteSource& in_;
    std::uint64_t left_;
};

}  // namespace unlha
