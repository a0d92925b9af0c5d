#include "ArchiveSession.h"
#include "FakeArchiver.h"
#include "MessageTexts.h"

#include "platform/Guard.h"

#include <QtTest>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

using namespace vesk;
using namespace vesk::test;

namespace {

namespace fs = std::filesystem;

const std::string RestoreFinished = "リストア終了しました";

using Handler = void (TForm1::*)(QObject*);

// A session whose archiver records the command lines.
struct Session : ArchiveSession {
    FakeArchiver archiver;
    std::unique_ptr<TForm1> window;

    explicit Session(const std::vector<std::string>& archives = {})
    {
        for (const std::string& name : archives)
            folder.writeFile("backup/" + name, "archive");
        window = open();
    }

    // Runs a command as its menu item does: an escaping error is shown.
    void run(Handler handler)
    {
        markBoxes();
        guarded([&] { (window.get()->*handler)(window.get()); });
    }

    // The archiver writes an archive for each backup command.
    void archiverCreatesArchives()
    {
        archiver.onRun = [this](const std::string& commandLine) {
            const std::size_t open = commandLine.find('"');
            const std::size_t close = commandLine.find('"', open + 1);
            std::ofstream(commandLine.substr(open + 1, close - open - 1) + ".lzh") << "archive";
        };
    }

    std::string backup(const std::string& rest) const { return backupFolder() + rest; }
};

QStringList qLines(const QListWidget& list)
{
    QStringList texts;
    for (const std::string& text : lines(list))
        texts << QString::fromStdString(text);
    return texts;
}

std::vector<int> toRows(const QList<int>& rows)
{
    return {rows.begin(), rows.end()};
}

const GameEntry SampleQuest{"Sample Quest", "/s/q/", "system.dat", fileArgs("/s/q/", {"first.sav", "third.sav"})};
const GameEntry SameEmpty{"Same", "/s/e/", "check", ""};
const GameEntry SameOther{"Same", "/s/b/", "check", fileArgs("/s/b/", {"b.sav"})};

}  // namespace

class ArchiveWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { application().setTitle(Title); }

    void archiveListShowsNamesWithoutTheirExtension();
    void archiveListHoldsAtMost500Lines();
    void deletion_data();
    void deletion();
    void deletionRemovesTheFileItsLineWasReadFrom();
    void removedBackupFolderEmptiesTheListWithTheError();

    void backupAll_data();
    void backupAll();
    void backupAllAnsweredNoDoesNothing();
    void backupAllOfAnEmptyList();
    void backupAllInBatchModeAsksAndTellsNothing();
    void backupAllCountsTheLinesBeforeEachGame();
    void backupSelected_data();
    void backupSelected();
    void removedBackupFolderEndsBackupWithTheError_data();
    void removedBackupFolderEndsBackupWithTheError();

    void restore_data();
    void restore();
    void restoreCommandLines_data();
    void restoreCommandLines();

    void failedCommandsAreNamedInTheNotice_data();
    void failedCommandsAreNamedInTheNotice();
    void failedBatchBackupGoesToStandardError();
    void namesWithDoubleQuotesAreNeverRun();
};

void ArchiveWindowTest::archiveListShowsNamesWithoutTheirExtension()
{
    Session session({"b.lzh", "A.lzh", "c.LZH", "Sample Game.lzh", "セーブ データ.lzh", "notes.txt", ".hidden.lzh",
                     "x.lzh.bak"});
    session.folder.makeFolder("backup/folder.lzh");
    QListWidget& list = *session.window->ListBox2;

    QCOMPARE(lines(list), (std::vector<std::string>{"A", "b", "c", "Sample Game", "セーブ データ"}));
    QCOMPARE(list.currentRow(), -1);

    // A rebuild reads the folder anew and leaves no line selected or current.
    session.folder.writeFile("backup/d.lzh", "");
    list.setCurrentRow(1);
    select(list, {0, 2});
    session.markBoxes();
    session.window->LoadArchiveList();
    QCOMPARE(lines(list), (std::vector<std::string>{"A", "b", "c", "d", "Sample Game", "セーブ データ"}));
    QCOMPARE(list.currentRow(), -1);
    QVERIFY(selectedRows(list).empty());
    QVERIFY(session.commandBoxes().empty());

    // An empty folder gives an empty list, and still no notice.
    for (const auto& entry : fs::directory_iterator(session.backupFolder()))
        fs::remove_all(entry.path());
    session.window->LoadArchiveList();
    QCOMPARE(list.count(), 0);
    QVERIFY(session.commandBoxes().empty());
}

