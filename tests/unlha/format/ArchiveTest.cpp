#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/unlha/support/TempFolder.h"
#include "unlha/Error.h"
#include "unlha/format/Archive.h"
#include "unlha/io/Memory.h"

namespace {

using unlha::ArchiveReader;
using unlha::ArchiveWriter;
using unlha::Member;
using unlha::Method;
using unlha::WriteOptions;

struct Entry {
    Member member;
    std::vector<std::uint8_t> data;
};

std::vector<Entry> readAll(const std::string& archive) {
    ArchiveReader reader(archive);
    std::vector<Entry> entries;
    while (const Member* m = reader.next()) {
        unlha::MemorySink sink;
        reader.extract(sink);
        entries.push_back({*m, sink.bytes});
    }
    return entries;
}

TEST(Archive, WritesAndReadsEveryMethodAndLevel) {
    TempFolder tmp;
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
        {"empty", {}},
        {"one", {'x'}},
        {"words", wordyBytes(200000, 1)},
        {"noise", randomBytes(70000, 2)},
        {"zeros", std::vector<std::uint8_t>(65536, 0)},
    };
    for (const auto& [name, data] : files) writeBytes(tmp / name, data);
    chmod((tmp / "words").c_str(), 0600);

    for (Method method : {Method::Lh0, Method::Lh5, Method::Lh6, Method::Lh7}) {
        for (int level : {0, 1, 2}) {
            SCOPED_TRACE(std::string(unlha::methodId(method)) + " level " + std::to_string(level));
            std::string archive = tmp / "a.lzh";
            ArchiveWriter writer(archive, WriteOptions{method, level});
            writer.addDirectory("saves/", 1600000000, 0755);
            for (const auto& [name, data] : files) writer.addFile("saves/" + name, tmp / name);
            writer.finish();

            std::vector<Entry> entries = readAll(archive);
            ASSERT_EQ(entries.size(), files.size() + 1);
            EXPECT_EQ(entries[0].member.path, "saves/");
            EXPECT_TRUE(entries[0].member.isDirectory());
            EXPECT_EQ(entries[0].member.mtime, 1600000000);
            EXPECT_EQ(entries[0].member.unixMode, 040755);
            for (std::size_t i = 0; i < files.size(); ++i) {
                const Entry& e = entries[i + 1];
                EXPECT_EQ(e.member.path, "saves/" + files[i].first);
                EXPECT_EQ(e.data, files[i].second) << e.member.path;
                EXPECT_EQ(e.member.headerLevel, level);
            }
            // Empty and incompressible members are stored; the rest use the method.
            EXPECT_EQ(entries[1].member.methodId, "-lh0-");
            EXPECT_EQ(entries[1].member.crc, 0);
            EXPECT_EQ(entries[4].member.methodId, "-lh0-");
            EXPECT_EQ(entries[3].member.methodId, unlha::methodId(method));
            if (method != Method::Lh0) {
                EXPECT_LT(entries[3].member.packedSize, 200000u / 3);
            }
            EXPECT_EQ(entries[3].member.unixMode, 0100600);
            struct stat st {};
            stat((tmp / "words").c_str(), &st);
            EXPECT_EQ(entries[3].member.mtime, st.st_mtime);
        }
    }
}

std::string numbered(std::size_t i) {
    std::string name(1, 'f');
    name += std::to_string(i);
    return name;
}

TEST(Archive, RoundTripsRandomDataOfManySizes) {
    TempFolder tmp;
    std::vector<std::size_t> sizes = {1, 2, 3, 7, 8, 9, 255, 256, 257, 4095, 4096, 8191, 8192, 8193,
                                      32767, 32768, 32769, 65535, 65536, 65537, 100000, 300001,
                                      1'300'000};  // past the decoder's 1 MiB output chunk
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        // Half noise, half repeated text, so that both stored and packed members occur.
        auto data = i % 2 ? randomBytes(sizes[i], static_cast<std::uint32_t>(i)) : wordyBytes(sizes[i], static_cast<std::uint32_t>(i));
        writeBytes(tmp / numbered(i), data);
    }
    for (Method method : {Method::Lh5, Method::Lh6, Method::Lh7}) {
        std::string archive = tmp / "r.lzh";
        ArchiveWriter writer(archive, WriteOptions{method, 2});
        for (std::size_t i = 0; i < sizes.size(); ++i) writer.addFile(numbered(i), tmp / numbered(i));
        writer.finish();
        std::vector<Entry> entries = readAll(archive);
        ASSERT_EQ(entries.size(), sizes.size());
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            EXPECT_EQ(entries[i].data, readBytes(tmp / numbered(i))) << sizes[i];
        }
    }
}

