#include "app/MainWindow.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/ListText.h"

#include "FakeArchiver.h"
#include "ScriptedMessageBoxes.h"
#include "TempProgramFolder.h"

#include <QListWidget>
#include <QtTest>

#include <filesystem>

using namespace vesk;
using namespace vesk::test;

namespace {

const char* const NoGameNotice = "対応しているソフトがありません";
const char* const ListIndexError = "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";
// Fails with the list error if it is ever read.
const char* const ReadWouldFail = "GSP-DATA\n";

// A program folder with a definition folder and, for each game made
// installed, a save folder saves/<name>/ holding its check file.
struct Program {
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    FakeArchiver archiver;

    Program() { folder.makeFolder("DataFile"); }

    std::string saveFolder(const std::string& name) const { return folder / ("saves/" + name); }

    // A definition whose check file exists, with the save files a.sav and b.sav.
    void installed(const std::string& fileName, const std::string& title) const
    {
        const std::string saves = "saves/" + fileName;
        folder.writeFile(saves + "/check.dat", "x");
        folder.writeFile("DataFile/" + fileName,
                         "GSP-DATA\n" + title + "\n" + folder / saves + "\ncheck.dat\na.sav\nb.sav\n#EOF\n");
    }
    // A well-formed definition whose check file does not exist.
    void notInstalled(const std::string& fileName, const std::string& title) const
    {
        folder.writeFile("DataFile/" + fileName,
                         "GSP-DATA\n" + title + "\n" + folder / "saves/absent" + "\ncheck.dat\n#EOF\n");
    }
    void definition(const std::string& fileName, const std::string& text) const
    {
        folder.writeFile("DataFile/" + fileName, text);
    }

    std::unique_ptr<TForm1> start() const { return std::make_unique<TForm1>(); }
};

QStringList shownLines(const TForm1& window)
{
    QStringList lines;
    for (int row = 0; row < window.ListBox1->count(); ++row)
        lines << window.ListBox1->item(row)->text();
    return lines;
}

std::vector<std::string> titles(const TForm1& window)
{
    std::vector<std::string> result;
    for (int row = 0; row < window.ListBox1->count(); ++row)
        result.push_back(window.Games[row].Title);
    return result;
}

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

void expectNothingCurrent(const TForm1& window)
{
    QCOMPARE(window.ListBox1->currentRow(), -1);
    QVERIFY(window.ListBox1->selectedItems().isEmpty());
}

}  // namespace

class GameListWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { application().setTitle("Vesk ver1.00"); }

    void startUpListsAcceptedGamesInNameOrder();
    void titlesAreShownDecodedAndKeptAsBytes();
    void noAcceptedGameShowsTheNoticeOnEveryRebuild();
    void onlyTheFirstFiveHundredFilesAreRead();
    void errorStopsTheRebuildKeepingEarlierLines();
    void refreshWithFewerGamesFromAnotherDirectory();
    void definitionFolderGoneLeavesTheListEmpty();
    void parseFillsTheSlotItIsGiven();
};

void GameListWindowTest::startUpListsAcceptedGamesInNameOrder()
{
    Program program;
    program.installed("b.txt", "Beta");
    program.installed("A.txt", "Alpha");
    program.installed("c.TXT", "Gamma");
    program.notInstalled("b0.txt", "Absent");
    program.definition("b1.txt", "GSP-DATA \nBroken\n");
    program.installed("b2.txt", "Beta");
    program.folder.makeFolder("DataFile/x.txt");
    program.definition(".hidden.txt", ReadWouldFail);
    program.definition("notes.lzh", ReadWouldFail);
    program.definition("readme", ReadWouldFail);

    const auto window = program.start();

    QCOMPARE(shownLines(*window), (QStringList{"Alpha", "Beta", "Beta", "Gamma"}));
    QCOMPARE(titles(*window), (std::vector<std::string>{"Alpha", "Beta", "Beta", "Gamma"}));
    const std::string betaSaves = program.saveFolder("b2.txt") + "/";
    QCOMPARE(window->Games[2].Folder, betaSaves);
    QCOMPARE(window->Games[2].FileArgs, "\"" + betaSaves + "a.sav\" \"" + betaSaves + "b.sav\" ");
    QVERIFY(program.boxes.shown().empty());
    expectNothingCurrent(*window);
}

void GameListWindowTest::titlesAreShownDecodedAndKeptAsBytes()
{
    Program program;
    const std::string shiftJis = "\x83\x54\x83\x93\x83\x76\x83\x8B\x81\x45\x83\x4E\x83\x47\x83\x58\x83\x67";
    program.installed("1.txt", shiftJis);
    program.installed("2.txt", "星の航路");

    const auto window = program.start();

    QCOMPARE(shownLines(*window), (QStringList{QString::fromUtf8("サンプル・クエスト"), QString::fromUtf8("星の航路")}));
    QCOMPARE(window->Games[0].Title, shiftJis);
    QCOMPARE(lineText(*window->ListBox1, 0), shiftJis);
    QCOMPARE(lineText(*window->ListBox1, 1), std::string("星の航路"));
}

