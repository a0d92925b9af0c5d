// libFuzzer entry point: reads the input as an archive through ArchiveReader
// and extracts every member to a null sink. Any unlha::Error is an expected
// outcome for damaged input; a crash, a sanitizer report or another exception
// is a finding.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "unlha/Error.h"
#include "unlha/format/Archive.h"
#include "unlha/io/Memory.h"

namespace {

// A member may legitimately expand to gigabytes from a few bytes; decoding
// such a claim only costs time, so larger members are listed but not decoded.
constexpr std::uint64_t kDecodeLimit = 4u << 20;

// The reader takes a path, so each input goes into one in-memory file.
int inputFile() {
    static int fd = [] {
        int f = memfd_create("fuzz-archive", 0);
        if (f < 0) std::abort();
        return f;
    }();
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int fd = inputFile();
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    try {
        unlha::ArchiveReader reader("/proc/self/fd/" + std::to_string(fd));
        while (const unlha::Member* m = reader.next()) {
            if (m->originalSize > kDecodeLimit) continue;
            unlha::NullSink sink;
            reader.extract(sink);
        }
    } catch (const unlha::Error&) {
    }
    return 0;
}
