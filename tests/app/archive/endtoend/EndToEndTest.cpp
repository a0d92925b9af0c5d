#include "ArchiveSession.h"
#include "MessageTexts.h"

#include "archive/Archiver.h"
#include "archive/ProgressWindow.h"
#include "platform/Guard.h"
#include "unlha/command/Unlha.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QProcess>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

using namespace vesk;
using namespace vesk::test;

namespace {

namespace fs = std::filesystem;

const std::string FailedHeading = "\n\n次の処理に失敗しました：";

// Long enough to be compressed in several blocks, with runs to match and
// noise that does not compress.
std::string saveData(unsigned seed, std::size_t size = 150000)
{
    std::mt19937 random(seed);
    std::string bytes;
    while (bytes.size() < size) {
        if (random() % 3 == 0)
            bytes += "SAVE slot=" + std::to_string(random() % 100) + " hp=" + std::to_string(random() % 1000) + "\n";
        else
            bytes += static_cast<char>(random());
    }
    bytes.resize(size);
    return bytes;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void setModified(const std::string& path, std::time_t seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    QCOMPARE(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::time_t modified(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mtim.tv_sec;
}

constexpr std::time_t SavedAt = 1600000000;

// A game with its save files in the program folder, each with its own bytes
// and a modification time of its own in the past.
struct SaveGame {
    GameEntry entry;
    std::vector<std::string> paths;

    SaveGame(const TempProgramFolder& folder, const std::string& title, const std::string& subfolder,
             const std::vector<std::string>& files)
    {
        const std::string saves = folder / ("saves/" + subfolder + "/");
        entry = {title, saves, "check", fileArgs(saves, files)};
        for (const std::string& file : files) {
            paths.push_back(saves + file);
            writeBytes(paths.back(), saveData(static_cast<unsigned>(std::hash<std::string>{}(paths.back()))));
            setModified(paths.back(), SavedAt + static_cast<std::time_t>(paths.size()));
        }
        writeBytes(saves + "check", "");
    }
};

struct Snapshot {
    std::vector<std::string> bytes;
    std::vector<std::time_t> times;
};

Snapshot snapshot(const SaveGame& game)
{
    Snapshot taken;
    for (const std::string& path : game.paths) {
        taken.bytes.push_back(readBytes(path));
        taken.times.push_back(modified(path));
    }
    return taken;
}

// Extracts an archive with lhasa, an independent extractor, into `into`:
// it drops the leading separator of stored absolute paths.
int lhasaExtract(const std::string& archive, const std::string& into)
{
    fs::create_directories(into);
    QProcess lha;
    lha.start("lha", {QString::fromStdString("xw=" + into), QString::fromStdString(archive)});
    lha.waitForFinished(60000);
    return lha.exitStatus() == QProcess::NormalExit ? lha.exitCode() : -1;
}

// The member names lhasa lists, in archive order.
QStringList lhasaMembers(const std::string& archive)
{
    QProcess lha;
    lha.start("lha", {"l", QString::fromStdString(archive)});
    lha.waitForFinished(60000);
    QStringList names;
    bool inTable = false;
    for (const QString& line : QString::fromUtf8(lha.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("----")) {
            inTable = !inTable;
            continue;
        }
        if (inTable)
            names << line.section(' ', -1);
    }
    return names;
}

// The real archiver, watched: after each call it counts the progress
// windows that are on screen.
class WatchedArchiver : public Archiver {
public:
    WatchedArchiver() { installArchiver(this); }
    ~WatchedArchiver() override { installArchiver(nullptr); }
    std::uint16_t version() override { return UnlhaGetVersion(); }
    int run(const std::string& commandLine) override
    {
        const int result = Unlha(nullptr, commandLine.c_str(), nullptr, 0);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!qobject_cast<ProgressWindow*>(widget) || !widget->isVisible())
                continue;
            ++progressWindows;
            lastMember = widget->findChild<QLabel*>()->text();
            const auto* bar = widget->findChild<QProgressBar*>();
            finished = bar->value() == bar->maximum();
        }
        return result;
    }
    int progressWindows = 0;
    QString lastMember;
    bool finished = false;
};

using Handler = void (TForm1::*)(QObject*);

struct Session : ArchiveSession {
    std::unique_ptr<TForm1> window = open();

    void run(Handler handler, int answer = IdYes)
    {
        boxes.answerNext(answer);
        markBoxes();
        guarded([&] { (window.get()->*handler)(window.get()); });
    }
    const ShownBox& lastBox() const { return boxes.shown().back(); }
    std::string archive(const std::string& name) const { return backupFolder() + name + ".lzh"; }
};

}  // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { application().setTitle(Title); }

