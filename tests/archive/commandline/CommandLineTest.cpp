#include "archive/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, Backup)
{
    struct Case {
        const char* archiveCommand;
        const char* dialogSwitch;
        const char* fileArgs;
        std::string expected;
    };
    const Case cases[] = {
        // An empty dialog switch leaves two blanks after the command word.
        {"a", "", "\"/s/first.sav\" \"/s/third.sav\" ",
         "a  -+ -x1 \"/p/backup/Sample Quest\" \"/s/first.sav\" \"/s/third.sav\" "},
        {"u", "-n", "\"/s/x\" ", "u -n -+ -x1 \"/p/backup/Sample Quest\" \"/s/x\" "},
        // No file lines: the line ends in the blank after the archive's quote.
        {"a", "-n", "", "a -n -+ -x1 \"/p/backup/Sample Quest\" "},
        // An empty command word is used as it is.
        {"", "", "", "  -+ -x1 \"/p/backup/Sample Quest\" "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vesk::backupCommandLine(c.archiveCommand, c.dialogSwitch, "/p/backup/", "Sample Quest", c.fileArgs),
                  c.expected);
}

TEST(CommandLine, BackupFolderAndTitleAreJoinedAsTheyAre)
{
    EXPECT_EQ(vesk::backupCommandLine("a", "", "/saves", "ゲーム", "\"/g/1\" "),
              "a  -+ -x1 \"/savesゲーム\" \"/g/1\" ");
}

TEST(CommandLine, Restore)
{
    EXPECT_EQ(vesk::restoreCommandLine("", "/p/backup/", "Sample Quest"), "x -+ -u0  \"/p/backup/Sample Quest.lzh\"");
    EXPECT_EQ(vesk::restoreCommandLine("-n", "/p/backup/", "Sample Quest"), "x -+ -u0 -n \"/p/backup/Sample Quest.lzh\"");
}
