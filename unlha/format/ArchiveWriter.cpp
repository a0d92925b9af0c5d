#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
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

using ProgressFunction = std::function<void(std::uint64_t, std::uint64_t)>;

constexpr std::size_t kCopyBuffer = 1 << 18;

// Reads exactly `size` bytes of a source file, keeping their CRC and telling
// progress. A file that turns out shorter than it was is an IoError.
class MemberSource : public ByteSource {
public:
    MemberSource(InputFile& file, std::uint64_t size, const ProgressFunction& progress)
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
    const ProgressFunction& progress_;
    std::uint64_t done_ = 0;
    std::uint16_t crc_ = 0;
};

void copyAll(ByteSource& in, ByteSink& out) {
    std::vector<std::uint8_t> buffer(kCopyBuffer);
    while (std::size_t got = in.read(buffer.data(), buffer.size())) out.write(buffer.data(), got);
}

// A member on its way into the archive: its file has been read, and its
// header and data are written once the encoder has its stream ready.
struct PendingMember {
    Member member;
    std::unique_ptr<InputFile> source;  // kept open in case the data must be stored
    ProgressFunction progress;
    std::uint64_t headerAt = 0;
    std::size_t headerLength = 0;  // 0 until the placeholder header is written
};

}  // namespace

struct ArchiveWriter::Impl {
    Impl(const std::string& path, WriteOptions o) : out(path), options(o) {
        if (o.headerLevel < 0 || o.headerLevel > 2) throw Error("header level must be 0, 1 or 2");
        if (o.method == Method::Lhd) throw Error("-lhd- is not a method for file data");
    }

    // Runs a step that writes to the archive. A step that fails leaves the
    // archive unfinished (a member half written, or parts of one still in
    // the encoder), so no later step may run.
    template <class Step> void guarded(Step step) {
        if (broken) throw Error("the archive was left unfinished by an earlier error");
        try {
            step();
        } catch (...) {
            broken = true;
            throw;
        }
    }

    LhEncoder& lhEncoder() {
        if (!encoder) encoder = std::make_unique<LhEncoder>();
        return *encoder;
    }

    // The header as it stands for now; its layout does not depend on the
    // sizes and CRC written later.
    void beginMember(PendingMember& p) {
        p.headerAt = out.position();
        const std::vector<std::uint8_t> placeholder = writeHeader(p.member);
        out.write(placeholder.data(), placeholder.size());
        p.headerLength = placeholder.size();
    }

    // After the stream of `packedSize` bytes, or with none, the file stored
    // over whatever stream was abandoned; then the header again with the
    // real sizes and CRC.
    void endMember(PendingMember& p, std::optional<std::uint64_t> packedSize) {
        Member& m = p.member;
        const std::uint64_t dataAt = p.headerAt + p.headerLength;
        if (packedSize) {
            m.packedSize = *packedSize;
        } else {
            out.truncate(dataAt);
            p.source->seek(0);
            MemberSource in(*p.source, m.originalSize, p.progress);
            copyAll(in, out);
            if (!in.complete()) throw IoError("file changed while it was read: " + p.source->path());
            m.methodId = std::string(methodId(Method::Lh0));
            m.packedSize = m.originalSize;
            m.crc = in.crc();
        }
        if (out.position() - dataAt != m.packedSize) throw Error("packed size mismatch for " + p.source->path());
        rewriteHeader(p.headerAt, p.headerLength, m);
    }

    // Writes what the encoder has ready of the oldest pending member.
    void collectOne() {
        PendingMember& head = pending.front();
        if (head.headerLength == 0) beginMember(head);
        const LhEncoder::Collected part = encoder->collect(out);
        if (!part.streamEnded) return;
        endMember(head, part.length);
        pending.pop_front();
    }

    void writePending() {
        while (!pending.empty()) collectOne();
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
    bool broken = false;
    // In the order of the archive.
    std::deque<PendingMember> pending;
    // Made with the first member to compress, then kept for the others.
    // Declared after `pending`, so that its jobs are finished before the
    // pending files close.
    std::unique_ptr<LhEncoder> encoder;
};

ArchiveWriter::ArchiveWriter(const std::string& outputPath, WriteOptions options)
    : impl_(std::make_unique<Impl>(outputPath, options)) {}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::addFile(const std::string& storedPath, const std::string& sourcePath,
                            const ProgressFunction& progress) {
    Impl& w = *impl_;
    struct stat st {};
    if (::stat(sourcePath.c_str(), &st) != 0) {
        throw IoError("cannot open " + sourcePath + ": " + std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) throw IoError("not a regular file: " + sourcePath);
    PendingMember p{Member{}, std::make_unique<InputFile>(sourcePath), progress};
    const std::uint64_t size = p.source->size();

    Member& m = p.member;
    const bool compress = size > 0 && w.options.method != Method::Lh0;
    m.methodId = std::string(methodId(compress ? w.options.method : Method::Lh0));
    m.path = storedPath;
    m.originalSize = size;
    m.packedSize = size;  // never more than this; the header's layout is fixed by the largest value
    m.mtime = st.st_mtime;
    m.unixMode = static_cast<std::uint16_t>(st.st_mode);
    m.headerLevel = static_cast<std::uint8_t>(w.options.headerLevel);

    w.guarded([&] {
        if (!compress) {
            w.writePending();
            w.beginMember(p);
            w.endMember(p, std::nullopt);
            return;
        }
        // Read now and packed while the next files are read; written in turn.
        LhEncoder& encoder = w.lhEncoder();
        w.pending.push_back(std::move(p));
        PendingMember& added = w.pending.back();
        MemberSource in(*added.source, size, progress);
        encoder.start(w.options.method, in, size, size, [&w] { w.collectOne(); });
        added.member.crc = in.crc();
    });
}

void ArchiveWriter::addDirectory(const std::string& storedPath, std::int64_t mtime, std::uint16_t mode) {
    Member m;
    m.methodId = std::string(methodId(Method::Lhd));
    m.path = storedPath;
    m.mtime = mtime;
    m.unixMode = (mode & S_IFMT) != 0 ? mode : static_cast<std::uint16_t>(mode | S_IFDIR);
    m.headerLevel = static_cast<std::uint8_t>(impl_->options.headerLevel);
    impl_->guarded([&] {
        impl_->writePending();
        std::vector<std::uint8_t> header = writeHeader(m);
        impl_->out.write(header.data(), header.size());
    });
}

void ArchiveWriter::copyRaw(ArchiveReader& reader) {
    ArchiveReader::Impl& r = *reader.impl_;
    r.take();
    const StoredHeader& h = *r.current;
    impl_->guarded([&] {
        impl_->writePending();
        impl_->out.write(h.bytes.data(), h.bytes.size());
        r.file.seek(r.dataStart);
        LimitedSource data(r.file, h.member.packedSize);
        copyAll(data, impl_->out);
        if (data.left() != 0) throw FormatError("member data is truncated: " + h.member.path);
    });
}

void ArchiveWriter::finish() {
    impl_->guarded([&] {
        impl_->writePending();
        const std::uint8_t endMarker = 0;
        impl_->out.write(&endMarker, 1);
        impl_->out.close();
    });
}

}  // namespace unlha