void ArchiveWindowTest::archiveListHoldsAtMost500Lines()
{
    std::vector<std::string> names;
    for (int i = 500; i >= 0; --i)
        names.push_back(QString::asprintf("g%03d.lzh", i).toStdString());
    Session session(names);

    const std::vector<std::string> shown = lines(*session.window->ListBox2);
    QCOMPARE(shown.size(), std::size_t(500));
    QCOMPARE(shown.front(), std::string("g000"));
    QCOMPARE(shown.back(), std::string("g499"));
}

void ArchiveWindowTest::deletion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<QList<int>>("selectedAfter");

    // d.lzh appears after the list was built: it shows only when the list is rebuilt.
    QTest::newRow("no") << IdNo << QList<int>{1, 3} << QStringList{"A", "b", "c", "Sample Game"} << QList<int>{1, 3};
    QTest::newRow("two lines") << IdYes << QList<int>{1, 3} << QStringList{"A", "c", "d"} << QList<int>{};
    QTest::newRow("upper-case extension") << IdYes << QList<int>{2} << QStringList{"A", "b", "d", "Sample Game"}
                                          << QList<int>{};
    QTest::newRow("nothing selected") << IdYes << QList<int>{} << QStringList{"A", "b", "c", "d", "Sample Game"}
                                      << QList<int>{};
}

void ArchiveWindowTest::deletion()
{
    QFETCH(int, answer);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, remaining);
    QFETCH(QList<int>, selectedAfter);
    Session session({"A.lzh", "b.lzh", "c.LZH", "Sample Game.lzh"});
    session.folder.writeFile("backup/d.lzh", "");
    select(*session.window->ListBox2, toRows(selected));
    session.boxes.answerNext(answer);

    session.run(&TForm1::DFClick);

    QCOMPARE(qLines(*session.window->ListBox2), remaining);
    QCOMPARE(selectedRows(*session.window->ListBox2), toRows(selectedAfter));
    for (const char* file : {"A.lzh", "b.lzh", "c.LZH", "Sample Game.lzh"}) {
        const std::string name = std::string(file).substr(0, std::strlen(file) - 4);
        QCOMPARE(session.folder.exists("backup/" + std::string(file)), remaining.contains(QString::fromStdString(name)));
    }
    QCOMPARE(session.commandBoxes().size(), std::size_t(1));
    QCOMPARE(session.commandBoxes()[0].text, DeleteQuestion);
    QCOMPARE(session.commandBoxes()[0].caption, Title);
    QCOMPARE(session.commandBoxes()[0].flags, 4);
    QVERIFY(session.archiver.commandLines.empty());
}

void ArchiveWindowTest::deletionRemovesTheFileItsLineWasReadFrom()
{
    // Both spellings show as "x"; the first line was read from x.LZH.
    Session session({"x.lzh", "x.LZH"});
    QCOMPARE(lines(*session.window->ListBox2), (std::vector<std::string>{"x", "x"}));
    select(*session.window->ListBox2, {0});
    session.boxes.answerNext(IdYes);

    session.run(&TForm1::DFClick);

    QVERIFY(!session.folder.exists("backup/x.LZH"));
    QVERIFY(session.folder.exists("backup/x.lzh"));
    QCOMPARE(lines(*session.window->ListBox2), (std::vector<std::string>{"x"}));
}

