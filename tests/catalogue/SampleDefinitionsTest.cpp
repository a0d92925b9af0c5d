#include "catalogue/GameDefinition.h"

#include "DefinitionFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using vesk::GameEntry;

namespace {

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The shipped template with its build variables filled in.
std::string configured(const std::string& name, const std::string& variable, const std::string& value)
{
    std::string text = readText(std::string(VESK_SAMPLES_DIR) + "/" + name + ".in");
    for (const std::string key : {"@VESK_SAMPLE_SAVES@", "@VESK_HOME@", "@VESK_USER@"}) {
        const std::string replacement = key == variable ? value : "user";
        for (auto at = text.find(key); at != std::string::npos; at = text.find(key))
            text.replace(at, key.size(), replacement);
    }
    return text;
}

bool filesExist(const std::string& fileArgs)
{
    // Arguments are "path" followed by a blank.
    for (std::size_t at = 0; at < fileArgs.size();) {
        const std::size_t end = fileArgs.find('"', at + 1);
        if (!std::filesystem::is_regular_file(fileArgs.substr(at + 1, end - at - 1)))
            return false;
        at = end + 2;
    }
    return true;
}

}  // namespace

// The sample game is listed once its save folder is installed, and the save
// files it names are the ones the install puts there.
TEST(SampleDefinitions, SampleGameIsListedWithTheSavesTheInstallMakes)
{
    DefinitionFolder folder;
    const std::string saves = folder.path() + "SampleSaves/SampleQuest";
    std::filesystem::create_directories(saves);
    for (const auto& file : std::filesystem::directory_iterator(std::string(VESK_SAMPLES_DIR) + "/saves/SampleQuest"))
        std::filesystem::copy_file(file.path(), saves + "/" + file.path().filename().string());
    folder.write("sample-quest.txt", configured("sample-quest.txt", "@VESK_SAMPLE_SAVES@", saves));

    GameEntry entry;
    ASSERT_TRUE(vesk::readGameDefinition("sample-quest.txt", entry));
    EXPECT_EQ(entry.Title, "サンプルクエスト");
    EXPECT_EQ(entry.Folder, saves + "/");
    EXPECT_TRUE(filesExist(entry.FileArgs)) << entry.FileArgs;
}

// The other samples are well formed: listed where their game is installed,
// silently left out where it is not.
TEST(SampleDefinitions, OtherSamplesAreListedOnlyWhereTheirGameIs)
{
    DefinitionFolder folder;
    const std::string home = folder.path() + "home";
    const struct {
        const char* name;
        const char* title;
        const char* checkFile;
    } samples[] = {
        {"hoshi-no-kouro.txt", "星の航路", "home/.local/share/hoshi-no-kouro/save/profile.dat"},
        {"yuunagi-no-niwa.txt", "夕凪の庭", "home/.wine/drive_c/users/user/Saved Games/Yuunagi no Niwa/config.ini"},
    };
    for (const auto& sample : samples) {
        folder.write(sample.name, configured(sample.name, "@VESK_HOME@", home));
        GameEntry entry;
        EXPECT_FALSE(vesk::readGameDefinition(sample.name, entry)) << sample.name;

        folder.write(sample.checkFile, "x");
        ASSERT_TRUE(vesk::readGameDefinition(sample.name, entry)) << sample.name;
        EXPECT_EQ(entry.Title, sample.title);
        EXPECT_FALSE(entry.FileArgs.empty());
    }
}
