#include "platform/Error.h"
#include "platform/Profile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

using vesk::readProfileString;
using vesk::writeProfileString;

TEST(Profile, ReadsValuesWithDefaults)
{
    TempFolder folder;
    const std::string ini = folder / "vesk.ini";
    folder.write("vesk.ini",
                 "ua=outside\n"
                 "[other]\nua=other\n"
                 "[ option ]\n"
                 "  BACKUP =/b/ \n"
                 "Dialog=\n"
                 ";ua=comment\n"
                 "odd\xff\x80=bytes\x01\n"
                 "eq=a=b\n"
                 "[option]\nua=second section\n");
    struct Case {
        const char* section;
        const char* key;
        std::string value;
    };
    const Case cases[] = {
        {"OPTION", "Backup", "/b/ "},      // the value is kept as written, blanks too
        {"OPTION", "Dialog", ""},          // present but empty is not the default
        {"OPTION", "ua", "default"},       // a comment, another section and a later one do not count
        {"OPTION", "eq", "a=b"},
        {"option", "odd\xff\x80", "bytes\x01"},
        {"OPTION", "missing", "default"},
        {"none", "ua", "default"},
        {"other", "UA", "other"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readProfileString(c.section, c.key, "default", ini), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(readProfileString("OPTION", "ua", "default", folder / "absent.ini"), "default");
    EXPECT_FALSE(std::filesystem::exists(folder / "absent.ini"));
}

TEST(Profile, ReadsCrOnlyLinesAndCutsLongValues)
{
    TempFolder folder;
    const std::string ini = folder / "vesk.ini";
    folder.write("vesk.ini", "[OPTION]\rua=u\rBackup=" + std::string(5000, 'x') + "\r");
    EXPECT_EQ(readProfileString("OPTION", "ua", "a", ini), "u");
    EXPECT_EQ(readProfileString("OPTION", "Backup", "", ini), std::string(1023, 'x'));
}

TEST(Profile, WriteCreatesFileSectionAndKeysInOrder)
{
    TempFolder folder;
    const std::string ini = folder / "vesk.ini";
    writeProfileString("OPTION", "Backup", "/p/backup/", ini);
    writeProfileString("OPTION", "ua", "a", ini);
    writeProfileString("OPTION", "Dialog", "", ini);
    EXPECT_EQ(folder.read("vesk.ini"), "[OPTION]\nBackup=/p/backup/\nua=a\nDialog=\n");
}

TEST(Profile, WriteKeepsEveryOtherLine)
{
    TempFolder folder;
    const std::string ini = folder / "vesk.ini";
    folder.write("vesk.ini",
                 "; my notes\r\n"
                 "[Option]\r\n"
                 "ua=u\r\n"
                 "Extra=kept\r\n"
                 "\r\n"
                 "[Other]\r\n"
                 "Backup=other");
    writeProfileString("OPTION", "UA", "a", ini);
    writeProfileString("OPTION", "Dialog", "-n", ini);
    writeProfileString("Third", "k", "v", ini);
    EXPECT_EQ(folder.read("vesk.ini"),
              "; my notes\r\n"
              "[Option]\r\n"
              "UA=a\r\n"
              "Extra=kept\r\n"
              "Dialog=-n\r\n"
              "\r\n"
              "[Other]\r\n"
              "Backup=other\r\n"
              "[Third]\r\n"
              "k=v\r\n");
}

TEST(Profile, WriteReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    const std::string ini = folder / "vesk.ini";
    folder.write("vesk.ini", "[OPTION]\nua=u\n");
    chmod(ini.c_str(), 0640);
    writeProfileString("OPTION", "ua", "a", ini);

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"vesk.ini"});
    struct stat info {};
    stat(ini.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(Profile, FailedWriteNamesTheFileAndChangesNothing)
{
    TempFolder folder;
    folder.write("readonly.ini", "[OPTION]\nua=u\n");
    chmod((folder / "readonly.ini").c_str(), 0444);
    std::filesystem::create_directory(folder / "folder.ini");

    for (const std::string& ini : {folder / "readonly.ini", folder / "folder.ini", folder / "missing/vesk.ini"}) {
        try {
            writeProfileString("OPTION", "ua", "a", ini);
            ADD_FAILURE() << "no error for " << ini;
        } catch (const vesk::Error& error) {
            EXPECT_EQ(std::string(error.what()), ini + " に書き込めません");
        }
    }
    EXPECT_EQ(folder.read("readonly.ini"), "[OPTION]\nua=u\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(Profile, WriteThroughALinkReplacesTheFileItPointsTo)
{
    TempFolder folder;
    folder.write("real/vesk.ini", "[OPTION]\nua=u\n");
    std::filesystem::create_symlink(folder / "real/vesk.ini", folder / "vesk.ini");
    writeProfileString("OPTION", "ua", "a", folder / "vesk.ini");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "vesk.ini"));
    EXPECT_EQ(folder.read("real/vesk.ini"), "[OPTION]\nua=a\n");
}