void ArchiveWindowTest::removedBackupFolderEmptiesTheListWithTheError()
{
    Session session({"A.lzh", "b.lzh"});
    select(*session.window->ListBox2, {0});
    fs::remove_all(session.backupFolder());
    session.boxes.answerNext(IdYes);

    session.run(&TForm1::DFClick);

    QCOMPARE(session.window->ListBox2->count(), 0);
    QCOMPARE(session.commandBoxes().size(), std::size_t(2));
    QCOMPARE(session.commandBoxes()[1].text, std::string("ﾌｧｲﾙが見つかりません."));
    QCOMPARE(session.commandBoxes()[1].caption, Title);
    QCOMPARE(session.commandBoxes()[1].flags, 16);
}

void ArchiveWindowTest::backupAll_data()
{
    QTest::addColumn<QString>("archiveCommand");
    QTest::addColumn<QString>("dialogSwitch");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("a, dialog") << "a" << "" << "a  -+ -x1 \"";
    QTest::newRow("u, -n") << "u" << "-n" << "u -n -+ -x1 \"";
}

void ArchiveWindowTest::backupAll()
{
    QFETCH(QString, archiveCommand);
    QFETCH(QString, dialogSwitch);
    QFETCH(QString, prefix);
    Session session;
    session.window->ArchiveCommand = archiveCommand.toStdString();
    session.window->DialogSwitch = dialogSwitch.toStdString();
    showGames(*session.window, {SampleQuest, SameEmpty, SameOther});
    select(*session.window->ListBox1, {1});
    session.archiverCreatesArchives();
    session.boxes.answerNext(IdYes);

    session.run(&TForm1::backup1Click);

    // Every line from the top, selected or not; a game without files still
    // gets its command; two equal titles name the same archive.
    const std::string start = prefix.toStdString() + session.backupFolder();
    QCOMPARE(session.archiver.commandLines,
             (std::vector<std::string>{start + "Sample Quest\" \"/s/q/first.sav\" \"/s/q/third.sav\" ",
                                       start + "Same\" ", start + "Same\" \"/s/b/b.sav\" "}));
    QCOMPARE(lines(*session.window->ListBox2), (std::vector<std::string>{"Same", "Sample Quest"}));
    QCOMPARE(lines(*session.window->ListBox1), (std::vector<std::string>{"Sample Quest", "Same", "Same"}));
    QCOMPARE(selectedRows(*session.window->ListBox1), std::vector<int>{1});
    QCOMPARE(session.window->FileListBox2.directory(), session.backupFolder());
    const std::vector<ShownBox> boxes = session.commandBoxes();
    QCOMPARE(boxes.size(), std::size_t(2));
    QCOMPARE(boxes[0].text, BackupAllQuestion);
    QCOMPARE(boxes[0].caption, Title);
    QCOMPARE(boxes[0].flags, 4);
    QCOMPARE(boxes[1].text, BackupFinished);
    QCOMPARE(boxes[1].caption, Title);
    QCOMPARE(boxes[1].flags, 0);
}

void ArchiveWindowTest::backupAllAnsweredNoDoesNothing()
{
    Session session({"Old.lzh"});
    showGames(*session.window, {SampleQuest});
    session.folder.writeFile("backup/New.lzh", "");
    session.boxes.answerNext(IdNo);

    session.run(&TForm1::backup1Click);

    QVERIFY(session.archiver.commandLines.empty());
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"Old"});
    QCOMPARE(session.commandBoxes().size(), std::size_t(1));
}

void ArchiveWindowTest::backupAllOfAnEmptyList()
{
    Session session;
    showGames(*session.window, {});
    session.folder.writeFile("backup/New.lzh", "");
    session.boxes.answerNext(IdYes);

    session.run(&TForm1::backup1Click);

    QVERIFY(session.archiver.commandLines.empty());
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"New"});
    QCOMPARE(session.commandBoxes().size(), std::size_t(2));
    QCOMPARE(session.commandBoxes()[1].text, BackupFinished);
}

