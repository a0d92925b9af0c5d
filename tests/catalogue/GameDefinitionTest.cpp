#include "catalogue/GameDefinition.h"
#include "platform/Error.h"

#include "DefinitionFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <variant>

using vesk::GameEntry;
using vesk::readGameDefinition;

namespace {

const std::string ListIndexError = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";

// A literal with its zero bytes.
template <std::size_t N>
std::string bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

struct Rejected {};
struct Fails {
    std::string error;
};
using Outcome = std::variant<GameEntry, Rejected, Fails>;

bool operator==(const GameEntry& a, const GameEntry& b)
{
    return a.Title == b.Title && a.Folder == b.Folder && a.CheckFile == b.CheckFile && a.FileArgs == b.FileArgs;
}

std::ostream& operator<<(std::ostream& out, const Outcome& outcome)
{
    if (const auto* entry = std::get_if<GameEntry>(&outcome))
        return out << "accepted {" << entry->Title << "|" << entry->Folder << "|" << entry->CheckFile << "|"
                   << entry->FileArgs << "}";
    if (const auto* failure = std::get_if<Fails>(&outcome))
        return out << "fails: " << failure->error;
    return out << "rejected";
}

bool operator==(const Outcome& a, const Outcome& b)
{
    if (a.index() != b.index())
        return false;
    if (const auto* entry = std::get_if<GameEntry>(&a))
        return *entry == std::get<GameEntry>(b);
    if (const auto* failure = std::get_if<Fails>(&a))
        return failure->error == std::get<Fails>(b).error;
    return true;
}

Outcome readOutcome(const std::string& fileName)
{
    GameEntry entry;
    try {
        if (readGameDefinition(fileName, entry))
            return entry;
        return Rejected{};
    } catch (const vesk::Error& error) {
        return Fails{error.what()};
    }
}

// A definition folder whose check files exist: save/system.dat and
// "my saves/check.dat".
class Definitions : public DefinitionFolder {
public:
    Definitions()
    {
        write("save/system.dat", "x");
        write("my saves/check.dat", "x");
    }

