#include "platform/Error.h"
#include "platform/LineFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

using vesk::LineFile;

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    const LineFile file = LineFile::fromText(text);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < file.count(); ++i)
        lines.push_back(file.line(i));
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(LineFile, SplitsAtEveryKindOfLineBreak)
{
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\n", {"one"}},
        {"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
        {"\n\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"  blanks  \r\n", {"  blanks  "}},
        {std::string("head\nta\0il\nnever", 16), {"head", "ta"}},
        {std::string("\0after", 6), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(linesOf(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(LineFile, LoadsBytesUnchanged)
{
    TempFolder folder;
    folder.write("def.txt", "GSP-DATA\r\n\x83\x5C\x83\x74\x83\x67\r\n");
    const LineFile file = LineFile::load(folder / "def.txt");
    ASSERT_EQ(file.count(), 2u);
    EXPECT_EQ(file.line(1), "\x83\x5C\x83\x74\x83\x67");
}

TEST(LineFile, ErrorsCarryTheToolkitTexts)
{
    TempFolder folder;
    try {
        LineFile::load(folder / "gone.txt");
        FAIL() << "no error";
    } catch (const vesk::Error& error) {
        EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ " + (folder / "gone.txt") + " は開けません");
    }
    const LineFile file = LineFile::fromText("only\n");
    EXPECT_EQ(file.line(0), "only");
    try {
        file.line(1);
        FAIL() << "no error";
    } catch (const vesk::Error& error) {
        EXPECT_STREQ(error.what(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    }
}
