#include "OptionsDialogTest.h"

#include "ScriptedDialog.h"
#include "ScriptedFolderPicker.h"
#include "TempProgramFolder.h"

#include "platform/FolderPicker.h"
#include "settings/FolderEdit.h"
#include "settings/OptionsDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>

using namespace vesk;
using namespace vesk::test;

namespace {

// The three members the dialog works on, as the main window holds them.
struct Members {
    std::string backupFolder = "/saves/";
    std::string archiveCommand = "a";
    std::string dialogSwitch;
};

std::unique_ptr<TForm2> newDialog(Members& members)
{
    return std::make_unique<TForm2>(members.backupFolder, members.archiveCommand, members.dialogSwitch);
}

void showActive(TForm2& dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString captionOf(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* box = qobject_cast<const QGroupBox*>(control))
        return box->title();
    return qobject_cast<const QLineEdit*>(control)->text();
}

}  // namespace

void OptionsDialogTest::frame()
{
    Members members;
    const auto dialog = newDialog(members);

    QCOMPARE(dialog->windowTitle(), text("オプション"));
    QCOMPARE(dialog->minimumSize(), QSize(320, 173));
    QCOMPARE(dialog->maximumSize(), QSize(320, 173));
    QCOMPARE(dialog->pos(), QPoint(382, 261));
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
    QVERIFY(!dialog->isSizeGripEnabled());
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);

    QCOMPARE(dialog->font().family(), text("ＭＳ Ｐゴシック"));
    QCOMPARE(dialog->font().pixelSize(), 12);
    QCOMPARE(QFontInfo(dialog->CheckBox1->font()).family(), QStringLiteral("IPAPGothic"));
}

void OptionsDialogTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");

    QTest::newRow("BitBtn1") << "BitBtn1" << "QPushButton" << "Form2" << QRect(152, 144, 75, 25) << "OK";
    QTest::newRow("BitBtn2") << "BitBtn2" << "QPushButton" << "Form2" << QRect(232, 144, 75, 25) << text("ｷｬﾝｾﾙ");
    QTest::newRow("GroupBox1") << "GroupBox1" << "QGroupBox" << "Form2" << QRect(8, 8, 297, 65)
                               << text("バックアップファイル出力先");
    QTest::newRow("Button1") << "Button1" << "QPushButton" << "GroupBox1" << QRect(176, 42, 57, 17) << text("参照(&R)");
    QTest::newRow("Edit1") << "Edit1" << "vesk::FolderEdit" << "GroupBox1" << QRect(8, 16, 281, 18) << "/saves/";
    QTest::newRow("Button2") << "Button2" << "QPushButton" << "GroupBox1" << QRect(235, 42, 57, 17) << text("ﾃﾞﾌｫﾙﾄ");
    QTest::newRow("CheckBox1") << "CheckBox1" << "QCheckBox" << "Form2" << QRect(8, 88, 297, 17)
                               << text("前回より日付の新しいファイルだけ圧縮する");
    QTest::newRow("CheckBox2") << "CheckBox2" << "QCheckBox" << "Form2" << QRect(8, 112, 297, 17)
                               << text("処理ダイアログを表示しない");
}

void OptionsDialogTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    QFETCH(QString, caption);

    Members members;
    const auto dialog = newDialog(members);
    const auto* control = dialog->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), place);
    QCOMPARE(captionOf(control), caption);
}

void OptionsDialogTest::tabWalksTheControlsInOrder()
{
    Members members;
    const auto dialog = newDialog(members);
    showActive(*dialog);

    QStringList visited{dialog->focusWidget()->objectName()};
    for (int i = 0; i < 7; ++i) {
        press(*dialog, Qt::Key_Tab);
        visited << dialog->focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"BitBtn1", "BitBtn2", "Button1", "Edit1", "Button2", "CheckBox1", "CheckBox2",
                                   "BitBtn1"}));
}

// Enter confirms wherever the focus is, except on a push button, which
// Enter presses; Escape cancels.
void OptionsDialogTest::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("confirmed");

    QTest::newRow("Enter on OK") << "BitBtn1" << int(Qt::Key_Return) << true;
    QTest::newRow("keypad Enter on OK") << "BitBtn1" << int(Qt::Key_Enter) << true;
    QTest::newRow("Enter in the edit") << "Edit1" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on a check box") << "CheckBox1" << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on Cancel") << "BitBtn2" << int(Qt::Key_Return) << false;
    QTest::newRow("Escape on OK") << "BitBtn1" << int(Qt::Key_Escape) << false;
    QTest::newRow("Escape on a check box") << "CheckBox2" << int(Qt::Key_Escape) << false;
}

void OptionsDialogTest::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(bool, confirmed);

    Members members;
    members.archiveCommand = "x";
    const auto dialog = newDialog(members);
    showActive(*dialog);
    dialog->findChild<QWidget*>(focus)->setFocus();

    press(*dialog, key);

    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), confirmed ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(members.archiveCommand, confirmed ? "u" : "x");
}

