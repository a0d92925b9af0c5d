#include "app/BatchSwitch.h"
#include "app/MainWindow.h"
#include "platform/Application.h"
#include "platform/FileList.h"

#include "FakeArchiver.h"
#include "ScriptedMessageBoxes.h"
#include "TempProgramFolder.h"

#include <QListWidget>
#include <QMenu>
#include <QTabBar>
#include <QProcess>
#include <QtTest>

#include <filesystem>

using namespace vesk;
using namespace vesk::test;

namespace {

const char* const OldArchiverQuestion = "UNLHA32.DLLのバージョンが古いですが、続けますか？";

std::string settingsText(const std::string& backup, const std::string& ua, const std::string& dialog)
{
    std::string text = "[OPTION]\nBackup=";
    text += backup;
    text += "\nua=" + ua + "\nDialog=" + dialog + "\n";
    return text;
}

int errorBoxes(const ScriptedMessageBoxes& boxes)
{
    return static_cast<int>(std::count_if(boxes.shown().begin(), boxes.shown().end(),
                                          [](const ShownBox& box) { return box.flags == MbIconStop; }));
}

// One start of the window in a fresh program folder with a definition folder,
// boxes scripted and the archiver faked.
struct Start {
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    FakeArchiver archiver;

    Start() { folder.makeFolder("DataFile"); }
    std::unique_ptr<TForm1> window(std::vector<std::string> arguments = {})
    {
        application().setArguments(std::move(arguments));
        return std::make_unique<TForm1>();
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { application().setTitle("Vesk ver1.00"); }

    void oldArchiverAsksFirst_data();
    void oldArchiverAsksFirst();
    void answeringNoEndsBeforeAnythingIsReadOrWritten();
    void batchSwitch_data();
    void batchSwitch();
    void batchSwitchIgnoresSecondBytesOfCp932Characters();
    void firstStartUsesTheDefaults();
    void unusableBackupFolderFallsBackSilently_data();
    void unusableBackupFolderFallsBackSilently();
    void missingDefinitionFolderCutsStartUpShort_data();
    void missingDefinitionFolderCutsStartUpShort();
    void unusableDefaultBackupFolderCutsStartUpShort();
    void closeWritesTheThreeKeysInOrder();
    void failedWriteKeepsTheWindowOpen();
    void controlsAndMenusAtStart();
    void batchRunWithoutDisplay_data();
    void batchRunWithoutDisplay();
};

void StartupTest::oldArchiverAsksFirst_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("asks");
    QTest::newRow("150") << 150 << true;
    QTest::newRow("0") << 0 << true;
    QTest::newRow("151") << 151 << false;
    QTest::newRow("65535") << 65535 << false;
}

void StartupTest::oldArchiverAsksFirst()
{
    QFETCH(int, version);
    QFETCH(bool, asks);
    Start start;
    start.archiver.versionNumber = static_cast<std::uint16_t>(version);
    start.boxes.answerNext(IdYes);
    // With the batch switch too: the question comes before the command line.
    auto window = start.window({"/b"});

    const bool asked = !start.boxes.shown().empty() && start.boxes.shown().front().text == OldArchiverQuestion;
    QCOMPARE(asked, asks);
    if (asks) {
        QCOMPARE(start.boxes.shown().front().caption, std::string("注意"));
        QCOMPARE(start.boxes.shown().front().flags, 68);
    }
    QVERIFY(window->BatchMode);
    QCOMPARE(window->EndStatus, std::optional<int>(0));
}

void StartupTest::answeringNoEndsBeforeAnythingIsReadOrWritten()
{
    Start start;
    start.archiver.versionNumber = 150;
    start.folder.writeFile("vesk.ini", "[OPTION]\nBackup=/elsewhere/\n");
    start.boxes.answerNext(IdNo);
    auto window = start.window({"/b"});

    QCOMPARE(window->EndStatus, std::optional<int>(0));
    QCOMPARE(start.boxes.shown().size(), std::size_t(1));
    QVERIFY(!window->BatchMode);
    QVERIFY(window->BackupFolder.empty());
    QVERIFY(!start.folder.exists("backup"));
    QVERIFY(!window->isVisible());
    QCOMPARE(start.folder.readFile("vesk.ini"), std::string("[OPTION]\nBackup=/elsewhere/\n"));
}

void StartupTest::batchSwitch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("batch");
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("/b") << QStringList{"/b"} << true;
    QTest::newRow("-B") << QStringList{"-B"} << true;
    QTest::newRow("batch") << QStringList{"batch"} << true;
    QTest::newRow("ABC") << QStringList{"ABC"} << true;
    QTest::newRow("/x") << QStringList{"/x"} << false;
    QTest::newRow("x B") << QStringList{"x", "B"} << true;
    QTest::newRow("B x") << QStringList{"B", "x"} << true;
}