    void restoreBringsBackEveryByteAndTime();
    void updateModePacksOnlyNewerFiles();
    void progressWindowOnlyWithoutTheNoDialogSwitch_data();
    void progressWindowOnlyWithoutTheNoDialogSwitch();
    void gamesWithOneTitleShareOneArchive();
    void titleWithBlanksAndJapanese();
    void upperCaseExtensionIsRestoredAndDeleted();
    void damagedArchiveLeavesTheLiveSave_data();
    void damagedArchiveLeavesTheLiveSave();
    void failedBackupKeepsTheEarlierArchive_data();
    void failedBackupKeepsTheEarlierArchive();
    void unreadableSaveFileKeepsItsEarlierCopy();
    void gameWithoutSaveFilesMakesNoArchive();
    void removedBackupFolder();
    void batchRunBacksEveryGameUp();
    void batchRunWithFailureEndsWithStatus1();
};

void EndToEndTest::restoreBringsBackEveryByteAndTime()
{
    Session session;
    const SaveGame alpha(session.folder, "Alpha", "alpha", {"slot1.sav", "slot2.sav"});
    const SaveGame beta(session.folder, "Beta", "beta/deep", {"system.dat"});
    showGames(*session.window, {alpha.entry, beta.entry});
    const Snapshot alphaSaved = snapshot(alpha);
    const Snapshot betaSaved = snapshot(beta);

    session.run(&TForm1::backup1Click);
    QCOMPARE(session.lastBox().text, std::string("バックアップ終了しました"));
    QCOMPARE(session.lastBox().flags, 0);
    QCOMPARE(lines(*session.window->ListBox2), (std::vector<std::string>{"Alpha", "Beta"}));

    // An independent extractor reads the same bytes back.
    const std::string extracted = session.folder / "lhasa";
    QCOMPARE(lhasaExtract(session.archive("Alpha"), extracted), 0);
    for (std::size_t i = 0; i < alpha.paths.size(); ++i)
        QVERIFY(readBytes(extracted + alpha.paths[i]) == alphaSaved.bytes[i]);

    writeBytes(alpha.paths[0], "overwritten by a later game");
    fs::remove(alpha.paths[1]);
    fs::remove_all(session.folder / "saves/beta");

    session.run(&TForm1::restore1Click);
    QCOMPARE(session.lastBox().text, std::string("リストア終了しました"));
    QCOMPARE(session.lastBox().flags, 0);
    const Snapshot alphaBack = snapshot(alpha);
    const Snapshot betaBack = snapshot(beta);
    QVERIFY(alphaBack.bytes == alphaSaved.bytes);
    QCOMPARE(alphaBack.times, alphaSaved.times);
    QVERIFY(betaBack.bytes == betaSaved.bytes);
    QCOMPARE(betaBack.times, betaSaved.times);
}

void EndToEndTest::updateModePacksOnlyNewerFiles()
{
    Session session;
    const SaveGame game(session.folder, "Game", "game", {"newer.sav", "same-time.sav"});
    showGames(*session.window, {game.entry});
    session.run(&TForm1::backup1Click);
    const Snapshot first = snapshot(game);

    writeBytes(game.paths[0], "played again");
    setModified(game.paths[0], first.times[0] + 100);
    writeBytes(game.paths[1], "changed, but not newer");
    setModified(game.paths[1], first.times[1]);
    session.window->ArchiveCommand = "u";
    session.run(&TForm1::backup1Click);
    QCOMPARE(session.lastBox().flags, 0);

    const std::string extracted = session.folder / "lhasa";
    QCOMPARE(lhasaExtract(session.archive("Game"), extracted), 0);
    QCOMPARE(readBytes(extracted + game.paths[0]), std::string("played again"));
    QVERIFY(readBytes(extracted + game.paths[1]) == first.bytes[1]);
}

