#include "OptionsCommandTest.h"

#include "FakeArchiver.h"
#include "ScriptedDialog.h"
#include "ScriptedFolderPicker.h"
#include "ScriptedMessageBoxes.h"
#include "TempProgramFolder.h"

#include "app/MainWindow.h"
#include "platform/Application.h"
#include "settings/FolderEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>

using namespace vesk;
using namespace vesk::test;

namespace fs = std::filesystem;

namespace {

// A started main window over a fresh program folder whose backup folder
// holds one archive.
struct Window {
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    FakeArchiver archiver;
    ScriptedFolderPicker picker;
    std::unique_ptr<TForm1> form;

    Window()
    {
        folder.makeFolder("DataFile");
        folder.writeFile("backup/old.lzh", "");
        form = std::make_unique<TForm1>();
    }

    QStringList archiveLines() const
    {
        QStringList lines;
        for (int i = 0; i < form->ListBox2->count(); ++i)
            lines << form->ListBox2->item(i)->text();
        return lines;
    }

    void openOptions() { form->option->trigger(); }
};

// What the dialog showed when it opened.
struct Shown {
    std::string folder;
    bool checkBox1 = false;
    bool checkBox2 = false;
};

Shown shownBy(const TForm2& dialog)
{
    return {dialog.Edit1->folder(), dialog.CheckBox1->isChecked(), dialog.CheckBox2->isChecked()};
}

void toggle(TForm2& dialog, QCheckBox* box)
{
    box->setFocus();
    press(dialog, Qt::Key_Space);
}

enum class Change { Browse, Default, Ticks, All };
enum class Way { Cancel, Escape, CloseBox };

void make(TForm2& dialog, Change change)
{
    if (change == Change::Browse || change == Change::All)
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    if (change == Change::Default || change == Change::All)
        QTest::mouseClick(dialog.Button2, Qt::LeftButton);
    if (change == Change::Ticks || change == Change::All) {
        toggle(dialog, dialog.CheckBox1);
        toggle(dialog, dialog.CheckBox2);
    }
}

void leave(TForm2& dialog, Way way)
{
    switch (way) {
    case Way::Cancel: QTest::mouseClick(dialog.BitBtn2, Qt::LeftButton); break;
    case Way::Escape: press(dialog, Qt::Key_Escape); break;
    case Way::CloseBox: dialog.close(); break;
    }
}

bool sameFolder(const std::string& a, const std::string& b)
{
    std::error_code ignored;
    return fs::equivalent(a, b, ignored);
}

}  // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Way)

void OptionsCommandTest::initTestCase()
{
    application().setTitle("Vesk ver1.00");
}

// Each row: the members when the dialog opens, the boxes it shows, and what
// OK writes with the boxes left alone and with both boxes toggled.
void OptionsCommandTest::mapping_data()
{
    QTest::addColumn<QString>("archiveCommand");
    QTest::addColumn<QString>("dialogSwitch");
    QTest::addColumn<bool>("toggled");
    QTest::addColumn<bool>("shown1");
    QTest::addColumn<bool>("shown2");
    QTest::addColumn<QString>("written1");
    QTest::addColumn<QString>("written2");

    struct Row {
        const char* name;
        const char* archiveCommand;
        const char* dialogSwitch;
        bool shown1;
        bool shown2;
    };
    const Row rows[] = {
        {"a and empty", "a", "", false, false},
        {"u and -n", "u", "-n", true, true},
        {"A and -N", "A", "-N", true, true},
        {"empty ua", "", "", true, false},
        {"hand-written x and -q", "x", "-q", true, true},
        {"a with a blank", "a ", " ", true, true},
    };
    for (const Row& row : rows) {
        for (const bool toggled : {false, true}) {
            const bool ticked1 = row.shown1 != toggled;
            const bool ticked2 = row.shown2 != toggled;
            QTest::addRow("%s, %s", row.name, toggled ? "toggled" : "untouched")
                << row.archiveCommand << row.dialogSwitch << toggled << row.shown1 << row.shown2
                << (ticked1 ? "u" : "a") << (ticked2 ? "-n" : "");
        }
    }
}

