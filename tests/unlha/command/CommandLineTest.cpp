#include <gtest/gtest.h>

#include "unlha/command/CommandError.h"
#include "unlha/command/CommandLine.h"
#include "unlha/command/ResultCode.h"

namespace unlha {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateAndQuotesGroup) {
    const struct {
        std::string line;
        Words words;
    } cases[] = {
        {"a  -+ -x1 \"/b/Game\" \"/s/f1\" \"/s/f2\" ", {"a", "-+", "-x1", "/b/Game", "/s/f1", "/s/f2"}},
        {"u -n -+ -x1 \"/b/Game\" \"/s/f1\" ", {"u", "-n", "-+", "-x1", "/b/Game", "/s/f1"}},
        {"x -+ -u0  \"/b/Name.lzh\"", {"x", "-+", "-u0", "/b/Name.lzh"}},
        {"x -+ -u0 -n \"/b/Name.lzh\"", {"x", "-+", "-u0", "-n", "/b/Name.lzh"}},
        {" -+ -x1 \"/b/Game\" ", {"", "-+", "-x1", "/b/Game"}},
        {"a -x1 \"/b/My Game 表ソ\" \"/s/セーブ 1.dat\"", {"a", "-x1", "/b/My Game 表ソ", "/s/セーブ 1.dat"}},
        {"l arc\tfile", {"l", "arc", "file"}},
        {"a arc \"\"", {"a", "arc", ""}},
        {"a ab\"c d\"e", {"a", "abc de"}},
        {"a \"unclosed quote", {"a", "unclosed quote"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.words) << "[" << c.line << "]";
}

TEST(ParseCommand, TheProgramsShapes) {
    Command backup = parseCommand(splitCommandLine("a  -+ -x1 \"/b/Game\" \"/s/f1\" \"/s/f2\" "));
    EXPECT_EQ(backup.verb, Verb::Add);
    EXPECT_TRUE(backup.fullPaths);
    EXPECT_TRUE(backup.progress);
    EXPECT_EQ(backup.archive, "/b/Game");
    EXPECT_EQ(backup.files, (Words{"/s/f1", "/s/f2"}));
    EXPECT_EQ(backup.write.method, Method::Lh7);
    EXPECT_EQ(backup.write.headerLevel, 2);

    Command update = parseCommand(splitCommandLine("u -n -+ -x1 \"/b/Game\" "));
    EXPECT_EQ(update.verb, Verb::Update);
    EXPECT_FALSE(update.progress);
    EXPECT_TRUE(update.files.empty());

    Command restore = parseCommand(splitCommandLine("x -+ -u0 -n \"/b/My Game.lzh\""));
    EXPECT_EQ(restore.verb, Verb::Extract);
    EXPECT_FALSE(restore.progress);
    EXPECT_EQ(restore.archive, "/b/My Game.lzh");
    EXPECT_FALSE(restore.destination);
}

TEST(ParseCommand, SwitchesAndCase) {
    const Command c = parseCommand({"A", "-O5", "-h1", "arc"});
    EXPECT_EQ(c.verb, Verb::Add);
    EXPECT_EQ(c.write.method, Method::Lh5);
    EXPECT_EQ(c.write.headerLevel, 1);
    EXPECT_EQ(parseCommand({"a", "-o6", "arc"}).write.method, Method::Lh6);
    EXPECT_EQ(parseCommand({"a", "-z", "arc"}).write.method, Method::Lh0);
    EXPECT_EQ(parseCommand({"a", "-h0", "arc"}).write.headerLevel, 0);
    EXPECT_EQ(parseCommand({"T", "arc"}).verb, Verb::Test);
    EXPECT_EQ(parseCommand({"L", "arc"}).verb, Verb::List);
    EXPECT_EQ(parseCommand({"X", "arc"}).verb, Verb::Extract);
}

TEST(ParseCommand, DestinationOnlyForExtractionAndOnlyWithTrailingSlash) {
    const Command x = parseCommand({"x", "arc", "/out/", "a.txt"});
    EXPECT_EQ(x.destination, "/out/");
    EXPECT_EQ(x.files, Words{"a.txt"});
    EXPECT_FALSE(parseCommand({"x", "arc", "/out"}).destination);
    const Command a = parseCommand({"a", "arc", "/folder/"});
    EXPECT_FALSE(a.destination);
    EXPECT_EQ(a.files, Words{"/folder/"});
    // After the archive, a word beginning with '-' is a file name.
    EXPECT_EQ(parseCommand({"a", "arc", "-x1"}).files, Words{"-x1"});
}

TEST(ParseCommand, BadLinesAreRefused) {
    const Words cases[] = {
        {},
        {"", "-+", "-x1", "/b/Game", "/s/f"},  // empty first word: the line began with a blank
        {"e", "arc"},
        {"d", "arc"},
        {"backup", "arc"},
        {"a", "-q", "arc"},
        {"a", "-x2", "arc"},
        {"a", "-o", "arc"},
        {"a", "-+", "-x1"},  // no archive
        {"x"},
        {"a", "", "f"},
        {"a", "arc", ""},
    };
    for (const Words& words : cases) {
        try {
            parseCommand(words);
            ADD_FAILURE() << "accepted: " << ::testing::PrintToString(words);
        } catch (const CommandError& e) {
            EXPECT_EQ(e.code(), result::BadCommandLine);
            EXPECT_STRNE(e.what(), "");
        }
    }
}

TEST(ArchiveName, LzhAppendedUnlessPresentInAnyCase) {
    EXPECT_EQ(withLzhExtension("/b/Game v1.2"), "/b/Game v1.2.lzh");
    EXPECT_EQ(withLzhExtension("/b/Game"), "/b/Game.lzh");
    EXPECT_EQ(withLzhExtension("/b/Game.lzh"), "/b/Game.lzh");
    EXPECT_EQ(withLzhExtension("/b/Game.LZH"), "/b/Game.LZH");
    EXPECT_EQ(withLzhExtension("/b/Game.Lzh"), "/b/Game.Lzh");
    EXPECT_EQ(withLzhExtension("lzh"), "lzh.lzh");
    EXPECT_EQ(withLzhExtension("/b/セーブ"), "/b/セーブ.lzh");
}

}  // namespace
}  // namespace unlha