void EndToEndTest::progressWindowOnlyWithoutTheNoDialogSwitch_data()
{
    QTest::addColumn<QString>("dialogSwitch");
    QTest::addColumn<bool>("shown");
    QTest::newRow("dialog") << "" << true;
    QTest::newRow("-n") << "-n" << false;
}

void EndToEndTest::progressWindowOnlyWithoutTheNoDialogSwitch()
{
    QFETCH(QString, dialogSwitch);
    QFETCH(bool, shown);
    Session session;
    WatchedArchiver archiver;
    session.window->DialogSwitch = dialogSwitch.toStdString();
    const SaveGame game(session.folder, "Game", "game", {"a.sav"});
    showGames(*session.window, {game.entry});

    session.run(&TForm1::backup1Click);
    QCOMPARE(archiver.progressWindows, shown ? 1 : 0);
    session.run(&TForm1::restore1Click);
    QCOMPARE(archiver.progressWindows, shown ? 2 : 0);
    if (shown) {
        QCOMPARE(archiver.lastMember, QString::fromStdString(game.paths[0]));
        QVERIFY(archiver.finished);
    }

    // Each window closes with its command.
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<ProgressWindow*>(widget));
    QCOMPARE(session.lastBox().flags, 0);
}

void EndToEndTest::gamesWithOneTitleShareOneArchive()
{
    Session session;
    const SaveGame first(session.folder, "Shared", "first", {"one.sav"});
    const SaveGame second(session.folder, "Shared", "second", {"two.sav", "three.sav"});
    showGames(*session.window, {first.entry, second.entry});

    session.run(&TForm1::backup1Click);

    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"Shared"});
    QStringList expected;
    for (const std::string& path : {first.paths[0], second.paths[0], second.paths[1]})
        expected << QString::fromStdString(path);
    QCOMPARE(lhasaMembers(session.archive("Shared")), expected);
}

void EndToEndTest::titleWithBlanksAndJapanese()
{
    Session session;
    const std::string title = "セーブ データ 1 (体験版)";
    const SaveGame game(session.folder, title, "ゲーム フォルダ", {"セーブ 01.dat"});
    showGames(*session.window, {game.entry});
    const Snapshot saved = snapshot(game);

    session.run(&TForm1::backup1Click);
    QVERIFY(fs::is_regular_file(session.archive(title)));
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{title});

    writeBytes(game.paths[0], "lost progress");
    select(*session.window->ListBox2, {0});
    session.run(&TForm1::restore2Click);
    QCOMPARE(session.lastBox().flags, 0);
    QVERIFY(snapshot(game).bytes == saved.bytes);
}

void EndToEndTest::upperCaseExtensionIsRestoredAndDeleted()
{
    Session session;
    const SaveGame game(session.folder, "Game", "game", {"a.sav"});
    showGames(*session.window, {game.entry});
    session.run(&TForm1::backup1Click);
    const Snapshot saved = snapshot(game);
    fs::rename(session.archive("Game"), session.folder / "backup/Game.LZH");
    session.window->LoadArchiveList();
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"Game"});

    writeBytes(game.paths[0], "lost progress");
    session.run(&TForm1::restore1Click);
    QCOMPARE(session.lastBox().flags, 0);
    QVERIFY(snapshot(game).bytes == saved.bytes);

    select(*session.window->ListBox2, {0});
    session.run(&TForm1::DFClick);
    QVERIFY(!fs::exists(session.folder / "backup/Game.LZH"));
    QCOMPARE(session.window->ListBox2->count(), 0);
}

void EndToEndTest::damagedArchiveLeavesTheLiveSave_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("byte changed in the last member") << "flip";
    QTest::newRow("cut inside the last member") << "truncate";
    QTest::newRow("not an LZH archive") << "replace";
}