void GameListWindowTest::noAcceptedGameShowsTheNoticeOnEveryRebuild()
{
    Program program;
    const auto window = program.start();
    program.notInstalled("a.txt", "Absent");
    program.definition("b.txt", "gsp-data\n");
    window->LoadGameList();

    QCOMPARE(window->ListBox1->count(), 0);
    QCOMPARE(program.boxes.shown().size(), std::size_t(2));
    for (const ShownBox& box : program.boxes.shown()) {
        QCOMPARE(box.text, std::string(NoGameNotice));
        QCOMPARE(box.caption, std::string("Vesk ver1.00"));
        QCOMPARE(box.flags, 64);
    }
}

// The 501st name in order would fail if it were read; once it is the 500th,
// it is read and does fail.
void GameListWindowTest::onlyTheFirstFiveHundredFilesAreRead()
{
    Program program;
    program.installed("g000.txt", "First");
    for (int i = 1; i < MaxGames; ++i)
        program.notInstalled(QString::asprintf("g%03d.txt", i).toStdString(), "Absent");
    program.definition("g500.txt", ReadWouldFail);

    const auto window = program.start();
    QCOMPARE(shownLines(*window), QStringList{"First"});
    QVERIFY(program.boxes.shown().empty());

    std::filesystem::remove(program.folder / "DataFile/g499.txt");
    QCOMPARE(errorOf([&] { window->LoadGameList(); }), std::string(ListIndexError));
}

void GameListWindowTest::errorStopsTheRebuildKeepingEarlierLines()
{
    Program program;
    program.installed("a.txt", "Alpha");
    program.notInstalled("b.txt", "Absent");
    program.definition("c.txt", ReadWouldFail);
    program.installed("d.txt", "Delta");

    const auto window = program.start();

    QCOMPARE(shownLines(*window), QStringList{"Alpha"});
    QCOMPARE(program.boxes.shown().size(), std::size_t(1));
    QCOMPARE(program.boxes.shown()[0].text, std::string(ListIndexError) + ".");
    QCOMPARE(program.boxes.shown()[0].flags, 16);

    window->ListBox1->selectAll();
    QCOMPARE(errorOf([&] { window->LoadGameList(); }), std::string(ListIndexError));
    QCOMPARE(shownLines(*window), QStringList{"Alpha"});
    QCOMPARE(program.boxes.shown().size(), std::size_t(1));
}

void GameListWindowTest::refreshWithFewerGamesFromAnotherDirectory()
{
    Program program;
    program.installed("a.txt", "Alpha");
    program.installed("b.txt", "Beta");
    program.installed("c.txt", "Gamma");
    const auto window = program.start();
    window->ListBox1->setCurrentRow(2);
    window->ListBox1->selectAll();

    std::filesystem::remove(program.saveFolder("b.txt") + "/check.dat");
    std::filesystem::current_path("/");
    window->LoadGameList();

    QCOMPARE(shownLines(*window), (QStringList{"Alpha", "Gamma"}));
    QCOMPARE(window->Games[1].Title, std::string("Gamma"));
    expectNothingCurrent(*window);
}

void GameListWindowTest::definitionFolderGoneLeavesTheListEmpty()
{
    Program program;
    program.installed("a.txt", "Alpha");
    const auto window = program.start();
    QCOMPARE(window->ListBox1->count(), 1);

    std::filesystem::current_path("/");
    std::filesystem::remove_all(program.folder / "DataFile");

    QCOMPARE(errorOf([&] { window->LoadGameList(); }), std::string("ﾌｧｲﾙが見つかりません"));
    QCOMPARE(window->ListBox1->count(), 0);
    QVERIFY(program.boxes.shown().empty());
}

// A definition is opened by its bare name in the current directory.
void GameListWindowTest::parseFillsTheSlotItIsGiven()
{
    Program program;
    program.installed("a.txt", "Alpha");
    const auto window = program.start();
    // Start-up made the backup folder current after the game list.
    window->FileListBox1.update();

    QVERIFY(window->ParseGameDefinition("a.txt", MaxGames - 1));
    QCOMPARE(window->Games[MaxGames - 1].Title, std::string("Alpha"));
    QCOMPARE(errorOf([&] { window->ParseGameDefinition("gone.txt", 1); }), std::string("ﾌｧｲﾙ gone.txt は開けません"));
}

QTEST_MAIN(GameListWindowTest)
#include "GameListWindowTest.moc"