void OptionsDialogTest::editCannotBeTypedInto()
{
    Members members;
    const auto dialog = newDialog(members);
    showActive(*dialog);
    dialog->Edit1->setFocus();

    QTest::keyClicks(dialog->Edit1, "abc");
    press(*dialog, Qt::Key_Backspace);
    press(*dialog, Qt::Key_V, Qt::ControlModifier);

    QVERIFY(dialog->Edit1->isReadOnly());
    QCOMPARE(dialog->Edit1->text(), QStringLiteral("/saves/"));
    QCOMPARE(dialog->Edit1->folder(), "/saves/");
}

// The picker's answer gains one separator in every case, the root too; a
// cancelled picker changes nothing. Alt+R is the browse button's access key.
void OptionsDialogTest::browse_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("byAccessKey");
    QTest::addColumn<QString>("shown");

    QTest::newRow("a folder") << "/home/user/saves" << false << "/home/user/saves/";
    QTest::newRow("Japanese folder") << text("/home/ユーザー/セーブデータ") << false
                                     << text("/home/ユーザー/セーブデータ/");
    QTest::newRow("root") << "/" << false << "//";
    QTest::newRow("cancelled") << "" << false << "/saves/";
    QTest::newRow("Alt+R") << "/mnt/games" << true << "/mnt/games/";
}

void OptionsDialogTest::browse()
{
    QFETCH(QString, answer);
    QFETCH(bool, byAccessKey);
    QFETCH(QString, shown);

    ScriptedFolderPicker picker;
    picker.answerNext(answer.toStdString());
    Members members;
    const auto dialog = newDialog(members);
    showActive(*dialog);

    // An access key presses its button with a short animation, so the click
    // lands a moment later.
    if (byAccessKey)
        press(*dialog, Qt::Key_R, Qt::AltModifier);
    else
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);

    QTRY_COMPARE(picker.requests().size(), std::size_t(1));
    QCOMPARE(picker.requests()[0].owner, dialog.get());
    QCOMPARE(picker.requests()[0].title, "フォルダを指定してください");
    QCOMPARE(dialog->Edit1->text(), shown);
    QCOMPARE(members.backupFolder, "/saves/");

    QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    QCOMPARE(members.backupFolder, shown.toStdString());
}

void OptionsDialogTest::defaultButtonGivesTheProgramsBackupFolder()
{
    TempProgramFolder folder;
    Members members;
    const auto dialog = newDialog(members);
    showActive(*dialog);

    QTest::mouseClick(dialog->Button2, Qt::LeftButton);

    QCOMPARE(dialog->Edit1->folder(), folder / "backup/");
    QCOMPARE(dialog->Edit1->text(), QString::fromStdString(folder / "backup/"));
    QVERIFY(!folder.exists("backup"));
}

// A folder named in Shift-JIS shows decoded, and OK without browsing keeps
// its bytes.
void OptionsDialogTest::folderBytesThatAreNotUtf8ComeBackUnchanged()
{
    const std::string shiftJis = "/saves/\x83\x5a\x81\x5b\x83\x75/";
    Members members;
    members.backupFolder = shiftJis;
    const auto dialog = newDialog(members);
    showActive(*dialog);

    QCOMPARE(dialog->Edit1->text(), text("/saves/セーブ/"));
    QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
    QCOMPARE(members.backupFolder, shiftJis);
}

void OptionsDialogTest::qtPickerIsSetUpForFoldersFromTheTop()
{
    QWidget owner;
    const std::unique_ptr<QFileDialog> picker = newFolderDialog(&owner, "フォルダを指定してください");

    QCOMPARE(picker->parentWidget(), &owner);
    QCOMPARE(picker->windowTitle(), text("フォルダを指定してください"));
    QCOMPARE(picker->fileMode(), QFileDialog::Directory);
    QVERIFY(picker->testOption(QFileDialog::ShowDirsOnly));
    QCOMPARE(picker->directory().absolutePath(), QStringLiteral("/"));
}

void OptionsDialogTest::qtPickerAnswersWithoutTrailingSeparator_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("a folder") << "saves";
    QTest::newRow("Japanese folder") << text("セーブデータ");
    QTest::newRow("root") << "";
}

// The real dialog, shown without a nested loop: a folder is selected and
// the choice confirmed as its Choose button would.
void OptionsDialogTest::qtPickerAnswersWithoutTrailingSeparator()
{
    QFETCH(QString, relative);

    TempProgramFolder folder;
    const std::string chosen = relative.isEmpty() ? "/" : folder / relative.toStdString();
    std::filesystem::create_directories(chosen);
    const std::unique_ptr<QFileDialog> picker = newFolderDialog(nullptr, "フォルダを指定してください");
    picker->setOption(QFileDialog::DontUseNativeDialog);
    picker->show();

    picker->setDirectory(QString::fromStdString(chosen));
    static_cast<QDialog*>(picker.get())->accept();

    QCOMPARE(chosenFolder(*picker), chosen);
}