void OptionsCommandTest::mapping()
{
    QFETCH(QString, archiveCommand);
    QFETCH(QString, dialogSwitch);
    QFETCH(bool, toggled);
    QFETCH(bool, shown1);
    QFETCH(bool, shown2);
    QFETCH(QString, written1);
    QFETCH(QString, written2);

    Window window;
    window.form->ArchiveCommand = archiveCommand.toStdString();
    window.form->DialogSwitch = dialogSwitch.toStdString();
    const std::string backupFolder = window.form->BackupFolder;
    Shown shown;
    ScriptedDialog script([&](TForm2& dialog) {
        shown = shownBy(dialog);
        if (toggled) {
            toggle(dialog, dialog.CheckBox1);
            toggle(dialog, dialog.CheckBox2);
        }
        press(dialog, Qt::Key_Return);
    });

    window.openOptions();

    QCOMPARE(script.opened, 1);
    QCOMPARE(script.leftOpen, 0);
    QCOMPARE(shown.folder, backupFolder);
    QCOMPARE(shown.checkBox1, shown1);
    QCOMPARE(shown.checkBox2, shown2);
    QCOMPARE(window.form->BackupFolder, backupFolder);
    QCOMPARE(window.form->ArchiveCommand, written1.toStdString());
    QCOMPARE(window.form->DialogSwitch, written2.toStdString());
}

// Whatever was changed in the dialog, leaving it without OK keeps the
// members, and the archive list is still pointed at the backup folder again
// and rebuilt.
void OptionsCommandTest::leavingWithoutOk_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<Way>("way");

    const std::pair<const char*, Change> changes[] = {
        {"browse", Change::Browse}, {"default", Change::Default}, {"ticks", Change::Ticks}, {"all", Change::All}};
    const std::pair<const char*, Way> ways[] = {
        {"Cancel", Way::Cancel}, {"Escape", Way::Escape}, {"close box", Way::CloseBox}};
    for (const auto& [wayName, way] : ways)
        for (const auto& [changeName, change] : changes)
            QTest::addRow("%s after %s", wayName, changeName) << change << way;
}

void OptionsCommandTest::leavingWithoutOk()
{
    QFETCH(Change, change);
    QFETCH(Way, way);

    Window window;
    window.folder.makeFolder("elsewhere");
    window.folder.writeFile("saves/mine.lzh", "");
    window.form->BackupFolder = window.folder / "saves/";
    window.form->ArchiveCommand = "u";
    window.form->DialogSwitch = "";
    window.picker.answerNext(window.folder / "elsewhere");
    ScriptedDialog script([&](TForm2& dialog) {
        make(dialog, change);
        leave(dialog, way);
    });

    window.openOptions();

    QCOMPARE(script.leftOpen, 0);
    QCOMPARE(script.result, int(QDialog::Rejected));
    QCOMPARE(window.form->BackupFolder, window.folder / "saves/");
    QCOMPARE(window.form->ArchiveCommand, "u");
    QCOMPARE(window.form->DialogSwitch, "");
    QCOMPARE(window.form->FileListBox2.directory(), window.folder / "saves/");
    QVERIFY(sameFolder(fs::current_path().string(), window.folder / "saves"));
    QCOMPARE(window.archiveLines(), QStringList{"mine"});
}

void OptionsCommandTest::okPointsTheListAtTheNewFolder_data()
{
    QTest::addColumn<QString>("chosen");  // relative to the program folder; "/" is the root
    QTest::addColumn<bool>("byDefaultButton");

    QTest::newRow("Japanese folder") << QString::fromUtf8("セーブ データ") << false;
    QTest::newRow("root of the file system") << "/" << false;
    QTest::newRow("default button") << "backup" << true;
}

void OptionsCommandTest::okPointsTheListAtTheNewFolder()
{
    QFETCH(QString, chosen);
    QFETCH(bool, byDefaultButton);

    Window window;
    window.folder.writeFile("saves/mine.lzh", "");
    window.form->BackupFolder = window.folder / "saves/";
    const bool root = chosen == "/";
    const std::string picked = root ? "/" : window.folder / chosen.toStdString();
    const std::string expected = picked + "/";
    if (!root)
        window.folder.writeFile(chosen.toStdString() + "/" + "Game A.lzh", "");
    window.picker.answerNext(picked);
    ScriptedDialog script([&](TForm2& dialog) {
        QTest::mouseClick(byDefaultButton ? dialog.Button2 : dialog.Button1, Qt::LeftButton);
        QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    });

    window.openOptions();

    QCOMPARE(script.result, int(QDialog::Accepted));
    QCOMPARE(window.form->BackupFolder, expected);
    QCOMPARE(window.form->FileListBox2.directory(), expected);
    QVERIFY(sameFolder(fs::current_path().string(), picked));
    if (root)
        QVERIFY(!window.archiveLines().contains("mine"));
    else if (byDefaultButton)
        QCOMPARE(window.archiveLines(), QStringList({"Game A", "old"}));
    else
        QCOMPARE(window.archiveLines(), QStringList{"Game A"});
}

