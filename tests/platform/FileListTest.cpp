#include "platform/Error.h"
#include "platform/FileList.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using vesk::FileList;

namespace {

std::string currentDirectory()
{
    return std::filesystem::current_path().string() + "/";
}

std::string errorOf(FileList& list, const std::string& folder)
{
    try {
        list.setDirectory(folder);
    } catch (const vesk::Error& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(FileList, ListsPlainMatchingFilesInCaseInsensitiveOrder)
{
    TempFolder folder;
    for (const char* name : {"b.txt", "A.TXT", "c.Txt", "a.txt.bak", "notes.lzh", ".hidden.txt", "txt"})
        folder.write(name, "x");
    std::filesystem::create_directory(folder / "dir.txt");
    std::filesystem::create_symlink(folder / "b.txt", folder / "link.txt");
    std::filesystem::create_symlink(folder / "dir.txt", folder / "dirlink.txt");
    std::filesystem::create_symlink(folder / "missing", folder / "broken.txt");

    FileList list("*.txt");
    list.setDirectory(folder.path());

    EXPECT_EQ(list.names(), (std::vector<std::string>{"A.TXT", "b.txt", "c.Txt", "link.txt"}));
    EXPECT_EQ(list.directory(), folder.path());
    EXPECT_EQ(currentDirectory(), std::filesystem::canonical(folder.path()).string() + "/");
}

TEST(FileList, FolderThatCannotBeEnteredKeepsTheFormerFolder)
{
    TempFolder folder;
    folder.write("old/one.lzh", "x");
    folder.write("plain", "x");
    FileList list("*.lzh");
    list.setDirectory(folder / "old");

    EXPECT_EQ(errorOf(list, folder / "missing"), "ﾌｧｲﾙが見つかりません");
    EXPECT_EQ(errorOf(list, folder / "plain"), "ﾌｧｲﾙ名が無効です");
    EXPECT_EQ(list.directory(), folder / "old");
    EXPECT_EQ(list.names(), std::vector<std::string>{"one.lzh"});
    EXPECT_EQ(currentDirectory(), std::filesystem::canonical(folder / "old").string() + "/");
}

TEST(FileList, UpdateEntersTheFolderAgainAndReadsItAnew)
{
    TempFolder folder;
    folder.write("defs/first.txt", "x");
    folder.write("elsewhere/x", "x");
    FileList list("*.txt");
    list.setDirectory(folder / "defs");
    std::filesystem::current_path(folder / "elsewhere");
    folder.write("defs/second.txt", "x");

    list.update();

    EXPECT_EQ(list.names(), (std::vector<std::string>{"first.txt", "second.txt"}));
    EXPECT_EQ(currentDirectory(), std::filesystem::canonical(folder / "defs").string() + "/");
}

TEST(FileList, MaskIgnoresLetterCase)
{
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    };
    for (const Case& c : {Case{"Game.LZH", "*.lzh", true}, Case{"game.lzh", "*.LZH", true},
                          Case{"game.lzhx", "*.lzh", false}, Case{".lzh", "*.lzh", true},
                          Case{"a.txt", "?.txt", true}, Case{"ab.txt", "?.txt", false},
                          Case{"a.txt", "*", true}, Case{"\x83\x41.txt", "*.txt", true}})
        EXPECT_EQ(vesk::matchesMask(c.name, c.mask), c.matches) << c.name << " " << c.mask;
}

TEST(FileList, ErrorTextsFollowTheSystemCode)
{
    EXPECT_EQ(vesk::ioErrorText(ENOENT), "ﾌｧｲﾙが見つかりません");
    EXPECT_EQ(vesk::ioErrorText(EACCES), "ﾌｧｲﾙ ｱｸｾｽが拒否されました");
    EXPECT_EQ(vesk::ioErrorText(EIO), "I/O ｴﾗｰ 5");
}