void ArchiveWindowTest::backupAllInBatchModeAsksAndTellsNothing()
{
    Session session;
    session.window->BatchMode = true;
    showGames(*session.window, {SampleQuest, SameOther});
    session.archiverCreatesArchives();

    session.run(&TForm1::backup1Click);

    QCOMPARE(session.archiver.commandLines.size(), std::size_t(2));
    QCOMPARE(lines(*session.window->ListBox2), (std::vector<std::string>{"Same", "Sample Quest"}));
    QVERIFY(session.commandBoxes().empty());
    QVERIFY(!session.window->BatchFailed);
}

void ArchiveWindowTest::backupAllCountsTheLinesBeforeEachGame()
{
    Session session;
    showGames(*session.window, {SampleQuest});
    session.archiver.onRun = [&](const std::string&) {
        if (session.window->ListBox1->count() == 1)
            showGames(*session.window, {SampleQuest, SameOther});
    };
    session.boxes.answerNext(IdYes);

    session.run(&TForm1::backup1Click);

    QCOMPARE(session.archiver.commandLines.size(), std::size_t(2));
    QVERIFY(session.archiver.commandLines[1].find("\"/s/b/b.sav\"") != std::string::npos);
}

void ArchiveWindowTest::backupSelected_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<bool>("batchMode");
    QTest::addColumn<QStringList>("packed");
    QTest::newRow("first and third") << QList<int>{2, 0} << false << QStringList{"/s/q/", "/s/b/"};
    QTest::newRow("none") << QList<int>{} << false << QStringList{};
    QTest::newRow("batch mode still tells") << QList<int>{1} << true << QStringList{"Same\" "};
}

void ArchiveWindowTest::backupSelected()
{
    QFETCH(QList<int>, selected);
    QFETCH(bool, batchMode);
    QFETCH(QStringList, packed);
    Session session;
    session.window->BatchMode = batchMode;
    showGames(*session.window, {SampleQuest, SameEmpty, SameOther});
    select(*session.window->ListBox1, toRows(selected));
    session.folder.writeFile("backup/New.lzh", "");

    session.run(&TForm1::backup2Click);

    QCOMPARE(session.archiver.commandLines.size(), static_cast<std::size_t>(packed.size()));
    for (qsizetype i = 0; i < packed.size(); ++i)
        QVERIFY(session.archiver.commandLines[i].find(packed[i].toStdString()) != std::string::npos);
    // Both lists are rebuilt: the new archive shows, no game is selected.
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"New"});
    QVERIFY(selectedRows(*session.window->ListBox1).empty());
    const std::vector<ShownBox> boxes = session.commandBoxes();
    QVERIFY(std::none_of(boxes.begin(), boxes.end(), [](const ShownBox& box) { return box.flags == MbYesNo; }));
    QVERIFY(!boxes.empty());
    QCOMPARE(boxes.back().text, BackupFinished);
    QCOMPARE(boxes.back().flags, 0);
}

void ArchiveWindowTest::removedBackupFolderEndsBackupWithTheError_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("all") << true;
    QTest::newRow("selected") << false;
}

void ArchiveWindowTest::removedBackupFolderEndsBackupWithTheError()
{
    QFETCH(bool, all);
    Session session({"Old.lzh"});
    showGames(*session.window, {SampleQuest, SameOther});
    select(*session.window->ListBox1, {0, 1});
    session.archiver.onRun = [&](const std::string&) { fs::remove_all(session.backupFolder()); };
    session.boxes.answerNext(IdYes);

    session.run(all ? &TForm1::backup1Click : &TForm1::backup2Click);

    // Every command has run; then entering the folder fails, and neither list
    // is rebuilt nor is the notice shown.
    QCOMPARE(session.archiver.commandLines.size(), std::size_t(2));
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"Old"});
    QCOMPARE(lines(*session.window->ListBox1), (std::vector<std::string>{"Sample Quest", "Same"}));
    QCOMPARE(session.commandBoxes().back().text, std::string("ﾌｧｲﾙが見つかりません."));
    QCOMPARE(session.commandBoxes().back().flags, 16);
    QCOMPARE(session.commandBoxes().size(), std::size_t(all ? 2 : 1));
}

