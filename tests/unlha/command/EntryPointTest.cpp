#include <sys/wait.h>

#include <gtest/gtest.h>

#include "Support.h"
#include "unlha/command/ResultCode.h"

namespace {

namespace result = unlha::result;

TEST(EntryPoint, VersionIsAtLeast200) { EXPECT_GE(UnlhaGetVersion(), 200); }

TEST(EntryPoint, TheLogIsCutToTheBufferAndZeroTerminated) {
    const std::string line = "q archive";
    const Outcome full = run(line);
    ASSERT_EQ(full.code, result::BadCommandLine);
    ASSERT_GT(full.log.size(), 10u);

    std::vector<char> small(8, 'X');
    small.push_back('#');
    EXPECT_EQ(Unlha(nullptr, line.c_str(), small.data(), 8), result::BadCommandLine);
    EXPECT_EQ(std::string(small.data()), full.log.substr(0, 7));
    EXPECT_EQ(small[8], '#');

    char one = 'X';
    Unlha(nullptr, line.c_str(), &one, 1);
    EXPECT_EQ(one, '\0');
    EXPECT_EQ(Unlha(nullptr, line.c_str(), nullptr, 0), result::BadCommandLine);
    EXPECT_EQ(Unlha(nullptr, nullptr, nullptr, 0), result::BadCommandLine);
}

struct Report {
    std::string member;
    std::uint64_t done, total;
};

TEST(EntryPoint, ProgressGoesToTheSinkUnlessDashN) {
    Scratch dir;
    writeText(dir / "save.dat", std::string(100'000, 's'));
    std::vector<Report> reports;
    unlha::setProgressSink([&](const std::string& m, std::uint64_t done, std::uint64_t total) {
        reports.push_back({m, done, total});
    });
    ASSERT_EQ(run(backupCommand("a", "", dir / "Game", {dir / "save.dat"})).code, result::Ok);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().member, dir / "save.dat");
    EXPECT_EQ(reports.back().done, 100'000u);
    EXPECT_EQ(reports.back().total, 100'000u);

    reports.clear();
    ASSERT_EQ(run(restoreCommand("", dir / "Game.lzh")).code, result::Ok);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().done, 100'000u);

    reports.clear();
    ASSERT_EQ(run(backupCommand("a", "-n", dir / "Game", {dir / "save.dat"})).code, result::Ok);
    ASSERT_EQ(run(restoreCommand("-n", dir / "Game.lzh")).code, result::Ok);
    ASSERT_EQ(run("t -n " + q(dir / "Game")).code, result::Ok);
    EXPECT_TRUE(reports.empty());
    unlha::setProgressSink({});
}

// Every setting the program can combine: a or u, with or without -n, for the
// backup, and with or without -n for the restore.
TEST(EntryPoint, TheProgramsShapesInEverySetting) {
    for (const std::string command : {"a", "u"}) {
        for (const std::string dialog : {"", "-n"}) {
            Scratch dir;
            const std::vector<std::string> files = {dir / "save/My Save 1.dat", dir / "save/セーブ2.dat"};
            writeText(files[0], std::string(3000, '1'));
            writeText(files[1], randomText(3000, 3));
            std::filesystem::create_directories(dir / "backup");
            int reports = 0;
            unlha::setProgressSink([&](const std::string&, std::uint64_t, std::uint64_t) { ++reports; });
            const Outcome backup = run(backupCommand(command, dialog, dir / "backup/Title v1.2", files));
            EXPECT_EQ(backup.code, result::Ok) << command << dialog << backup.log;
            writeText(files[0], "changed");
            std::filesystem::remove(files[1]);
            const Outcome restore = run(restoreCommand(dialog, dir / "backup/Title v1.2.lzh"));
            unlha::setProgressSink({});
            EXPECT_EQ(restore.code, result::Ok) << command << dialog << restore.log;
            EXPECT_TRUE(readText(files[0]) == std::string(3000, '1')) << command << dialog;
            EXPECT_TRUE(readText(files[1]) == randomText(3000, 3)) << command << dialog;
            EXPECT_EQ(reports > 0, dialog.empty()) << command << dialog;
        }
    }
}

TEST(EntryPoint, HandWrittenFirstWords) {
    Scratch dir;
    const std::string save = dir / "save.dat";
    writeText(save, "data");
    // "A" is a in any case.
    EXPECT_EQ(run(backupCommand("A", "", dir / "Game", {save})).code, result::Ok);
    EXPECT_TRUE(exists(dir / "Game.lzh"));
    // Words that are no command do nothing.
    for (const std::string word : {"e", "d", "backup", "ａ"}) {
        const Outcome out = run(backupCommand(word, "", dir / "Other", {save}));
        EXPECT_EQ(out.code, result::BadCommandLine) << word;
        EXPECT_NE(out.log.find(word), std::string::npos) << out.log;
    }
    // An empty first word: the line begins with a blank.
    EXPECT_EQ(run(backupCommand("", "", dir / "Other", {save})).code, result::BadCommandLine);
    EXPECT_EQ(run(backupCommand("", "-n", dir / "Other", {save})).code, result::BadCommandLine);
    EXPECT_FALSE(exists(dir / "Other.lzh"));
    // "x" in the backup position extracts the named member back from the archive.
    writeText(save, "changed");
    EXPECT_EQ(run(backupCommand("x", "", dir / "Game", {save})).code, result::Ok);
    EXPECT_EQ(readText(save), "data");
    EXPECT_EQ(run(backupCommand("x", "-n", dir / "Missing", {save})).code, result::ArchiveNotFound);
}

// Runs a command line in a child process that has given up root, so that
// permission bits stop it.
int runAsNobody(const std::string& line) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        ::_exit(Unlha(nullptr, line.c_str(), nullptr, 0));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ResultCodes, EachFailureHasItsCode) {
    Scratch dir;
    ::chmod(dir.path().c_str(), 0777);
    writeText(dir / "save.dat", "data");
    writeText(dir / "text.lzh", "plain text, not an archive");
    ASSERT_EQ(run(backupCommand("a", "", dir / "Game", {dir / "save.dat"})).code, result::Ok);
    std::string damaged = readText(dir / "Game.lzh");
    damaged[damaged.find("data")] = 'D';
    writeText(dir / "damaged.lzh", damaged);
    writeText(dir / "secret.dat", "secret");
    ::chmod((dir / "secret.dat").c_str(), 0600);
    std::filesystem::create_directories(dir / "locked");
    ::chmod((dir / "locked").c_str(), 0555);

    EXPECT_EQ(run("a").code, result::BadCommandLine);
    EXPECT_EQ(run("a -x9 " + q(dir / "Game")).code, result::BadCommandLine);
    EXPECT_EQ(run("l " + q(dir / "none")).code, result::ArchiveNotFound);
    EXPECT_EQ(run("x " + q(dir / "none.lzh")).code, result::ArchiveNotFound);
    EXPECT_EQ(run("l " + q(dir / "text")).code, result::ArchiveNotReadable);
    EXPECT_EQ(run("x " + q(dir / "text.lzh")).code, result::ArchiveNotReadable);
    EXPECT_EQ(run("t " + q(dir / "damaged")).code, result::CrcError);
    EXPECT_EQ(run("a " + q(dir / "New") + " " + q(dir / "gone")).code, result::NothingToPack);
    EXPECT_EQ(runAsNobody("a " + q(dir / "Mine") + " " + q(dir / "secret.dat")), result::SourceNotReadable);
    EXPECT_FALSE(exists(dir / "Mine.lzh"));
    EXPECT_EQ(runAsNobody("a " + q(dir / "locked/Game") + " " + q(dir / "save.dat")), result::ArchiveNotWritable);
    EXPECT_EQ(run("l " + q(dir / "Game")).code, result::Ok);
    EXPECT_EQ(run("t " + q(dir / "Game")).code, result::Ok);
}

TEST(Listing, ShowsEachMemberWithSizesMethodAndTime) {
    Scratch dir;
    writeText(dir / "save.dat", std::string(10'000, 'a'));
    setMtime(dir / "save.dat", 1'600'000'000);
    ASSERT_EQ(run(backupCommand("a", "-n", dir / "Game", {dir / "save.dat"})).code, result::Ok);
    const Outcome listed = run("l " + q(dir / "Game"));
    ASSERT_EQ(listed.code, result::Ok) << listed.log;
    const std::string& log = listed.log;
    EXPECT_NE(log.find(dir / "save.dat"), std::string::npos) << log;
    EXPECT_NE(log.find("10000"), std::string::npos) << log;
    EXPECT_NE(log.find("-lh7-"), std::string::npos) << log;
    EXPECT_NE(log.find("%"), std::string::npos) << log;
    EXPECT_NE(log.find("2020-09-1"), std::string::npos) << log;
    EXPECT_NE(log.find("1 member"), std::string::npos) << log;
}

}  // namespace
