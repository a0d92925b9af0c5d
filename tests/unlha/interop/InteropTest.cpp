#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PeerTool.h"
#include "tests/unlha/support/TempFolder.h"
#include "unlha/format/Archive.h"
#include "unlha/io/Memory.h"

namespace {

namespace fs = std::filesystem;
using unlha::Method;

struct SourceFile {
    std::string stored;  // path in the archive
    std::vector<std::uint8_t> data;
};

std::size_t windowOf(Method m) {
    int bits = unlha::dictionaryBits(m);
    return bits == 0 ? 65536 : std::size_t{1} << bits;
}

std::vector<SourceFile> filesFor(Method method) {
    return {
        {"empty", {}},
        {"one byte", {'1'}},
        {"window.bin", wordyBytes(windowOf(method), 11)},
        {"repetitive.bin", std::vector<std::uint8_t>(300000, 'r')},
        {"noise.bin", randomBytes(70000, 12)},
        {"save data/slot 1.txt", wordyBytes(250000, 13)},
        {"セーブ/データ 一.txt", wordyBytes(20000, 14)},
    };
}

const char* const kFolder = "空のフォルダ/";

enum class Peer { Lhasa, SevenZip, Bsdtar };

std::string extractCommand(Peer peer, const std::string& archive, const std::string& into) {
    switch (peer) {
    case Peer::Lhasa: return "cd " + shellQuoted(into) + " && lha -xf " + shellQuoted(archive);
    case Peer::SevenZip: return "7z x -y " + shellQuoted("-o" + into) + " " + shellQuoted(archive);
    case Peer::Bsdtar: return "cd " + shellQuoted(into) + " && bsdtar -xf " + shellQuoted(archive);
    }
    return {};
}

const char* peerName(Peer p) { return p == Peer::Lhasa ? "lhasa" : p == Peer::SevenZip ? "7z" : "bsdtar"; }

// Extracts `archive` with the peer into a fresh folder `into`; the peer's
// output goes to `log`.
void extractWithPeer(Peer peer, const std::string& archive, const std::string& into, const std::string& log) {
    fs::remove_all(into);
    fs::create_directories(into);
    ASSERT_EQ(runPeer(extractCommand(peer, archive, into), log), 0) << logText(log);
}

TEST(Interop, PeersExtractOurArchivesByteExact) {
    TempFolder tmp;
    for (Method method : {Method::Lh0, Method::Lh5, Method::Lh6, Method::Lh7}) {
        std::vector<SourceFile> files = filesFor(method);
        for (std::size_t i = 0; i < files.size(); ++i) writeBytes(tmp / ("src" + std::to_string(i)), files[i].data);
        for (int level : {0, 1, 2}) {
            std::string tag = std::string(unlha::methodId(method)) + " level " + std::to_string(level);
            SCOPED_TRACE(tag);
            std::string archive = tmp / "ours.lzh";
            {
                unlha::ArchiveWriter writer(archive, unlha::WriteOptions{method, level});
                writer.addDirectory(kFolder, 1600000000, 0755);
                for (std::size_t i = 0; i < files.size(); ++i) writer.addFile(files[i].stored, tmp / ("src" + std::to_string(i)));
                writer.finish();
            }
            for (Peer peer : {Peer::Lhasa, Peer::SevenZip, Peer::Bsdtar}) {
                SCOPED_TRACE(peerName(peer));
                std::string into = tmp / "out";
                std::string log = tmp / "peer.log";
                ASSERT_NO_FATAL_FAILURE(extractWithPeer(peer, archive, into, log));
                auto nameOf = [&](const std::string& stored) { return peer == Peer::Lhasa ? lhasaName(stored) : stored; };
                for (const SourceFile& f : files) {
                    fs::path out = fs::path(into) / nameOf(f.stored);
                    ASSERT_TRUE(fs::is_regular_file(out)) << f.stored << "\n" << logText(log);
                    EXPECT_EQ(readBytes(out.string()), f.data) << f.stored;
                }
                EXPECT_TRUE(fs::is_directory(fs::path(into) / nameOf(kFolder)));
            }
        }
    }
}

TEST(Interop, PeersStripTheRootOfAbsolutePaths) {
    TempFolder tmp;
    writeBytes(tmp / "src", wordyBytes(5000, 3));
    std::string archive = tmp / "abs.lzh";
    {
        unlha::ArchiveWriter writer(archive, unlha::WriteOptions{});
        writer.addFile("/abs root/file.txt", tmp / "src");
        writer.finish();
    }
    for (Peer peer : {Peer::Lhasa, Peer::SevenZip, Peer::Bsdtar}) {
        SCOPED_TRACE(peerName(peer));
        std::string into = tmp / "out";
        std::string log = tmp / "peer.log";
        ASSERT_NO_FATAL_FAILURE(extractWithPeer(peer, archive, into, log));
        EXPECT_EQ(readBytes((fs::path(into) / "abs root/file.txt").string()), readBytes(tmp / "src"));
    }
}

// jlha keeps ASCII names only (others become '?'), so its inputs have blanks
// but no Japanese.
TEST(Interop, WeExtractJlhaArchivesByteExact) {
    TempFolder tmp;
    const std::vector<SourceFile> files = {
        {"save data/slot 1.txt", wordyBytes(250000, 21)},
        {"save data/noise.bin", randomBytes(40000, 22)},
        {"save data/one", {'1'}},
        {"save data/empty", {}},
        {"save data/deep/window.bin", wordyBytes(65536, 23)},
        {"top level.txt", wordyBytes(9000, 24)},
    };
    fs::path src = tmp.path() / "src";
    for (const SourceFile& f : files) writeBytes((src / f.stored).string(), f.data);
    for (int level : {0, 1, 2}) {
        for (int method : {5, 6, 7}) {
            // jlha's options are joined to its command letter: a<level>o<method>.
            std::string options(1, 'a');
            options += std::to_string(level) + "o" + std::to_string(method);
            SCOPED_TRACE("jlha " + options);
            std::string archive = tmp / (options + ".lzh");
            std::string log = tmp / "jlha.log";
            std::string command = "cd " + shellQuoted(src.string()) + " && timeout 120 jlha " + options + " " +
                                  shellQuoted(archive) + " 'save data' 'top level.txt'";
            ASSERT_EQ(runPeer(command, log), 0) << logText(log);

            unlha::ArchiveReader reader(archive);
            std::size_t seen = 0;
            bool sawMethod = false;
            while (const unlha::Member* m = reader.next()) {
                unlha::MemorySink sink;
                reader.extract(sink);
                if (m->isDirectory()) {
                    EXPECT_TRUE(fs::is_directory(src / m->path)) << m->path;
                    continue;
                }
                ++seen;
                EXPECT_EQ(sink.bytes, readBytes((src / m->path).string())) << m->path;
                sawMethod |= m->methodId == "-lh" + std::to_string(method) + "-";
            }
            EXPECT_EQ(seen, files.size());
            EXPECT_TRUE(sawMethod);
        }
    }
}

}  // namespace