void ArchiveWindowTest::restore_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("restored");
    const QList<int> secondAndFourth{3, 1};
    QTest::newRow("all") << true << IdYes << secondAndFourth << QStringList{"A", "b", "Sample Game", "セーブ データ"};
    QTest::newRow("all, no") << true << IdNo << secondAndFourth << QStringList{};
    QTest::newRow("selected") << false << IdYes << secondAndFourth << QStringList{"b", "セーブ データ"};
    QTest::newRow("selected, no") << false << IdNo << secondAndFourth << QStringList{};
    QTest::newRow("selected, none") << false << IdYes << QList<int>{} << QStringList{};
}

void ArchiveWindowTest::restore()
{
    QFETCH(bool, all);
    QFETCH(int, answer);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, restored);
    Session session({"A.lzh", "b.lzh", "Sample Game.lzh", "セーブ データ.lzh"});
    QListWidget& list = *session.window->ListBox2;
    select(list, toRows(selected));
    session.boxes.answerNext(answer);

    session.run(all ? &TForm1::restore1Click : &TForm1::restore2Click);

    std::vector<std::string> expected;
    for (const QString& name : restored)
        expected.push_back("x -+ -u0  \"" + session.backup(name.toStdString()) + ".lzh\"");
    QCOMPARE(session.archiver.commandLines, expected);
    const std::vector<ShownBox> boxes = session.commandBoxes();
    QCOMPARE(boxes.size(), std::size_t(answer == IdYes ? 2 : 1));
    QCOMPARE(boxes[0].text, all ? RestoreAllQuestion : RestoreSelectedQuestion);
    QCOMPARE(boxes[0].caption, Title);
    QCOMPARE(boxes[0].flags, 4);
    if (answer == IdYes) {
        QCOMPARE(boxes[1].text, RestoreFinished);
        QCOMPARE(boxes[1].caption, Title);
        QCOMPARE(boxes[1].flags, 0);
    }
    // A restore rebuilds no list.
    QCOMPARE(lines(list), (std::vector<std::string>{"A", "b", "Sample Game", "セーブ データ"}));
    std::vector<int> rows = toRows(selected);
    std::sort(rows.begin(), rows.end());
    QCOMPARE(selectedRows(list), rows);
}

void ArchiveWindowTest::restoreCommandLines_data()
{
    QTest::addColumn<QString>("dialogSwitch");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("commandStart");
    QTest::newRow("dialog") << "" << "Sample Game.lzh" << "x -+ -u0  \"";
    QTest::newRow("-n") << "-n" << "Sample Game.lzh" << "x -+ -u0 -n \"";
    // The file the line was read from, as the folder spells it.
    QTest::newRow("upper-case extension") << "" << "x.LZH" << "x -+ -u0  \"";
}

void ArchiveWindowTest::restoreCommandLines()
{
    QFETCH(QString, dialogSwitch);
    QFETCH(QString, file);
    QFETCH(QString, commandStart);
    Session session({file.toStdString()});
    session.window->DialogSwitch = dialogSwitch.toStdString();
    session.boxes.answerNext(IdYes);

    session.run(&TForm1::restore1Click);

    QCOMPARE(session.archiver.commandLines,
             std::vector<std::string>{commandStart.toStdString() + session.backup(file.toStdString()) + "\""});
}

void ArchiveWindowTest::failedCommandsAreNamedInTheNotice_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("finished");
    QTest::newRow("backup all") << 0 << QString::fromStdString(BackupFinished);
    QTest::newRow("backup selected") << 1 << QString::fromStdString(BackupFinished);
    QTest::newRow("restore all") << 2 << QString::fromStdString(RestoreFinished);
    QTest::newRow("restore selected") << 3 << QString::fromStdString(RestoreFinished);
}

