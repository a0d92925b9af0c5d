#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
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

std::vector<std::uint8_t> fixture(const std::string& name) {
    return readBytes(std::string(UNLHA_FIXTURES) + "/jlha/" + name);
}

TEST(DamagedArchive, EveryTruncationIsReadOrRefused) {
    TempFolder tmp;
    auto whole = fixture("lv0_lh5.lzh");
    std::string path = tmp / "cut.lzh";
    std::size_t accepted = 0;
    for (std::size_t n = 0; n < whole.size(); ++n) {
        writeBytes(path, std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n)));
        accepted += readsCleanly(path);
    }
    // Only cuts between members (and the empty file) read cleanly.
    EXPECT_LE(accepted, 6u);
    EXPECT_GE(accepted, 1u);
}

TEST(DamagedArchive, EveryFlippedByteIsReadOrRefused) {
    TempFolder tmp;
    std::string path = tmp / "flip.lzh";
    for (const char* name : {"lv0_lh7.lzh", "lv1_lh6.lzh", "lv2_lh5.lzh"}) {
        SCOPED_TRACE(name);
        auto original = fixture(name);
        std::size_t refused = 0;
        const std::uint8_t masks[] = {0x01, 0x80, 0xFF};
        for (std::size_t at = 0; at < original.size(); ++at) {
            auto bytes = original;
            bytes[at] ^= masks[at % 3];
            writeBytes(path, bytes);
            refused += !readsCleanly(path);
        }
        // The data CRC catches nearly every change inside compressed data.
        EXPECT_GT(refused, original.size() * 2 / 3);
    }
}

}  // namespace
