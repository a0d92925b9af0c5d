#include "settings/Settings.h"

#include "platform/Error.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

using vesk::Settings;

TEST(Settings, LoadsKeysWithTheirDefaults)
{
    struct Case {
        const char* name;
        std::string file;  // empty: no settings file
        Settings expected;  // "<default>" stands for the default backup folder
    };
    const Case cases[] = {
        {"no file", "", {"<default>", "a", ""}},
        {"no section", "Backup=/x/\nua=u\n", {"<default>", "a", ""}},
        {"empty Backup", "[OPTION]\nBackup=\n", {"<default>", "a", ""}},
        {"empty ua", "[OPTION]\nua=\n", {"<default>", "", ""}},
        {"hand-written values", "[option]\nBACKUP=/saves\nUA=x\ndialog=-q\n", {"/saves", "x", "-q"}},
        {"stored values", "[OPTION]\r\nBackup=/b/\r\nua=u\r\nDialog=-n\r\n", {"/b/", "u", "-n"}},
        {"CR-only lines", "[OPTION]\rBackup=/cr/\rua=u\r", {"/cr/", "u", ""}},
        {"long value", "[OPTION]\nBackup=/" + std::string(4999, 'd') + "\n",
         {"/" + std::string(1022, 'd'), "a", ""}},
        {"odd bytes", "[OPTION]\n\xff\xfe\x01\n=\x02\nua=\x83\x62\n", {"<default>", "\x83\x62", ""}},
        {"header behind a byte-order mark", "\xEF\xBB\xBF[OPTION]\nua=u\n", {"<default>", "u", ""}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        if (!c.file.empty())
            folder.write("vesk.ini", c.file);
        const Settings settings = vesk::loadSettings(folder.path());
        const std::string backup = c.expected.backupFolder == "<default>" ? folder / "backup/" : c.expected.backupFolder;
        EXPECT_EQ(settings.backupFolder, backup) << c.name;
        EXPECT_EQ(settings.archiveCommand, c.expected.archiveCommand) << c.name;
        EXPECT_EQ(settings.dialogSwitch, c.expected.dialogSwitch) << c.name;
        EXPECT_EQ(folder.read("vesk.ini"), c.file) << c.name << ": reading changed the file";
    }
}

TEST(Settings, SavesTheThreeKeysInOrderAndKeepsTheRest)
{
    TempFolder folder;
    vesk::saveSettings({folder / "backup/", "a", ""}, folder.path());
    EXPECT_EQ(folder.read("vesk.ini"), "[OPTION]\nBackup=" + folder / "backup/" + "\nua=a\nDialog=\n");

    folder.write("vesk.ini", "[Window]\nLeft=10\n[OPTION]\nDialog=-n\nNote=mine\n");
    vesk::saveSettings({"/b/", "u", ""}, folder.path());
    EXPECT_EQ(folder.read("vesk.ini"), "[Window]\nLeft=10\n[OPTION]\nDialog=\nNote=mine\nBackup=/b/\nua=u\n");

    const Settings back = vesk::loadSettings(folder.path());
    EXPECT_EQ(back.backupFolder, "/b/");
    EXPECT_EQ(back.archiveCommand, "u");
    EXPECT_EQ(back.dialogSwitch, "");
}

TEST(Settings, FailedSaveNamesTheFullPathAndWritesNothing)
{
    TempFolder folder;
    folder.write("vesk.ini", "[OPTION]\nBackup=/old/\nua=u\n");
    chmod((folder / "vesk.ini").c_str(), 0444);
    try {
        vesk::saveSettings({"/new/", "a", "-n"}, folder.path());
        FAIL() << "no error";
    } catch (const vesk::Error& error) {
        EXPECT_EQ(std::string(error.what()), folder / "vesk.ini" + " に書き込めません");
    }
    EXPECT_EQ(folder.read("vesk.ini"), "[OPTION]\nBackup=/old/\nua=u\n");
}