void StartupTest::batchSwitch()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, batch);
    Start start;
    std::vector<std::string> bytes;
    for (const QString& argument : arguments)
        bytes.push_back(argument.toStdString());
    auto window = start.window(bytes);

    QCOMPARE(window->BatchMode, batch);
    // A batch run ends without showing the window or writing settings; an
    // interactive start finishes with the application title.
    QCOMPARE(window->EndStatus.has_value(), batch);
    QCOMPARE(window->windowTitle() == QString::fromUtf8("Vesk ver1.00"), !batch);
    QVERIFY(!start.folder.exists("vesk.ini"));
    QCOMPARE(errorBoxes(start.boxes), 0);
}

void StartupTest::batchSwitchIgnoresSecondBytesOfCp932Characters()
{
    // 0x83 0x62 and 0x83 0x42 are katakana whose second bytes read as "b"
    // and "B"; in UTF-8 no character hides an ASCII byte.
    QVERIFY(!isBatchSwitch("\x83\x62", CodePage::Cp932));
    QVERIFY(!isBatchSwitch("\x83\x42", CodePage::Cp932));
    QVERIFY(isBatchSwitch("\x83\x62" "b", CodePage::Cp932));
    QVERIFY(isBatchSwitch("\x83\x62", CodePage::Utf8));
    QVERIFY(!isBatchSwitch("バックアップ", CodePage::Utf8));
    QVERIFY(hasBatchSwitch({"\x83\x62", "/B"}, CodePage::Cp932));
}

void StartupTest::firstStartUsesTheDefaults()
{
    Start start;
    auto window = start.window();

    QCOMPARE(window->BackupFolder, start.folder / "backup/");
    QCOMPARE(window->ArchiveCommand, std::string("a"));
    QCOMPARE(window->DialogSwitch, std::string(""));
    QVERIFY(std::filesystem::is_directory(start.folder / "backup"));
    QCOMPARE(window->FileListBox1.directory(), start.folder / "DataFile");
    QCOMPARE(window->FileListBox2.directory(), start.folder / "backup/");
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Vesk ver1.00"));
    QVERIFY(!window->EndStatus);
    QCOMPARE(start.archiver.versionQueries, 1);
    QVERIFY(start.archiver.commandLines.empty());
}

void StartupTest::unusableBackupFolderFallsBackSilently_data()
{
    QTest::addColumn<QString>("configured");
    QTest::newRow("missing folder") << "gone/";
    QTest::newRow("plain file") << "plain";
}

void StartupTest::unusableBackupFolderFallsBackSilently()
{
    QFETCH(QString, configured);
    Start start;
    start.folder.writeFile("plain", "not a folder");
    const std::string configuredPath = start.folder / configured.toStdString();
    start.folder.writeFile("vesk.ini", "[OPTION]\nBackup=" + configuredPath + "\nua=u\nDialog=-n\n");
    auto window = start.window();

    QCOMPARE(window->BackupFolder, start.folder / "backup/");
    QCOMPARE(window->FileListBox2.directory(), start.folder / "backup/");
    QCOMPARE(errorBoxes(start.boxes), 0);
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Vesk ver1.00"));

    window->show();
    QVERIFY(window->close());
    QCOMPARE(start.folder.readFile("vesk.ini"),
             settingsText(start.folder / "backup/", "u", "-n"));
}

void StartupTest::missingDefinitionFolderCutsStartUpShort_data()
{
    QTest::addColumn<bool>("batch");
    QTest::newRow("interactive") << false;
    QTest::newRow("batch switch") << true;
}

void StartupTest::missingDefinitionFolderCutsStartUpShort()
{
    QFETCH(bool, batch);
    Start start;
    std::filesystem::remove(start.folder / "DataFile");
    start.folder.makeFolder("saves");
    start.folder.writeFile("saves/old.lzh", "x");
    start.folder.writeFile("vesk.ini", "[OPTION]\nBackup=" + (start.folder / "saves/") + "\nua=u\n");
    auto window = start.window(batch ? std::vector<std::string>{"/b"} : std::vector<std::string>{});

    QCOMPARE(start.boxes.shown().size(), std::size_t(1));
    QCOMPARE(start.boxes.shown()[0].text, std::string("ﾌｧｲﾙが見つかりません."));
    QCOMPARE(start.boxes.shown()[0].caption, std::string("Vesk ver1.00"));
    QCOMPARE(start.boxes.shown()[0].flags, 16);
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Vesk"));
    QCOMPARE(window->BatchMode, batch);
    QVERIFY(!window->EndStatus);
    QCOMPARE(window->ListBox1->count(), 0);
    QCOMPARE(window->ListBox2->count(), 0);
    QVERIFY(start.archiver.commandLines.empty());

    // The settings were read, so the close writes them back unchanged.
    window->show();
    QVERIFY(window->close());
    QCOMPARE(start.folder.readFile("vesk.ini"),
             settingsText(start.folder / "saves/", "u", ""));
}