// Nothing carries over from one opening to the next: the second dialog
// shows the members again, not the boxes the first was left with, and each
// dialog is gone once the command has ended.
void OptionsCommandTest::aNewDialogEachTime()
{
    Window window;
    window.form->ArchiveCommand = "a";
    std::vector<Shown> shown;
    std::vector<QPointer<TForm2>> dialogs;
    ScriptedDialog script([&](TForm2& dialog) {
        QVERIFY(!dialog.parent());
        QCOMPARE(QApplication::activeModalWidget(), &dialog);
        shown.push_back(shownBy(dialog));
        dialogs.emplace_back(&dialog);
        toggle(dialog, dialog.CheckBox1);
        press(dialog, Qt::Key_Escape);
    });

    window.openOptions();
    QVERIFY(dialogs.back().isNull());
    window.openOptions();
    QVERIFY(dialogs.back().isNull());

    QCOMPARE(script.opened, 2);
    QCOMPARE(shown.size(), std::size_t(2));
    QVERIFY(!shown[0].checkBox1);
    QVERIFY(!shown[1].checkBox1);
    QCOMPARE(window.form->ArchiveCommand, "a");
}

// After OK the new folder cannot be entered: the command ends with the
// error shown, the list keeps its old lines, and the new value stays and is
// the one saved at close. Nothing falls back to the default folder.
void OptionsCommandTest::folderThatCannotBeEnteredEndsTheCommand_data()
{
    QTest::addColumn<bool>("byDefaultButton");
    QTest::newRow("chosen folder removed before OK") << false;
    QTest::newRow("default folder deleted after start-up") << true;
}

void OptionsCommandTest::folderThatCannotBeEnteredEndsTheCommand()
{
    QFETCH(bool, byDefaultButton);

    Window window;
    window.folder.writeFile("saves/mine.lzh", "");
    window.form->BackupFolder = window.folder / "saves/";
    window.form->FileListBox2.setDirectory(window.form->BackupFolder);
    window.form->LoadArchiveList();
    window.folder.makeFolder("gone");
    window.picker.answerNext(window.folder / "gone");
    const std::string removed = window.folder / (byDefaultButton ? "backup" : "gone");
    ScriptedDialog script([&](TForm2& dialog) {
        QTest::mouseClick(byDefaultButton ? dialog.Button2 : dialog.Button1, Qt::LeftButton);
        fs::remove_all(removed);
        QTest::mouseClick(dialog.BitBtn1, Qt::LeftButton);
    });
    const std::size_t boxesBefore = window.boxes.shown().size();

    window.openOptions();

    QCOMPARE(window.boxes.shown().size(), boxesBefore + 1);
    const ShownBox& error = window.boxes.shown().back();
    QCOMPARE(error.text, "ﾌｧｲﾙが見つかりません.");
    QCOMPARE(error.caption, "Vesk ver1.00");
    QCOMPARE(error.flags, MbIconStop);
    QCOMPARE(window.form->BackupFolder, removed + "/");
    QCOMPARE(window.form->FileListBox2.directory(), window.folder / "saves/");
    QCOMPARE(window.archiveLines(), QStringList{"mine"});

    window.form->close();
    QCOMPARE(window.folder.readFile("vesk.ini"), "[OPTION]\nBackup=" + removed + "/\nua=a\nDialog=\n");
}

// The members reach the settings file when the main window closes: the
// confirmed values after OK, the values read at start-up after Cancel.
void OptionsCommandTest::settingsFileAfterTheNextClose_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void OptionsCommandTest::settingsFileAfterTheNextClose()
{
    QFETCH(bool, confirm);

    Window window;
    window.folder.makeFolder(std::string("セーブ"));
    window.picker.answerNext(window.folder / "セーブ");
    ScriptedDialog script([&](TForm2& dialog) {
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
        toggle(dialog, dialog.CheckBox1);
        toggle(dialog, dialog.CheckBox2);
        press(dialog, confirm ? Qt::Key_Return : Qt::Key_Escape);
    });
    window.openOptions();
    QVERIFY(!window.folder.exists("vesk.ini"));

    QVERIFY(window.form->close());

    const std::string expected = confirm ? "[OPTION]\nBackup=" + window.folder / "セーブ/" + "\nua=u\nDialog=-n\n"
                                         : "[OPTION]\nBackup=" + window.folder / "backup/" + "\nua=a\nDialog=\n";
    QCOMPARE(window.folder.readFile("vesk.ini"), expected);
}
