#include <algorithm>
#include <vector>

#include "unlha/Error.h"
#include "unlha/codec/Decoder.h"
#include "unlha/format/ArchiveReaderImpl.h"
#include "unlha/format/Crc16.h"

namespace unlha {

namespace {

constexpr std::size_t kCopyBuffer = 1 << 18;

// Passes data on while keeping its CRC and telling progress.
class CheckingSink : public ByteSink {
public:
    CheckingSink(ByteSink& out, const std::function<void(std::uint64_t)>& progress)
        : out_(out), progress_(progress) {}
    void write(const std::uint8_t* data, std::size_t n) override {
        crc_ = crc16(data, n, crc_);
        out_.write(data, n);
        done_ += n;
        if (progress_) progress_(done_);
    }
    std::uint16_t crc() const { return crc_; }

private:
    ByteSink& out_;
    const std::function<void(std::uint64_t)>& progress_;
    std::uint16_t crc_ = 0;
    std::uint64_t done_ = 0;
};

void copyStored(ByteSource& in, std::uint64_t size, ByteSink& out) {
    std::vector<std::uint8_t> buffer(kCopyBuffer);
    while (size > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, buffer.size()));
        std::size_t got = in.read(buffer.data(), want);
        if (got == 0) throw FormatError("member data is truncated");
        out.write(buffer.data(), got);
        size -= got;
    }
}

}  // namespace

std::size_t LimitedSource::read(std::uint8_t* buffer, std::size_t n) {
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(n, left_));
    std::size_t got = want == 0 ? 0 : in_.read(buffer, want);
    left_ -= got;
    return got;
}

void ArchiveReader::Impl::take() {
    if (!current || taken) throw Error("no member to read");
    taken = true;
}

ArchiveReader::ArchiveReader(const std::string& archivePath) : impl_(std::make_unique<Impl>(archivePath)) {}

ArchiveReader::~ArchiveReader() = default;

const Member* ArchiveReader::next() {
    Impl& s = *impl_;
    s.current.reset();
    s.taken = true;
    if (s.ended) return nullptr;
    s.file.seek(s.nextHeader);
    try {
        s.current = readHeader(s.file);
    } catch (...) {
        s.ended = true;
        throw;
    }
    if (!s.current) {
        s.ended = true;
        return nullptr;
    }
    s.dataStart = s.file.position();
    const Member& m = s.current->member;
    if (m.packedSize > s.file.size() - std::min(s.dataStart, s.file.size())) {
        s.ended = true;
        s.current.reset();
        throw FormatError("member data is truncated");
    }
    s.nextHeader = s.dataStart + m.packedSize;
    s.taken = false;
    return &m;
}

void ArchiveReader::extract(ByteSink& out, const std::function<void(std::uint64_t done)>& progress) {
    Impl& s = *impl_;
    s.take();
    const Member& m = s.current->member;
    std::optional<Method> method = methodFromId(m.methodId);
    if (!method) throw FormatError("unsupported method " + m.methodId + " for " + m.path);
    if (*method == Method::Lhd) return;
    s.file.seek(s.dataStart);
    LimitedSource packed(s.file, m.packedSize);
    CheckingSink checked(out, progress);
    if (*method == Method::Lh0) {
        if (m.packedSize != m.originalSize) throw FormatError("stored member with differing sizes: " + m.path);
        copyStored(packed, m.packedSize, checked);
    } else {
        decodeLh(*method, packed, m.packedSize, checked, m.originalSize);
    }
    if (checked.crc() != m.crc) throw CrcError("CRC error in " + m.path);
}

void ArchiveReader::skip() { impl_->take(); }

}  // namespace unlha