    Outcome read(const std::string& text) const
    {
        write("game.txt", text);
        return readOutcome("game.txt");
    }
};

struct Case {
    const char* what;
    std::string text;
    Outcome expected;
};

const std::vector<Case> Cases = {
    {"comments, empty lines and a left-out file",
     "GSP-DATA\n; Sample Quest, all three slots\nSample Quest\n\nsave\nsystem.dat\nfirst.sav\n"
     ";second.sav is left out\nthird.sav\n#EOF\nanything after the end marker\n",
     GameEntry{"Sample Quest", "save/", "system.dat", "\"save/first.sav\" \"save/third.sav\" "}},
    {"CR LF breaks, none after the marker", "GSP-DATA\r\nT\r\nsave\r\nsystem.dat\r\na.sav\r\n#EOF",
     GameEntry{"T", "save/", "system.dat", "\"save/a.sav\" "}},
    {"lone CR breaks", "GSP-DATA\rT\rsave\rsystem.dat\ra.sav\r#EOF\r",
     GameEntry{"T", "save/", "system.dat", "\"save/a.sav\" "}},
    {"LF CR is two breaks around an empty line", "GSP-DATA\n\rT\n\rsave\n\rsystem.dat\n\r#EOF\n",
     GameEntry{"T", "save/", "system.dat", ""}},
    {"skipped lines after the header",
     "GSP-DATA\n;c\n\n;x\nT\n;\n\nsave\n\n;\nsystem.dat\n;\n\na.sav\n\n;b.sav\nc.sav\n;\n#EOF",
     GameEntry{"T", "save/", "system.dat", "\"save/a.sav\" \"save/c.sav\" "}},
    {"a line of blanks is a title", "GSP-DATA\n   \nsave\nsystem.dat\n#EOF\n",
     GameEntry{"   ", "save/", "system.dat", ""}},
    {"blanks before a semicolon make a title", "GSP-DATA\n  ;not a comment\nsave\nsystem.dat\n#EOF\n",
     GameEntry{"  ;not a comment", "save/", "system.dat", ""}},
    {"a line shorter than the marker is a title", "GSP-DATA\n#EO\nsave\nsystem.dat\n#EOF\n",
     GameEntry{"#EO", "save/", "system.dat", ""}},
    {"lower-case marker as title", "GSP-DATA\n#eof\nsave\nsystem.dat\n#EOF\n",
     GameEntry{"#eof", "save/", "system.dat", ""}},
    {"folder ending in the separator doubles it", "GSP-DATA\nT\nsave/\nsystem.dat\na.sav\n#EOF\n",
     GameEntry{"T", "save//", "system.dat", "\"save//a.sav\" "}},
    {"folder with blanks, files quoted whole", "GSP-DATA\nT\nmy saves\ncheck.dat\nslot 1.sav\n#EOF\n",
     GameEntry{"T", "my saves/", "check.dat", "\"my saves/slot 1.sav\" "}},
    {"marker followed by text ends the file lines", "GSP-DATA\nT\nsave\nsystem.dat\na.sav\n#EOF of the list\nb.sav\n",
     GameEntry{"T", "save/", "system.dat", "\"save/a.sav\" "}},
    {"lower-case marker among file lines is a file line", "GSP-DATA\nT\nsave\nsystem.dat\n#eof\n#EOF\n",
     GameEntry{"T", "save/", "system.dat", "\"save/#eof\" "}},
    {"file line of one blank", "GSP-DATA\nT\nsave\nsystem.dat\n \n#EOF\n",
     GameEntry{"T", "save/", "system.dat", "\"save/ \" "}},
    {"file lines naming missing files", "GSP-DATA\nT\nsave\nsystem.dat\nnothing.sav\nsub/none.sav\n#EOF\n",
     GameEntry{"T", "save/", "system.dat", "\"save/nothing.sav\" \"save/sub/none.sav\" "}},
    {"a second header after the marker is ignored",
     "GSP-DATA\nFirst\nsave\nsystem.dat\n#EOF\nGSP-DATA\nSecond\nsave\nsystem.dat\nx.sav\n#EOF\n",
     GameEntry{"First", "save/", "system.dat", ""}},
    {"Shift-JIS title kept as bytes", "GSP-DATA\n\x83\x54\x83\x93\x83\x76\x83\x8B\nsave\nsystem.dat\n#EOF\n",
     GameEntry{"\x83\x54\x83\x93\x83\x76\x83\x8B", "save/", "system.dat", ""}},
    {"a zero byte after the marker", bytes("GSP-DATA\nT\nsave\nsystem.dat\n#EOF\0garbage\n"),
     GameEntry{"T", "save/", "system.dat", ""}},

    {"header with a trailing blank", "GSP-DATA \nT\nsave\nsystem.dat\n#EOF\n", Rejected{}},
    {"header with a leading blank", " GSP-DATA\nT\nsave\nsystem.dat\n#EOF\n", Rejected{}},
    {"header in lower case", "gsp-data\nT\nsave\nsystem.dat\n#EOF\n", Rejected{}},
    {"header after a byte-order mark", "\xEF\xBB\xBFGSP-DATA\nT\nsave\nsystem.dat\n#EOF\n", Rejected{}},
    {"marker in place of the title", "GSP-DATA\n;c\n\n#EOF\nT\nsave\nsystem.dat\n#EOF\n", Rejected{}},
    {"marker in place of the folder", "GSP-DATA\nT\n#EOFsave\nsystem.dat\n#EOF\n", Rejected{}},
    {"marker in place of the check file", "GSP-DATA\nT\nsave\n\n#EOF\n", Rejected{}},
    {"check file missing", "GSP-DATA\nT\nsave\nnone.dat\n#EOF\n", Rejected{}},
    {"check file missing, before a missing marker is noticed", "GSP-DATA\nT\nsave\nnone.dat\na.sav\n", Rejected{}},
    {"check file names a folder", "GSP-DATA\nT\nmy saves\n.\n#EOF\n", Rejected{}},
    {"binary bytes without a header",
     [] {
         std::string bytes;
         for (int i = 1; i < 256; ++i)
             bytes += static_cast<char>(i);
         return bytes;
     }(),
     Rejected{}},

    {"empty file", "", Fails{ListIndexError}},
    {"header only", "GSP-DATA", Fails{ListIndexError}},
    {"header only, with a break", "GSP-DATA\r\n", Fails{ListIndexError}},
    {"ends before the title", "GSP-DATA\n;c\n\n", Fails{ListIndexError}},
    {"ends before the folder", "GSP-DATA\nT\n", Fails{ListIndexError}},
    {"ends before the check file", "GSP-DATA\nT\nsave\n;\n", Fails{ListIndexError}},
    {"no end marker", "GSP-DATA\nT\nsave\nsystem.dat\na.sav\n", Fails{ListIndexError}},
    {"only a lower-case marker", "GSP-DATA\nT\nsave\nsystem.dat\n#eof\n", Fails{ListIndexError}},
    {"a zero byte ends the text before the marker",
     bytes("GSP-DATA\nT\nsave\nsystem.dat\n\0#EOF\n"), Fails{ListIndexError}},
    {"a zero byte first", bytes("\0GSP-DATA\nT\nsave\nsystem.dat\n#EOF\n"), Fails{ListIndexError}},
};

}  // namespace