void EndToEndTest::damagedArchiveLeavesTheLiveSave()
{
    QFETCH(QString, damage);
    Session session;
    const SaveGame game(session.folder, "Game", "game", {"first.sav", "second.sav"});
    showGames(*session.window, {game.entry});
    session.run(&TForm1::backup1Click);

    std::string archive = readBytes(session.archive("Game"));
    if (damage == "flip")
        archive[archive.size() - 100] ^= 0x5A;
    else if (damage == "truncate")
        archive.resize(archive.size() - 100);
    else
        archive = "This is a text file with an archive's name.\n";
    writeBytes(session.archive("Game"), archive);
    for (const std::string& path : game.paths)
        writeBytes(path, "the player's newer progress");
    const Snapshot live = snapshot(game);

    select(*session.window->ListBox2, {0});
    session.run(&TForm1::restore2Click);

    QCOMPARE(session.lastBox().text, "リストア終了しました" + FailedHeading + "\nGame");
    QCOMPARE(session.lastBox().flags, 48);
    const Snapshot after = snapshot(game);
    QVERIFY(after.bytes == live.bytes);
    QCOMPARE(after.times, live.times);
    QVERIFY(readBytes(session.archive("Game")) == archive);
}

void EndToEndTest::failedBackupKeepsTheEarlierArchive_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("a folder where the archive goes") << "folder";
    QTest::newRow("an earlier file that is not an archive") << "not an archive";
}

void EndToEndTest::failedBackupKeepsTheEarlierArchive()
{
    QFETCH(QString, obstacle);
    Session session;
    const SaveGame game(session.folder, "Game", "game", {"a.sav"});
    const SaveGame other(session.folder, "Other", "other", {"b.sav"});
    showGames(*session.window, {game.entry, other.entry});
    if (obstacle == "folder")
        session.folder.makeFolder("backup/Game.lzh/inside");
    else
        writeBytes(session.archive("Game"), "kept as it is");

    session.run(&TForm1::backup1Click);

    QCOMPARE(session.lastBox().text, "バックアップ終了しました" + FailedHeading + "\nGame");
    QCOMPARE(session.lastBox().flags, 48);
    if (obstacle == "folder")
        QVERIFY(fs::is_directory(session.folder / "backup/Game.lzh/inside"));
    else
        QCOMPARE(readBytes(session.archive("Game")), std::string("kept as it is"));
    // The other game is backed up all the same, and no half-written file is left.
    QVERIFY(fs::is_regular_file(session.archive("Other")));
    for (const auto& entry : fs::directory_iterator(session.backupFolder()))
        QVERIFY2(entry.path().filename().string()[0] != '.', entry.path().c_str());
}

