#include <sys/resource.h>

#include <csignal>
#include <gtest/gtest.h>

#include "Support.h"
#include "unlha/command/ResultCode.h"
#include "unlha/format/Archive.h"

namespace {

namespace result = unlha::result;

std::vector<std::string> filesBelow(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) names.push_back(e.path().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Extract : public ::testing::Test {
protected:
    Scratch dir;
    std::string save = dir / "home/user/Saved Games/ゲーム";
    std::string archive = dir / "backup/ゲーム v1.2.lzh";
    std::string first = randomText(20'000, 1);
    std::string second = std::string(30'000, 'z') + "end";

    void SetUp() override {
        std::filesystem::create_directories(dir / "backup");
        writeText(save + "/slot 1.sav", first);
        writeText(save + "/slot 2.sav", second);
    }

    void backUp(const std::string& switches = "") {
        const Outcome out = run("a " + switches + " -+ -x1 " + q(dir / "backup/ゲーム v1.2") + " " +
                                q(save + "/slot 1.sav") + " " + q(save + "/slot 2.sav") + " ");
        ASSERT_EQ(out.code, result::Ok) << out.log;
    }
};

TEST_F(Extract, RestoreGoesBackToTheAbsolutePathsCreatingFolders) {
    backUp();
    std::filesystem::remove_all(dir / "home");
    const Outcome out = run(restoreCommand("", archive));
    ASSERT_EQ(out.code, result::Ok) << out.log;
    EXPECT_EQ(readText(save + "/slot 1.sav"), first);
    EXPECT_EQ(readText(save + "/slot 2.sav"), second);
}

TEST_F(Extract, RestoreOverwritesLiveFilesAndLeavesNoTemporaries) {
    backUp("-n");
    writeText(save + "/slot 1.sav", "played on");
    writeText(save + "/slot 2.sav", "");
    ASSERT_EQ(run(restoreCommand("-n", archive)).code, result::Ok);
    EXPECT_EQ(readText(save + "/slot 1.sav"), first);
    EXPECT_EQ(readText(save + "/slot 2.sav"), second);
    EXPECT_EQ(filesBelow(save), (std::vector<std::string>{save + "/slot 1.sav", save + "/slot 2.sav"}));
}

TEST_F(Extract, TimesAndPermissionsComeBack) {
    ::chmod((save + "/slot 1.sav").c_str(), 0640);
    ::chmod((save + "/slot 2.sav").c_str(), 0755);
    setMtime(save + "/slot 1.sav", 1'234'567'890);
    setMtime(save, 1'111'111'111);
    ASSERT_EQ(run("a -x1 " + q(dir / "backup/ゲーム v1.2") + " " + q(save)).code, result::Ok);
    std::filesystem::remove_all(dir / "home");
    ASSERT_EQ(run(restoreCommand("", archive)).code, result::Ok);
    struct stat st {};
    ASSERT_EQ(::stat((save + "/slot 1.sav").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1'234'567'890);
    ASSERT_EQ(::stat((save + "/slot 2.sav").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    EXPECT_EQ(mtimeOf(save), 1'111'111'111);
}

TEST_F(Extract, TheArchiveIsFoundWhateverTheCaseOfItsExtension) {
    backUp();
    const std::string upper = dir / "backup/ゲーム v1.2.LZH";
    std::filesystem::rename(archive, upper);
    writeText(save + "/slot 1.sav", "changed");
    ASSERT_EQ(run(restoreCommand("", archive)).code, result::Ok);
    EXPECT_TRUE(readText(save + "/slot 1.sav") == first);
    EXPECT_EQ(run("l " + q(dir / "backup/ゲーム v1.2")).code, result::Ok);
    EXPECT_EQ(run("t " + q(dir / "backup/ゲーム v1.2.Lzh")).code, result::Ok);
    EXPECT_EQ(run("t " + q(dir / "backup/ゲーム v1")).code, result::ArchiveNotFound);
    // A backup writes exactly the name it is given.
    ASSERT_EQ(run("a " + q(dir / "backup/ゲーム v1.2") + " " + q(save + "/slot 1.sav")).code, result::Ok);
    EXPECT_TRUE(exists(archive));
}

TEST_F(Extract, IntoADestinationFolder) {
    backUp();
    const std::string out = dir / "out/";
    ASSERT_EQ(run("x " + q(archive) + " " + q(out)).code, result::Ok);
    EXPECT_EQ(readText(out + save + "/slot 1.sav"), first);

    ASSERT_EQ(run("a " + q(dir / "backup/plain") + " " + q(save + "/slot 2.sav")).code, result::Ok);
    ASSERT_EQ(run("x " + q(dir / "backup/plain.lzh") + " " + q(out)).code, result::Ok);
    EXPECT_EQ(readText(out + "slot 2.sav"), second);
}

TEST_F(Extract, RelativeMembersGoBelowTheCurrentFolder) {
    ASSERT_EQ(run("a " + q(dir / "backup/plain") + " " + q(save)).code, result::Ok);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::create_directories(dir / "here");
    std::filesystem::current_path(dir / "here");
    const Outcome out = run("x " + q(dir / "backup/plain"));
    std::filesystem::current_path(cwd);
    ASSERT_EQ(out.code, result::Ok) << out.log;
    EXPECT_EQ(readText(dir / "here/ゲーム/slot 1.sav"), first);
}

TEST_F(Extract, NamedMembersOnly) {
    backUp();
    const std::string out = dir / "out/";
    const Outcome o = run("x " + q(archive) + " " + q(out) + " " + q(save + "/slot 2.sav") + " " + q(save + "/nope"));
    ASSERT_EQ(o.code, result::Ok);
    EXPECT_NE(o.log.find("not in the archive: " + save + "/nope"), std::string::npos) << o.log;
    EXPECT_EQ(filesBelow(out + save).size(), 1u);
    EXPECT_EQ(readText(out + save + "/slot 2.sav"), second);
}

// The damage sits in the second member, so a restore that wrote members as
// it went would already have replaced the first live file.
TEST_F(Extract, ADamagedArchiveChangesNoLiveFile) {
    backUp("-z");
    std::string bytes = readText(archive);
    const std::size_t at = bytes.find(std::string(100, 'z'));
    ASSERT_NE(at, std::string::npos);
    bytes[at + 50] = 'y';
    writeText(archive, bytes);
    writeText(save + "/slot 1.sav", "live one");
    writeText(save + "/slot 2.sav", "live two");

    const Outcome crc = run(restoreCommand("", archive));
    EXPECT_EQ(crc.code, result::CrcError) << crc.log;
    EXPECT_EQ(readText(save + "/slot 1.sav"), "live one");
    EXPECT_EQ(readText(save + "/slot 2.sav"), "live two");

    writeText(archive, readText(archive).substr(0, bytes.size() - 500));
    EXPECT_EQ(run(restoreCommand("-n", archive)).code, result::ArchiveNotReadable);
    EXPECT_EQ(readText(save + "/slot 1.sav"), "live one");
    EXPECT_EQ(readText(save + "/slot 2.sav"), "live two");
    EXPECT_EQ(filesBelow(save).size(), 2u);
}

TEST_F(Extract, CompressedDamageIsCaughtToo) {
    backUp();
    std::string bytes = readText(archive);
    for (std::size_t i = bytes.size() - 40; i < bytes.size() - 30; ++i) bytes[i] = static_cast<char>(~bytes[i]);
    writeText(archive, bytes);
    writeText(save + "/slot 1.sav", "live one");
    EXPECT_NE(run(restoreCommand("", archive)).code, result::Ok);
    EXPECT_EQ(readText(save + "/slot 1.sav"), "live one");
}

TEST_F(Extract, AFailedWriteLeavesTheLiveFileAndNoTemporary) {
    backUp();
    writeText(save + "/slot 1.sav", "live one");
    // A file size limit stands in for a full disk: writes past it fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 10'000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const Outcome out = run(restoreCommand("", archive));
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(out.code, result::ExtractFailed) << out.log;
    EXPECT_EQ(readText(save + "/slot 1.sav"), "live one");
    EXPECT_EQ(filesBelow(save), (std::vector<std::string>{save + "/slot 1.sav", save + "/slot 2.sav"}));
}

TEST_F(Extract, RefusesClimbingPathsAndLinks) {
    const std::string crafted = dir / "crafted.lzh";
    {
        unlha::ArchiveWriter writer(crafted, {});
        writer.addFile("../escaped.txt", save + "/slot 1.sav");
        writer.addFile("sub/../../escaped2.txt", save + "/slot 1.sav");
        writer.addDirectory("link/", 0, 0120777);
        writer.addFile("fine.txt", save + "/slot 2.sav");
        writer.finish();
    }
    const std::string out = dir / "deep/out/";
    const Outcome o = run("x " + q(crafted) + " " + q(out));
    EXPECT_EQ(o.code, result::UnsafeMember) << o.log;
    EXPECT_NE(o.log.find("../escaped.txt"), std::string::npos) << o.log;
    EXPECT_FALSE(exists(dir / "deep/escaped.txt"));
    EXPECT_FALSE(exists(dir / "deep/escaped2.txt"));
    EXPECT_FALSE(exists(out + "link"));
    EXPECT_EQ(readText(out + "fine.txt"), second);
}

TEST_F(Extract, AMemberThatCannotBeWrittenDoesNotStopTheOthers) {
    backUp();
    std::filesystem::remove(save + "/slot 1.sav");
    std::filesystem::create_directories(save + "/slot 1.sav/in the way");
    const Outcome out = run(restoreCommand("", archive));
    EXPECT_EQ(out.code, result::ExtractFailed) << out.log;
    EXPECT_TRUE(std::filesystem::is_directory(save + "/slot 1.sav/in the way"));
    writeText(save + "/slot 2.sav", "old");
    EXPECT_EQ(run(restoreCommand("", archive)).code, result::ExtractFailed);
    EXPECT_EQ(readText(save + "/slot 2.sav"), second);
}

}  // namespace
