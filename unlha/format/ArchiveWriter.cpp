#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "unlha/Error.h"
#include "unlha/codec/Encoder.h"
#include "unlha/format/ArchiveReaderImpl.h"
#include "unlha/format/Crc16.h"
#include "unlha/format/Header.h"
#include "unlha/io/File.h"

namespace unlha {

namespace {

constexpr std::size_t kCopyBuffer = 1 << 18;

// Reads exactly `size` bytes of a source file, keeping their CRC and telling
// progress. A file that turns out shorter than it was is an IoError.
class MemberSource : public ByteSource {
public:
    MemberSource(InputFile& file, std::uint64_t size,
                 const std::function<void(std::uint64_t, std::uint64_t)>& progress)
        : file_(file), size_(size), progress_(progress) {}

    std::size_t read(std::uint8_t* buffer, std::size_t n) override {
        std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - done_));
        if (want == 0) return 0;
        std::size_t got = file_.read(buffer, want);
        if (got == 0) throw IoError("file changed while it was read: " + file_.path());
        crc_ = crc16(buffer, got, crc_);
        done_ += got;
        if (progress_) progress_(done_, size_);
        return got;
    }
    bool complete() const { return done_ == size_; }
    std::uint16_t crc() const { return crc_; }

private:
    InputFile& file_;
    std::uint64_t size_;
    const std::function<void(std::uint64_t, std::uint64_t)>& progress_;
    std::uint64_t done_ = 0;
    std::uint16_t crc_ = 0;
};

void copyAll(ByteSource& in, ByteSink& out) {
    std::vector<std::uint8_t> buffer(kCopyBuffer);
    while (std::size_t got = in.read(buffer.data(), buffer.size())) out.write(buffer.data(), got);
}

}  // namespace

struct ArchiveWriter::Impl {
    Impl(const std::string& path, WriteOptions o) : out(path), options(o) {
        if (o.headerLevel < 0 || o.headerLevel > 2) throw Error("header level must be 0, 1 or 2");
        if (o.method == Method::Lhd) throw Error("-lhd- is not a method for file data");
    }

    // Writes `m`'s header again at `at`, now with its real sizes and CRC.
    void rewriteHeader(std::uint64_t at, std::size_t length, const Member& m) {
        std::vector<std::uint8_t> header = writeHeader(m);
        if (header.size() != length) throw Error("header length changed for " + m.path);
        std::uint64_t end = out.position();
        out.seek(at);
        out.write(header.data(), header.size());
        out.seek(end);
    }

    OutputFile out;
    WriteOptions options;
    // Made with the first member to compress, then kept for the others.
    std::unique_ptr<LhEncoder> encoder;
};

ArchiveWriter::ArchiveWriter(const std::string& outputPath, WriteOptions options)
    : impl_(std::make_unique<Impl>(outputPath, options)) {}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::addFile(const std::string& storedPath, const std::string& sourcePath,
                            const std::function<void(std::uint64_t, std::uint64_t)>& progress) {
    Impl& w = *impl_;
    struct stat st {};
    if (::stat(sourcePath.c_str(), &st) != 0) {
        throw IoError("cannot open " + sourcePath + ": " + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) throw IoError("not a regular file: " + sourcePath);
    InputFile source(sourcePath);
    const std::uint64_t size = source.size();

    Member m;
    bool compress = size > 0 && w.options.method != Method::Lh0;
    m.methodId = std::string(methodId(compress ? w.options.method : Method::Lh0));
    m.path = storedPath;
    m.originalSize = size;
    m.packedSize = size;  // never more than this; the header's layout is fixed by the largest value
    m.mtime = st.st_mtime;
    m.unixMode = static_cast<std::uint16_t>(st.st_mode);
    m.headerLevel = static_cast<std::uint8_t>(w.options.headerLevel);

    const std::uint64_t headerAt = w.out.position();
    std::vector<std::uint8_t> placeholder = writeHeader(m);
    w.out.write(placeholder.data(), placeholder.size());
    const std::uint64_t dataAt = w.out.position();

    bool stored = !compress;
    if (compress) {
        MemberSource in(source, size, progress);
        if (!w.encoder) w.encoder = std::make_unique<LhEncoder>();
        std::optional<std::uint64_t> packed = w.encoder->encode(w.options.method, in, size, w.out, size);
        if (packed) {
            if (!in.complete()) throw Error("encoder stopped before the end of " + sourcePath);
            m.packedSize = *packed;
            m.crc = in.crc();
        } else {
            // Not worth compressing: store it instead, over the abandoned stream.
            w.out.truncate(dataAt);
            source.seek(0);
            stored = true;
        }
    }
    if (stored) {
        MemberSource in(source, size, progress);
        copyAll(in, w.out);
        if (!in.complete()) throw IoError("file changed while it was read: " + sourcePath);
        m.methodId = std::string(methodId(Method::Lh0));
        m.packedSize = size;
        m.crc = in.crc();
    }
    if (w.out.position() - dataAt != m.packedSize) throw Error("packed size mismatch for " + sourcePath);
    w.rewriteHeader(headerAt, placeholder.size(), m);
}

void ArchiveWriter::addDirectory(const std::string& storedPath, std::int64_t mtime, std::uint16_t mode) {
    Member m;
    m.methodId = std::string(methodId(Method::Lhd));
    m.path = storedPath;
    m.mtime = mtime;
    m.unixMode = (mode & S_IFMT) != 0 ? mode : static_cast<std::uint16_t>(mode | S_IFDIR);
    m.headerLevel = static_cast<std::uint8_t>(impl_->options.headerLevel);
    std::vector<std::uint8_t> header = writeHeader(m);
    impl_->out.write(header.data(), header.size());
}

void ArchiveWriter::copyRaw(ArchiveReader& reader) {
    ArchiveReader::Impl& r = *reader.impl_;
    r.take();
    const StoredHeader& h = *r.current;
    impl_->out.write(h.bytes.data(), h.bytes.size());
    r.file.seek(r.dataStart);
    LimitedSource data(r.file, h.member.packedSize);
    copyAll(data, impl_->out);
    if (data.left() != 0) throw FormatError("member data is truncated: " + h.member.path);
}

void ArchiveWriter::finish() {
    const std::uint8_t endMarker = 0;
    impl_->out.write(&endMarker, 1);
    impl_->out.close();
}

}  // namespace unlha
