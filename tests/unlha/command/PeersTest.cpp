#include <sys/wait.h>

#include <gtest/gtest.h>

#include "Support.h"
#include "unlha/command/ResultCode.h"

namespace {

std::string shellQuoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs a shell command in `folder`, returning its exit status; stdout and
// stderr go to the files given.
int shell(const std::string& folder, const std::string& command, const std::string& out, const std::string& err) {
    const int status = std::system(("cd " + shellQuoted(folder) + " && " + command + " >" + shellQuoted(out) +
                                    " 2>" + shellQuoted(err)).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Peers : public ::testing::Test {
protected:
    Scratch dir;
    std::string save = dir / "home/u/save/My Game";
    std::vector<std::string> files = {save + "/save1.dat", save + "/sub folder/save 2.dat", save + "/empty"};

    void SetUp() override {
        writeText(files[0], randomText(70'000, 5));
        std::string text;
        for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i * 7 % 113) + " of the save\n";
        writeText(files[1], text);
        writeText(files[2], "");
        std::filesystem::create_directories(dir / "backup");
    }
};

// lhasa drops the leading '/' of an absolute member and extracts below the
// current folder.
TEST_F(Peers, LhasaListsAndExtractsTheProgramsBackupByteExact) {
    const Outcome out = run(backupCommand("a", "", dir / "backup/Game Title", files));
    ASSERT_EQ(out.code, unlha::result::Ok) << out.log;
    const std::string archive = dir / "backup/Game Title.lzh";

    ASSERT_EQ(shell(dir.path(), "lha l " + shellQuoted(archive), dir / "list.txt", dir / "err.txt"), 0)
        << readText(dir / "err.txt");
    const std::string listing = readText(dir / "list.txt");
    for (const std::string& f : files) EXPECT_NE(listing.find(f), std::string::npos) << listing;

    std::filesystem::create_directories(dir / "lhasa");
    ASSERT_EQ(shell(dir / "lhasa", "lha xq " + shellQuoted(archive), dir / "x.txt", dir / "err.txt"), 0)
        << readText(dir / "err.txt");
    for (const std::string& f : files) EXPECT_TRUE(readText(dir / "lhasa" + f) == readText(f)) << f;

    ASSERT_EQ(shell(dir.path(), "lha t " + shellQuoted(archive), dir / "t.txt", dir / "err.txt"), 0)
        << readText(dir / "t.txt");
}

TEST_F(Peers, ToolRunsTheSameCommandLinesFromArgv) {
    const std::string tool = shellQuoted(UNLHA_TOOL);
    std::string args;
    for (const std::string& f : files) args += " " + shellQuoted(f);
    ASSERT_EQ(shell(dir.path(), tool + " a -+ -x1 " + shellQuoted(dir / "backup/Game") + args, dir / "out.txt",
                    dir / "err.txt"),
              unlha::result::Ok)
        << readText(dir / "out.txt");
    EXPECT_NE(readText(dir / "out.txt").find("added: " + files[0]), std::string::npos);
    EXPECT_NE(readText(dir / "err.txt").find(files[0]), std::string::npos) << "progress on standard error";

    for (const std::string& f : files) writeText(f, "overwritten");
    ASSERT_EQ(shell(dir.path(), tool + " x -+ -u0 -n " + shellQuoted(dir / "backup/Game.lzh"), dir / "out.txt",
                    dir / "err.txt"),
              unlha::result::Ok);
    EXPECT_EQ(readText(dir / "err.txt"), "");
    EXPECT_TRUE(readText(files[0]) == randomText(70'000, 5));

    EXPECT_EQ(shell(dir.path(), tool, dir / "out.txt", dir / "err.txt"), unlha::result::BadCommandLine);
    EXPECT_NE(readText(dir / "out.txt").find("usage"), std::string::npos);
    EXPECT_EQ(shell(dir.path(), tool + " '' -+ " + shellQuoted(dir / "backup/Game"), dir / "out.txt", dir / "err.txt"),
              unlha::result::BadCommandLine);
    EXPECT_EQ(shell(dir.path(), tool + " t " + shellQuoted(dir / "backup/Game"), dir / "out.txt", dir / "err.txt"),
              unlha::result::Ok);
}

// lhasa 0.3.1 reads every name byte as Latin-1, so Japanese names are checked
// with the peers that honour the archive's code page.
TEST_F(Peers, SevenZipAndBsdtarExtractJapaneseNamesByteExact) {
    const std::string japanese = dir / "home/u/save/セーブ データ/表ソ 1.dat";
    writeText(japanese, randomText(10'000, 8));
    ASSERT_EQ(run(backupCommand("a", "-n", dir / "backup/ゲーム v1.2", {japanese})).code, unlha::result::Ok);
    const std::string archive = dir / "backup/ゲーム v1.2.lzh";
    const struct {
        std::string folder, command;
    } peers[] = {{"7z", "7z x -y " + shellQuoted(archive)}, {"bsdtar", "bsdtar xf " + shellQuoted(archive)}};
    for (const auto& peer : peers) {
        std::filesystem::create_directories(dir / peer.folder);
        ASSERT_EQ(shell(dir / peer.folder, peer.command, dir / "out.txt", dir / "err.txt"), 0)
            << peer.folder << ": " << readText(dir / "err.txt");
        EXPECT_TRUE(readText(dir / peer.folder + japanese) == readText(japanese)) << peer.folder;
    }
}

// Archives other tools made: jlha's, with and without folders.
TEST_F(Peers, ExtractsWhatJlhaWrote) {
    for (const std::string options : {"a0o5", "a1o6", "a2o7"}) {
        const std::string archive = dir / ("jlha-" + options + ".lzh");
        ASSERT_EQ(shell(dir / "home/u/save", "jlha " + options + " " + shellQuoted(archive) + " " +
                                                 shellQuoted("My Game"),
                        dir / "out.txt", dir / "err.txt"),
                  0)
            << readText(dir / "err.txt");
        const std::string out = dir / ("from-" + options + "/");
        const Outcome x = run("x " + q(archive) + " " + q(out));
        ASSERT_EQ(x.code, unlha::result::Ok) << x.log;
        for (const std::string& f : files)
            EXPECT_TRUE(readText(out + f.substr((dir / "home/u/save/").size())) == readText(f)) << options << " " << f;
    }
}

}  // namespace