void StartupTest::unusableDefaultBackupFolderCutsStartUpShort()
{
    Start start;
    start.folder.writeFile("backup", "a plain file where the folder belongs");
    auto window = start.window({"/b"});

    QCOMPARE(errorBoxes(start.boxes), 1);
    QCOMPARE(start.boxes.shown().back().text, std::string("ﾌｧｲﾙ名が無効です."));
    QCOMPARE(window->BackupFolder, start.folder / "backup/");
    QCOMPARE(window->windowTitle(), QString::fromUtf8("Vesk"));
    QVERIFY(!window->EndStatus);
    QVERIFY(start.archiver.commandLines.empty());
}

void StartupTest::closeWritesTheThreeKeysInOrder()
{
    Start start;
    auto window = start.window();
    window->show();
    window->ArchiveCommand = std::string("u");
    window->DialogSwitch = std::string("-n");
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    QCOMPARE(start.folder.readFile("vesk.ini"),
             settingsText(start.folder / "backup/", "u", "-n"));
}

void StartupTest::failedWriteKeepsTheWindowOpen()
{
    Start start;
    auto window = start.window();
    window->show();
    // Root may write anywhere, so a folder stands where the file should be.
    start.folder.makeFolder("vesk.ini");

    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(errorBoxes(start.boxes), 1);
    QCOMPARE(start.boxes.shown().back().text, (start.folder / "vesk.ini") + " に書き込めません.");

    // Once the cause is gone the window closes.
    std::filesystem::remove(start.folder / "vesk.ini");
    QVERIFY(window->close());
    QVERIFY(start.folder.exists("vesk.ini"));
}

void StartupTest::controlsAndMenusAtStart()
{
    Start start;
    auto window = start.window();
    for (const char* name : {"Bevel1", "TabControl1", "ListBox1", "ListBox2", "StatusBar1", "MainMenu1", "PopupMenu1"})
        QVERIFY2(window->findChild<QWidget*>(name), name);
    const std::pair<QAction*, QKeySequence> shortcuts[] = {
        {window->backup1, Qt::Key_F5}, {window->backup2, Qt::Key_F6}, {window->restore1, Qt::Key_F7},
        {window->restore2, Qt::Key_F8}, {window->DF, Qt::Key_Delete}, {window->K2, Qt::Key_F4},
        {window->option, Qt::Key_F2}, {window->K4, Qt::Key_F1}, {window->K5, Qt::Key_F12}};
    for (const auto& [item, key] : shortcuts)
        QCOMPARE(item->shortcut(), key);
    QVERIFY(window->Backup->menuAction()->isEnabled());
    QVERIFY(!window->Restore->menuAction()->isEnabled());
    QVERIFY(!window->DF->isEnabled());
    QVERIFY(window->backup4->isVisible());
    QVERIFY(!window->restore4->isVisible());
    QVERIFY(window->ListBox1->isVisibleTo(window.get()));
    QVERIFY(!window->ListBox2->isVisibleTo(window.get()));
    QCOMPARE(window->ListBox1->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(window->TabControl1->currentIndex(), 0);
    QCOMPARE(window->font().pixelSize(), 12);
    window->show();
    QCOMPARE(window->focusWidget(), window->TabControl1);
}

// The built program in a program folder of its own, started with the batch
// switch and without any display.
void StartupTest::batchRunWithoutDisplay_data()
{
    QTest::addColumn<bool>("withDataFile");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("standardError");
    const QString noGame = QString::fromUtf8("Vesk ver1.00: 対応しているソフトがありません");
    QTest::newRow("no DataFile") << false << "" << 1 << QString::fromUtf8("Vesk ver1.00: ﾌｧｲﾙが見つかりません.");
    QTest::newRow("empty DataFile") << true << "" << 0 << noGame;
    // The run falls back to the default folder and leaves the file alone.
    QTest::newRow("Backup naming a missing folder") << true << "[OPTION]\nBackup=/no/such/folder/\n" << 0 << noGame;
}

void StartupTest::batchRunWithoutDisplay()
{
    QFETCH(bool, withDataFile);
    QFETCH(QString, settings);
    QFETCH(int, exitCode);
    QFETCH(QString, standardError);
    TempProgramFolder folder;
    std::filesystem::copy_file(VESK_PROGRAM, folder / "vesk");
    if (withDataFile)
        folder.makeFolder("DataFile");
    if (!settings.isEmpty())
        folder.writeFile("vesk.ini", settings.toStdString());

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // As a scheduler starts it: no display and no runtime folder.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        environment.remove(name);
    program.setProcessEnvironment(environment);
    program.start(QString::fromStdString(folder / "vesk"), {"/b"});
    QVERIFY(program.waitForFinished(60000));

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    // Standard error carries the run's own report and nothing else.
    QCOMPARE(errors.trimmed(), standardError);
    QCOMPARE(folder.exists("vesk.ini"), !settings.isEmpty());
    QCOMPARE(folder.readFile("vesk.ini"), settings.toStdString());
    QVERIFY(folder.exists("backup"));
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
