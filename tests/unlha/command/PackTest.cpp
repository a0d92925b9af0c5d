#include <sys/resource.h>

#include <csignal>
#include <gtest/gtest.h>

#include "Support.h"
#include "unlha/command/ResultCode.h"
#include "unlha/format/Archive.h"

namespace {

namespace result = unlha::result;

struct Entry {
    std::string path;
    std::string method;
    std::int64_t mtime;
};

std::vector<Entry> membersOf(const std::string& archive) {
    std::vector<Entry> entries;
    unlha::ArchiveReader reader(archive);
    while (const unlha::Member* m = reader.next()) entries.push_back({m->path, m->methodId, m->mtime});
    return entries;
}

std::vector<std::string> pathsOf(const std::string& archive) {
    std::vector<std::string> paths;
    for (const Entry& e : membersOf(archive)) paths.push_back(e.path);
    return paths;
}

class Pack : public ::testing::Test {
protected:
    Scratch dir;
    std::string save = dir / "save";
    std::string game = dir / "backup/Game";
    std::string archive = game + ".lzh";

    void SetUp() override {
        std::filesystem::create_directories(dir / "backup");
        writeText(save + "/save1.dat", "first save " + std::string(5000, 'a'));
        writeText(save + "/save2.dat", randomText(3000, 2));
        writeText(save + "/system.ini", "[system]\nvolume=3\n");
    }
};

TEST_F(Pack, BackupStoresAbsolutePathsAndSkipsMissingFiles) {
    const Outcome out = run(backupCommand("a", "", game, {save + "/save1.dat", save + "/gone.dat", save + "/save2.dat"}));
    EXPECT_EQ(out.code, result::Ok) << out.log;
    EXPECT_NE(out.log.find("gone.dat"), std::string::npos) << out.log;
    EXPECT_EQ(pathsOf(archive), (std::vector<std::string>{save + "/save1.dat", save + "/save2.dat"}));
    EXPECT_EQ(membersOf(archive)[0].method, "-lh7-");
}

TEST_F(Pack, WithoutFullPathsOnlyTheBaseName) {
    ASSERT_EQ(run("a " + q(game) + " " + q(save + "/save1.dat")).code, result::Ok);
    EXPECT_EQ(pathsOf(archive), std::vector<std::string>{"save1.dat"});
}

TEST_F(Pack, AFolderBringsEverythingBelowItWithFolderEntries) {
    writeText(save + "/slot/a b.dat", "slot a");
    writeText(save + "/slot/deeper/c.dat", "slot c");
    ASSERT_EQ(run("a -z " + q(game) + " " + q(save + "/")).code, result::Ok);
    EXPECT_EQ(pathsOf(archive), (std::vector<std::string>{"save/", "save/save1.dat", "save/save2.dat", "save/slot/",
                                                           "save/slot/a b.dat", "save/slot/deeper/",
                                                           "save/slot/deeper/c.dat", "save/system.ini"}));
    const auto members = membersOf(archive);
    EXPECT_EQ(members[0].method, "-lhd-");
    EXPECT_EQ(members[1].method, "-lh0-");
}

TEST_F(Pack, MethodAndHeaderSwitchesReachTheArchive) {
    for (const std::string level : {"0", "1", "2"}) {
        std::filesystem::remove(archive);
        ASSERT_EQ(run("a -o5 -h" + level + " " + q(game) + " " + q(save + "/save1.dat")).code, result::Ok);
        unlha::ArchiveReader reader(archive);
        const unlha::Member* m = reader.next();
        ASSERT_TRUE(m);
        EXPECT_EQ(m->methodId, "-lh5-");
        EXPECT_EQ(m->headerLevel, std::stoi(level));
    }
}

TEST_F(Pack, AddReplacesTheSamePathAndKeepsTheOthers) {
    ASSERT_EQ(run(backupCommand("a", "-n", game, {save + "/save1.dat", save + "/save2.dat"})).code, result::Ok);
    writeText(save + "/save2.dat", "second version");
    const Outcome out = run(backupCommand("a", "-n", game, {save + "/save2.dat", save + "/system.ini"}));
    ASSERT_EQ(out.code, result::Ok) << out.log;
    EXPECT_EQ(pathsOf(archive),
              (std::vector<std::string>{save + "/save1.dat", save + "/save2.dat", save + "/system.ini"}));
    std::filesystem::remove_all(save);
    ASSERT_EQ(run(restoreCommand("-n", archive)).code, result::Ok);
    EXPECT_EQ(readText(save + "/save2.dat"), "second version");
    EXPECT_EQ(readText(save + "/save1.dat"), "first save " + std::string(5000, 'a'));
}

TEST_F(Pack, UpdatePacksOnlyNewerFiles) {
    setMtime(save + "/save1.dat", 1'600'000'000);
    setMtime(save + "/save2.dat", 1'600'000'000);
    ASSERT_EQ(run(backupCommand("u", "-n", game, {save + "/save1.dat", save + "/save2.dat"})).code, result::Ok);

    writeText(save + "/save1.dat", "newer");
    setMtime(save + "/save1.dat", 1'600'000'100);
    writeText(save + "/save2.dat", "changed but older");
    setMtime(save + "/save2.dat", 1'500'000'000);
    const Outcome out =
        run(backupCommand("u", "-n", game, {save + "/save1.dat", save + "/save2.dat", save + "/system.ini"}));
    ASSERT_EQ(out.code, result::Ok) << out.log;
    const auto members = membersOf(archive);
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].mtime, 1'600'000'100);
    EXPECT_EQ(members[1].mtime, 1'600'000'000);
    EXPECT_EQ(members[2].path, save + "/system.ini");

    const Scratch out2;
    ASSERT_EQ(run("x " + q(archive) + " " + q(out2.path() + "/")).code, result::Ok);
    EXPECT_EQ(readText(out2.path() + save + "/save1.dat"), "newer");
    EXPECT_EQ(readText(out2.path() + save + "/save2.dat"), randomText(3000, 2));
}

TEST_F(Pack, UpdateWithNothingNewerLeavesTheArchiveAlone) {
    ASSERT_EQ(run(backupCommand("u", "", game, {save + "/save1.dat"})).code, result::Ok);
    setMtime(archive, 1'000'000'000);
    struct stat before {};
    ::stat(archive.c_str(), &before);
    const std::string bytes = readText(archive);

    const Outcome out = run(backupCommand("u", "", game, {save + "/save1.dat"}));
    EXPECT_EQ(out.code, result::Ok) << out.log;
    struct stat after {};
    ::stat(archive.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, 1'000'000'000);
    EXPECT_EQ(readText(archive), bytes);
}

TEST_F(Pack, NothingToPackCreatesNoArchive) {
    EXPECT_EQ(run(backupCommand("a", "", game, {save + "/gone1", save + "/gone2"})).code, result::NothingToPack);
    EXPECT_EQ(run(backupCommand("u", "-n", game, {})).code, result::NothingToPack);
    EXPECT_FALSE(exists(archive));
    // With an archive already there, it stays as it was.
    ASSERT_EQ(run(backupCommand("a", "", game, {save + "/save1.dat"})).code, result::Ok);
    const std::string bytes = readText(archive);
    EXPECT_EQ(run(backupCommand("a", "", game, {save + "/gone1"})).code, result::Ok);
    EXPECT_EQ(readText(archive), bytes);
}

TEST_F(Pack, WildcardsInTheLastComponent) {
    ASSERT_EQ(run("a " + q(game) + " " + q(save + "/*.DAT")).code, result::Ok);
    EXPECT_EQ(pathsOf(archive), (std::vector<std::string>{"save1.dat", "save2.dat"}));
    std::filesystem::remove(archive);
    ASSERT_EQ(run("a " + q(game) + " " + q(save + "/*.*")).code, result::Ok);
    EXPECT_EQ(pathsOf(archive).size(), 3u);
}

TEST_F(Pack, ALeftoverFolderOfTheSameNameMakesAnArchiveNotWritable) {
    std::filesystem::create_directories(archive);
    EXPECT_EQ(run(backupCommand("a", "", game, {save + "/save1.dat"})).code, result::ArchiveNotWritable);
    writeText(dir / "notafolder", "");
    EXPECT_EQ(run(backupCommand("a", "", dir / "notafolder/Game", {save + "/save1.dat"})).code,
              result::ArchiveNotWritable);
}

TEST_F(Pack, AFailedWriteLeavesTheOldArchiveAndNoTemporary) {
    ASSERT_EQ(run(backupCommand("a", "", game, {save + "/save1.dat"})).code, result::Ok);
    const std::string before = readText(archive);
    writeText(save + "/big.dat", randomText(200'000, 9));

    // A file size limit stands in for a full disk: writes past it fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const Outcome out = run(backupCommand("a", "", game, {save + "/save1.dat", save + "/big.dat"}));
    ::setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(out.code, result::ArchiveNotWritable) << out.log;
    EXPECT_EQ(readText(archive), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "backup"), {}), 1) << "temporary left behind";
}

TEST_F(Pack, ADamagedArchiveIsNotOverwritten) {
    writeText(archive, "this is not an LZH archive at all, just text that is long enough");
    EXPECT_EQ(run(backupCommand("a", "", game, {save + "/save1.dat"})).code, result::ArchiveNotReadable);
    EXPECT_EQ(readText(archive), "this is not an LZH archive at all, just text that is long enough");
}

TEST_F(Pack, AnArchiveBehindALinkIsReplacedWhereItLives) {
    const std::string real = dir / "elsewhere/real.lzh";
    std::filesystem::create_directories(dir / "elsewhere");
    ASSERT_EQ(run("a " + q(real) + " " + q(save + "/save1.dat")).code, result::Ok);
    std::filesystem::create_symlink(real, archive);
    ASSERT_EQ(run("a " + q(game) + " " + q(save + "/save2.dat")).code, result::Ok);
    EXPECT_TRUE(std::filesystem::is_symlink(archive));
    EXPECT_EQ(pathsOf(real), (std::vector<std::string>{"save1.dat", "save2.dat"}));
}

TEST_F(Pack, ATruncatedArchiveIsNotOverwritten) {
    ASSERT_EQ(run(backupCommand("a", "-z", game, {save + "/save1.dat", save + "/save2.dat"})).code, result::Ok);
    const std::string whole = readText(archive);
    // A missing end marker alone is a clean end; cutting into data is not.
    for (const std::size_t cut : {std::size_t{2}, std::size_t{100}, whole.size() - 30}) {
        const std::string truncated = whole.substr(0, whole.size() - cut);
        writeText(archive, truncated);
        EXPECT_EQ(run(backupCommand("a", "", game, {save + "/system.ini"})).code, result::ArchiveNotReadable) << cut;
        EXPECT_TRUE(readText(archive) == truncated) << cut;
    }
}

TEST_F(Pack, TheArchiveIsNeverItsOwnMember) {
    writeText(dir / "backup/other.txt", "x");
    ASSERT_EQ(run("a " + q(game) + " " + q(save + "/save1.dat")).code, result::Ok);
    ASSERT_EQ(run("a " + q(game) + " " + q(dir / "backup")).code, result::Ok);
    EXPECT_EQ(pathsOf(archive), (std::vector<std::string>{"save1.dat", "backup/", "backup/other.txt"}));
}

}  // namespace
