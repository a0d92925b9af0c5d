#include "settings/OptionsDialog.h"

#include "platform/FolderPicker.h"
#include "platform/Guard.h"
#include "platform/Path.h"
#include "platform/ProgramFolder.h"
#include "platform/WindowFont.h"
#include "settings/FolderEdit.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace vesk {

namespace {

ModalRunner& currentRunner()
{
    static ModalRunner runner = [](TForm2& dialog) { dialog.exec(); };
    return runner;
}

template <class Control>
Control* newControl(QWidget* parent, const char* name, const char* caption, QRect place)
{
    auto* control = new Control(QString::fromUtf8(caption), parent);
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(place);
    return control;
}

}  // namespace

ModalRunner setModalRunner(ModalRunner runner)
{
    std::swap(currentRunner(), runner);
    return runner;
}

TForm2::TForm2(std::string& BackupFolder, std::string& ArchiveCommand, std::string& DialogSwitch,
               QWidget* parent)
    : QDialog(parent), BackupFolder(BackupFolder), ArchiveCommand(ArchiveCommand), DialogSwitch(DialogSwitch)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromUtf8("オプション"));
    // A fixed dialog frame: a title and a close box, no resizing, no
    // minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // The program's other windows take no input while it is open.
    setWindowModality(Qt::ApplicationModal);
    setFont(windowFont());
    setFixedSize(320, 173);
    move(382, 261);
    buildControls();
    connectHandlers();
    guarded([this] { FormCreate(this); });
}

void TForm2::buildControls()
{
    BitBtn1 = newControl<QPushButton>(this, "BitBtn1", "OK", {152, 144, 75, 25});
    BitBtn1->setDefault(true);
    BitBtn2 = newControl<QPushButton>(this, "BitBtn2", "ｷｬﾝｾﾙ", {232, 144, 75, 25});
    GroupBox1 = newControl<QGroupBox>(this, "GroupBox1", "バックアップファイル出力先", {8, 8, 297, 65});
    Button1 = newControl<QPushButton>(GroupBox1, "Button1", "参照(&R)", {176, 42, 57, 17});
    Edit1 = new FolderEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 16, 281, 18);
    Edit1->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(dark); padding: 0 1px; }"));
    Button2 = newControl<QPushButton>(GroupBox1, "Button2", "ﾃﾞﾌｫﾙﾄ", {235, 42, 57, 17});
    CheckBox1 = newControl<QCheckBox>(this, "CheckBox1", "前回より日付の新しいファイルだけ圧縮する", {8, 88, 297, 17});
    CheckBox2 = newControl<QCheckBox>(this, "CheckBox2", "処理ダイアログを表示しない", {8, 112, 297, 17});

    // The group box takes no focus itself; Tab walks through its controls.
    QWidget::setTabOrder(BitBtn1, BitBtn2);
    QWidget::setTabOrder(BitBtn2, Button1);
    QWidget::setTabOrder(Button1, Edit1);
    QWidget::setTabOrder(Edit1, Button2);
    QWidget::setTabOrder(Button2, CheckBox1);
    QWidget::setTabOrder(CheckBox1, CheckBox2);
    BitBtn1->setFocus();
}

void TForm2::connectHandlers()
{
    // The OK button closes the dialog with OK even when its handler failed.
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        setResult(Accepted);
        guarded([this] { BitBtn1Click(BitBtn1); });
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(Button1); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded([this] { Button2Click(Button2); }); });
}

void TForm2::FormCreate(QObject*)
{
    Edit1->setFolder(BackupFolder);
    CheckBox1->setChecked(ArchiveCommand != "a");
    CheckBox2->setChecked(DialogSwitch != "");
}

void TForm2::Button1Click(QObject*)
{
    const std::string folder = BrowseFolder(this);
    if (folder.empty())
        return;
    // Also after the root, which then ends in two separators.
    Edit1->setFolder(folder + std::string(PathSeparator));
}

void TForm2::Button2Click(QObject*)
{
    Edit1->setFolder(defaultBackupFolder(programFolder()));
}

void TForm2::BitBtn1Click(QObject*)
{
    BackupFolder = Edit1->folder();
    ArchiveCommand = CheckBox1->isChecked() ? "u" : "a";
    DialogSwitch = CheckBox2->isChecked() ? "-n" : "";
}

std::string TForm2::BrowseFolder(QWidget* owner)
{
    return pickFolder(owner, "フォルダを指定してください");
}

void TForm2::ShowModal()
{
    currentRunner()(*this);
}

}  // namespace vesk