TEST(GameDefinition, CasesAreAcceptedRejectedOrFail)
{
    Definitions folder;
    for (const Case& c : Cases)
        EXPECT_EQ(folder.read(c.text), c.expected) << c.what;
}

TEST(GameDefinition, DefinitionThatCannotBeOpenedFailsWithItsBareName)
{
    Definitions folder;
    std::filesystem::create_directory(folder.path() + "x.txt");

    EXPECT_EQ(readOutcome("gone.txt"), Outcome(Fails{"ﾌｧｲﾙ gone.txt は開けません"}));
    EXPECT_EQ(readOutcome("x.txt"), Outcome(Fails{"ﾌｧｲﾙ x.txt は開けません"}));
}

TEST(GameDefinition, CheckFileIsClosedAgain)
{
    Definitions folder;
    folder.write("game.txt", "GSP-DATA\nT\nsave\nsystem.dat\n#EOF\n");
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
    };
    const auto before = openFiles();
    GameEntry entry;
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(readGameDefinition("game.txt", entry));
    EXPECT_EQ(openFiles(), before);
}

TEST(GameDefinition, NamedPipeAsCheckFileDoesNotBlock)
{
    Definitions folder;
    ASSERT_EQ(mkfifo((folder.path() + "save/pipe").c_str(), 0600), 0);

    EXPECT_EQ(folder.read("GSP-DATA\nT\nsave\npipe\n#EOF\n"), Outcome(GameEntry{"T", "save/", "pipe", ""}));
}

TEST(GameDefinition, TenMegabyteFiles)
{
    Definitions folder;
    std::string files;
    std::string expectedArgs;
    for (int i = 0; files.size() < 10'000'000; ++i) {
        const std::string name = "slot" + std::to_string(i) + ".sav";
        files += name + "\r\n";
        expectedArgs += "\"save/" + name + "\" ";
    }
    const std::string start = "GSP-DATA\r\nT\r\nsave\r\nsystem.dat\r\n";

    EXPECT_EQ(folder.read(start + files + "#EOF\r\n"), Outcome(GameEntry{"T", "save/", "system.dat", expectedArgs}));
    EXPECT_EQ(folder.read(start + files), Outcome(Fails{ListIndexError}));
    EXPECT_EQ(folder.read(std::string(10'000'000, 'G')), Outcome(Rejected{}));
}

// Random bytes, with and without a header in front: whatever the reader
// takes from them, it rejects or fails with the list error.
TEST(GameDefinition, RandomBytesAreRejectedOrFail)
{
    Definitions folder;
    std::mt19937 random(6);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 40; ++round) {
        std::string text = round % 2 ? "GSP-DATA\n" : "";
        for (int i = 0; i < 4096; ++i) {
            const int b = byte(random);
            // No zero bytes (they end the text early) and many breaks, so the
            // reader gets past the header.
            text += static_cast<char>(b == 0 ? 1 : b < 24 ? '\n' : b);
        }
        const Outcome outcome = folder.read(text);
        EXPECT_TRUE(std::holds_alternative<Rejected>(outcome) || outcome == Outcome(Fails{ListIndexError}))
            << "round " << round << ": " << outcome;
    }
}
