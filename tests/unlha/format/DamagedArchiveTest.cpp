#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/unlha/support/TempFolder.h"
#include "unlha/Error.h"
#include "unlha/format/Archive.h"
#include "unlha/io/Memory.h"

namespace {

// Members claiming more than this are listed but not decoded: a damaged size
// field can ask for gigabytes, which only costs time.
constexpr std::uint64_t kDecodeLimit = 16u << 20;

// Reads the whole archive. True when it is read without complaint, false on
// an unlha::Error; anything else (another exception, a crash) fails the test.
bool readsCleanly(const std::string& path) {
    try {
        unlha::ArchiveReader reader(path);
        while (const unlha::Member* m = reader.next()) {
            if (m->originalSize > kDecodeLimit) continue;
            unlha::NullSink sink;
            reader.extract(sink);
        }
        return true;
    } catch (const unlha::Error&) {
        return false;
    }
}

// An in-memory file with a path, rewritten for every variant: thousands of
// variants on a real disk would spend their time in the kernel.
class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("damaged-archive", 0)) {}
    ~MemoryFile() { close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    void set(const std::vector<std::uint8_t>& bytes) {
        ASSERT_GE(fd_, 0);
        ASSERT_EQ(ftruncate(fd_, 0), 0);
        ASSERT_EQ(pwrite(fd_, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
    }
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

std::vector<std::uint8_t> fixture(const std::string& name) {
    return readBytes(std::string(UNLHA_FIXTURES) + "/" + name);
}

TEST(DamagedArchive, EveryTruncationIsReadOrRefused) {
    MemoryFile file;
    auto whole = fixture("jlha/lv0_lh5.lzh");
    std::size_t accepted = 0;
    for (std::size_t n = 0; n < whole.size(); ++n) {
        file.set(std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)));
        accepted += readsCleanly(file.path());
    }
    // Only cuts between members (and the empty file) read cleanly.
    EXPECT_LE(accepted, 6u);
    EXPECT_GE(accepted, 1u);
}

TEST(DamagedArchive, EveryFlippedByteIsReadOrRefused) {
    MemoryFile file;
    for (const char* name : {"jlha/lv0_lh7.lzh", "jlha/lv1_lh6.lzh", "jlha/lv2_lh5.lzh", "unlha/lv2_lh7.lzh"}) {
        SCOPED_TRACE(name);
        auto original = fixture(name);
        std::size_t refused = 0;
        for (std::size_t at = 0; at < original.size(); ++at) {
            for (std::uint8_t mask : {0x01, 0x80, 0xFF}) {
                auto bytes = original;
                bytes[at] ^= mask;
                file.set(bytes);
                refused += !readsCleanly(file.path());
            }
        }
        // The data CRC catches nearly every change inside compressed data.
        EXPECT_GT(refused, original.size() * 2);
    }
}

}  // namespace