// Small files are packed ahead, several at a time, and written in turn: the
// members still come out in the order they were added, between folders and
// long files, whether packed or stored.
TEST(Archive, MembersKeepTheirOrderWhileSmallFilesArePackedAhead) {
    TempFolder tmp;
    std::vector<std::string> order;
    auto file = [&](const std::string& name, std::vector<std::uint8_t> data) {
        writeBytes(tmp / name, data);
        order.push_back(name);
    };
    for (std::uint32_t i = 0; i < 9; ++i) file(numbered(i), i % 3 ? wordyBytes(3000 + 500 * i, i) : randomBytes(2000, i));
    order.push_back("d/");
    file("long", wordyBytes(1'500'000, 20));
    file("after", wordyBytes(40000, 21));

    std::string archive = tmp / "o.lzh";
    ArchiveWriter writer(archive, WriteOptions{});
    for (const std::string& name : order) {
        if (name == "d/") writer.addDirectory(name, 0, 0755);
        else writer.addFile(name, tmp / name);
    }
    writer.finish();

    std::vector<Entry> entries = readAll(archive);
    ASSERT_EQ(entries.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(entries[i].member.path, order[i]);
        if (order[i] != "d/") EXPECT_EQ(entries[i].data, readBytes(tmp / order[i])) << order[i];
    }
    EXPECT_EQ(entries[0].member.methodId, "-lh0-");
    EXPECT_EQ(entries[1].member.methodId, "-lh7-");
}

TEST(Archive, ReadsJlhaArchivesOfEveryLevelAndMethod) {
    const std::string root = std::string(UNLHA_FIXTURES) + "/jlha/";
    for (int level : {0, 1, 2}) {
        for (int method : {5, 6, 7}) {
            std::string name = "lv" + std::to_string(level) + "_lh" + std::to_string(method) + ".lzh";
            SCOPED_TRACE(name);
            std::vector<Entry> entries = readAll(root + name);
            ASSERT_EQ(entries.size(), 5u);
            EXPECT_EQ(entries[0].member.path, "save/");
            EXPECT_EQ(entries[2].member.path, "save/slot1/");
            for (const Entry& e : entries) {
                if (e.member.isDirectory()) continue;
                EXPECT_EQ(e.data, readBytes(root + e.member.path)) << e.member.path;
            }
            EXPECT_EQ(entries[3].member.methodId, "-lh" + std::to_string(method) + "-");
        }
    }
}

TEST(Archive, DamagedDataIsACrcError) {
    TempFolder tmp;
    writeBytes(tmp / "words", wordyBytes(50000, 5));
    for (Method method : {Method::Lh0, Method::Lh7}) {
        std::string archive = tmp / "c.lzh";
        {
            ArchiveWriter writer(archive, WriteOptions{method, 2});
            writer.addFile("words", tmp / "words");
            writer.finish();
        }
        auto bytes = readBytes(archive);
        // Alter a byte in the middle of the data: the stream may still decode
        // (and the stored copy is complete), but to different bytes.
        bytes[bytes.size() / 2] ^= 0x01;
        writeBytes(archive, bytes);
        ArchiveReader reader(archive);
        ASSERT_TRUE(reader.next());
        unlha::NullSink sink;
        EXPECT_THROW(reader.extract(sink), unlha::Error);
        if (method == Method::Lh0) {
            ArchiveReader again(archive);
            again.next();
            EXPECT_THROW(again.extract(sink), unlha::CrcError);
        }
    }
}

TEST(Archive, CopyRawKeepsMembersByteForByte) {
    TempFolder tmp;
    const std::string source = std::string(UNLHA_FIXTURES) + "/jlha/lv1_lh5.lzh";
    std::string copy = tmp / "copy.lzh";
    {
        ArchiveReader reader(source);
        ArchiveWriter writer(copy, WriteOptions{});
        while (reader.next()) writer.copyRaw(reader);
        writer.finish();
    }
    EXPECT_EQ(readBytes(copy), readBytes(source));
}

TEST(Archive, NextSkipsMembersNotExtractedAndReportsProgress) {
    TempFolder tmp;
    writeBytes(tmp / "a", wordyBytes(1'200'000, 1));
    writeBytes(tmp / "b", {'b'});
    std::string archive = tmp / "s.lzh";
    ArchiveWriter writer(archive, WriteOptions{});
    std::uint64_t lastDone = 0, lastTotal = 0;
    writer.addFile("a", tmp / "a", [&](std::uint64_t done, std::uint64_t total) { lastDone = done, lastTotal = total; });
    writer.addFile("b", tmp / "b");
    writer.finish();
    EXPECT_EQ(lastDone, 1'200'000u);
    EXPECT_EQ(lastTotal, 1'200'000u);

    ArchiveReader reader(archive);
    ASSERT_TRUE(reader.next());
    const Member* b = reader.next();
    ASSERT_TRUE(b);
    unlha::MemorySink sink;
    reader.extract(sink);
    EXPECT_EQ(sink.bytes, std::vector<std::uint8_t>{'b'});
    EXPECT_FALSE(reader.next());

    ArchiveReader again(archive);
    again.next();
    std::vector<std::uint64_t> steps;
    unlha::NullSink null;
    again.extract(null, [&](std::uint64_t done) { steps.push_back(done); });
    ASSERT_GT(steps.size(), 1u);
    EXPECT_EQ(steps.back(), 1'200'000u);
    EXPECT_THROW(again.extract(null), unlha::Error);  // already extracted
}

TEST(Archive, MissingSourceIsAnIoErrorAndMissingArchiveToo) {
    TempFolder tmp;
    ArchiveWriter writer(tmp / "x.lzh", WriteOptions{});
    EXPECT_THROW(writer.addFile("nope", tmp / "nope"), unlha::IoError);
    EXPECT_THROW(writer.addFile("dir", tmp.path().string()), unlha::IoError);
    EXPECT_THROW(ArchiveReader(tmp / "absent.lzh"), unlha::IoError);
}

}  // namespace