void ArchiveWindowTest::failedCommandsAreNamedInTheNotice()
{
    QFETCH(int, command);
    QFETCH(QString, finished);
    const Handler handlers[] = {&TForm1::backup1Click, &TForm1::backup2Click, &TForm1::restore1Click,
                                &TForm1::restore2Click};
    Session session({"Broken A.lzh", "Good.lzh", "壊れた B.lzh"});
    const std::vector<GameEntry> games{{"Broken A", "/s/a/", "c", ""}, {"Good", "/s/g/", "c", ""}, {"壊れた B", "/s/b/", "c", ""}};
    showGames(*session.window, games);
    select(*session.window->ListBox1, {0, 1, 2});
    select(*session.window->ListBox2, {0, 1, 2});
    session.archiver.onRun = [&](const std::string& commandLine) {
        session.archiver.result = commandLine.find("Good") == std::string::npos ? 5 : 0;
    };
    session.boxes.answerNext(IdYes);

    session.run(handlers[command]);

    QCOMPARE(session.archiver.commandLines.size(), std::size_t(3));
    const ShownBox notice = session.commandBoxes().back();
    QCOMPARE(notice.text, finished.toStdString() + "\n\n次の処理に失敗しました：\nBroken A\n壊れた B");
    QCOMPARE(notice.caption, Title);
    QCOMPARE(notice.flags, 48);
}

void ArchiveWindowTest::failedBatchBackupGoesToStandardError()
{
    Session session;
    session.window->BatchMode = true;
    showGames(*session.window, {SampleQuest, {"Broken", "/s/x/", "c", ""}});
    session.archiver.onRun = [&](const std::string& commandLine) {
        session.archiver.result = commandLine.find("Broken") == std::string::npos ? 0 : 6;
    };
    std::ostringstream captured;
    std::streambuf* standardError = std::cerr.rdbuf(captured.rdbuf());

    session.run(&TForm1::backup1Click);
    std::cerr.rdbuf(standardError);

    QVERIFY(session.window->BatchFailed);
    QVERIFY(session.commandBoxes().empty());
    QCOMPARE(captured.str(), Title + ": 次の処理に失敗しました：\n" + Title + ": Broken\n");
}

void ArchiveWindowTest::namesWithDoubleQuotesAreNeverRun()
{
    // Between the command's quotes a quote would end the path early and name
    // another archive, so these are reported instead of run.
    Session session({"say \"hi\".lzh", "Good.lzh"});
    showGames(*session.window, {{"Quote \" Game", "/s/q/", "c", ""}, SameOther});
    session.boxes.answerNext(IdYes);
    session.boxes.answerNext(IdOk);
    session.boxes.answerNext(IdYes);

    session.run(&TForm1::backup1Click);
    QCOMPARE(session.archiver.commandLines.size(), std::size_t(1));
    QCOMPARE(session.commandBoxes().back().text, BackupFinished + "\n\n次の処理に失敗しました：\nQuote \" Game");

    session.archiver.commandLines.clear();
    session.run(&TForm1::restore1Click);
    QCOMPARE(session.archiver.commandLines,
             std::vector<std::string>{"x -+ -u0  \"" + session.backup("Good.lzh") + "\""});
    QCOMPARE(session.commandBoxes().back().text, RestoreFinished + "\n\n次の処理に失敗しました：\nsay \"hi\"");

    // Deletion needs no command line.
    select(*session.window->ListBox2, {1});
    session.boxes.answerNext(IdYes);
    session.run(&TForm1::DFClick);
    QVERIFY(!session.folder.exists("backup/say \"hi\".lzh"));
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"Good"});
}

QTEST_MAIN(ArchiveWindowTest)
#include "ArchiveWindowTest.moc"
