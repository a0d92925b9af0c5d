#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "unlha/codec/Method.h"
#include "unlha/io/Stream.h"

namespace unlha {

// One member as its header describes it, whatever the header level.
struct Member {
    std::string methodId;            // "-lh5-", "-lhd-", or whatever the header holds
    std::string path;                // folders joined by '/', a leading '/' when stored
                                     // from the root; a folder entry ends in '/'
    std::uint64_t packedSize = 0;
    std::uint64_t originalSize = 0;
    std::uint16_t crc = 0;           // CRC-16 of the original data
    std::int64_t mtime = 0;          // seconds since 1970-01-01 UTC
    std::optional<std::uint16_t> unixMode;  // st_mode with type bits, when stored
    std::uint8_t headerLevel = 2;
    std::uint8_t os = 'U';

    bool isDirectory() const { return methodId == "-lhd-"; }
};

// Walks an archive member by member. After next() has returned a member,
// exactly one of extract(), ArchiveWriter::copyRaw() or skip() may be called for it; if none
// is, next() skips it.
class ArchiveReader {
public:
    explicit ArchiveReader(const std::string& archivePath);  // IoError if it cannot be opened
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // The next member, or nullptr at the end marker (or a clean end of file).
    // FormatError on a damaged or truncated header.
    const Member* next();
    // Decodes the current member into `out` and verifies its CRC (CrcError).
    // `progress` is told the bytes done so far.
    void extract(ByteSink& out, const std::function<void(std::uint64_t done)>& progress = {});
    void skip();

private:
    friend class ArchiveWriter;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

struct WriteOptions {
    Method method = Method::Lh7;  // Lh0 stores everything
    int headerLevel = 2;          // 0, 1 or 2
};

// Writes a new archive into an open file. The caller decides where that file
// lives (a temporary beside the final archive) and renames it when finish()
// has returned.
class ArchiveWriter {
public:
    ArchiveWriter(const std::string& outputPath, WriteOptions options);  // IoError
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Packs the file at `sourcePath` under `storedPath` ('/'-separated, may begin
    // with '/'), with its modification time and mode. Chooses -lh0- when the
    // method does not shrink the data. IoError when the source cannot be read.
    // The file is read at once and packed while the next ones are read: its
    // member is written, and an error in writing it thrown, by one of the
    // next calls (finish() at the latest). After an error in writing the
    // archive is unfinished, and every later call throws.
    void addFile(const std::string& storedPath, const std::string& sourcePath,
                 const std::function<void(std::uint64_t done, std::uint64_t total)>& progress = {});
    // A -lhd- entry; `storedPath` ends in '/'.
    void addDirectory(const std::string& storedPath, std::int64_t mtime, std::uint16_t mode);
    // Copies the reader's current member, header and data, byte for byte.
    void copyRaw(ArchiveReader& reader);
    // Writes the end marker, flushes and syncs the file and closes it.
    void finish();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace unlha