void EndToEndTest::unreadableSaveFileKeepsItsEarlierCopy()
{
    Session session;
    const SaveGame game(session.folder, "Game", "game", {"readable.sav", "unreadable.sav"});
    showGames(*session.window, {game.entry});
    session.run(&TForm1::backup1Click);
    const Snapshot first = snapshot(game);

    // A socket where the save file was: no file the archiver can read.
    fs::remove(game.paths[1]);
    const int socketFile = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const std::string relative = "saves/game/unreadable.sav";
    QVERIFY(chdir(session.folder.path().c_str()) == 0);
    std::copy(relative.begin(), relative.end(), address.sun_path);
    QCOMPARE(bind(socketFile, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    writeBytes(game.paths[0], "newer progress");

    session.run(&TForm1::backup1Click);
    close(socketFile);

    QCOMPARE(session.lastBox().flags, 0);
    const std::string extracted = session.folder / "lhasa";
    QCOMPARE(lhasaExtract(session.archive("Game"), extracted), 0);
    QCOMPARE(readBytes(extracted + game.paths[0]), std::string("newer progress"));
    QVERIFY(readBytes(extracted + game.paths[1]) == first.bytes[1]);
}

void EndToEndTest::gameWithoutSaveFilesMakesNoArchive()
{
    Session session;
    SaveGame game(session.folder, "Game", "game", {"a.sav", "b.sav"});
    for (const std::string& path : game.paths)
        fs::remove(path);
    showGames(*session.window, {game.entry});

    session.run(&TForm1::backup1Click);

    QCOMPARE(session.lastBox().text, "バックアップ終了しました" + FailedHeading + "\nGame");
    QCOMPARE(session.lastBox().flags, 48);
    QVERIFY(!fs::exists(session.archive("Game")));
    QCOMPARE(session.window->ListBox2->count(), 0);
}

void EndToEndTest::removedBackupFolder()
{
    Session session;
    const SaveGame game(session.folder, "Game", "game", {"a.sav"});
    showGames(*session.window, {game.entry});
    session.run(&TForm1::backup1Click);
    writeBytes(game.paths[0], "live");
    fs::remove_all(session.backupFolder());

    // Restore rebuilds no list: its command fails and is named.
    session.run(&TForm1::restore1Click);
    QCOMPARE(session.lastBox().text, "リストア終了しました" + FailedHeading + "\nGame");
    QCOMPARE(readBytes(game.paths[0]), std::string("live"));

    // Backup runs its commands, then cannot enter the folder: the error, no notice.
    session.run(&TForm1::backup1Click);
    QCOMPARE(session.commandBoxes().size(), std::size_t(2));
    QCOMPARE(session.lastBox().text, std::string("ﾌｧｲﾙが見つかりません."));
    QCOMPARE(session.lastBox().flags, 16);
    QCOMPARE(lines(*session.window->ListBox2), std::vector<std::string>{"Game"});
    QCOMPARE(readBytes(game.paths[0]), std::string("live"));
}

namespace {

// A program folder with the built program, definitions for `games` and
// their save files; the program runs with the batch switch and no display.
struct BatchRun {
    TempProgramFolder folder;
    std::vector<SaveGame> games;
    QProcess program;

    void addGame(const std::string& title, const std::string& subfolder, const std::vector<std::string>& files)
    {
        games.emplace_back(folder, title, subfolder, files);
        std::string definition = "GSP-DATA\n" + title + "\n" + folder / ("saves/" + subfolder) + "\ncheck\n";
        for (const std::string& file : files)
            definition += file + "\n";
        folder.writeFile("DataFile/" + subfolder + ".txt", definition + "#EOF\n");
    }

    void run()
    {
        fs::copy_file(VESK_PROGRAM, folder / "vesk");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(QString::fromStdString(folder / "vesk"), {"/b"});
        QVERIFY(program.waitForFinished(120000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    }
};

}  // namespace

void EndToEndTest::batchRunBacksEveryGameUp()
{
    BatchRun batch;
    batch.addGame("Alpha", "alpha", {"one.sav", "two.sav"});
    batch.addGame("ベータ 2", "beta", {"save.dat"});

    batch.run();

    QCOMPARE(batch.program.exitCode(), 0);
    QVERIFY(!QString::fromUtf8(batch.program.readAllStandardError()).contains(QString::fromUtf8("失敗")));
    QVERIFY(!batch.folder.exists("vesk.ini"));
    for (const SaveGame& game : batch.games) {
        const std::string extracted = batch.folder / ("lhasa/" + game.entry.Title);
        QCOMPARE(lhasaExtract(batch.folder / ("backup/" + game.entry.Title + ".lzh"), extracted), 0);
        for (const std::string& path : game.paths)
            QVERIFY(readBytes(extracted + path) == readBytes(path));
    }
}

void EndToEndTest::batchRunWithFailureEndsWithStatus1()
{
    BatchRun batch;
    batch.addGame("Alpha", "alpha", {"one.sav"});
    batch.addGame("Blocked", "blocked", {"save.dat"});
    batch.folder.makeFolder("backup/Blocked.lzh");

    batch.run();

    QCOMPARE(batch.program.exitCode(), 1);
    const QString errors = QString::fromUtf8(batch.program.readAllStandardError());
    QVERIFY2(errors.contains(QString::fromStdString(Title + ": 次の処理に失敗しました：\n" + Title + ": Blocked\n")),
             qPrintable(errors));
    QVERIFY(batch.folder.exists("backup/Alpha.lzh"));
    QVERIFY(!batch.folder.exists("vesk.ini"));
}

QTEST_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
