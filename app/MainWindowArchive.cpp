#include "app/MainWindow.h"

#include "archive/ArchiveCommands.h"
#include "archive/ArchiveList.h"
#include "archive/CompletionNotice.h"
#include "platform/Application.h"
#include "platform/ListText.h"

#include <QListWidget>

#include <unistd.h>

#include <iostream>

// The archive list, backup, restore and deletion.

namespace vesk {

namespace {

// Each line of ListBox2 keeps the file it was read from, so that restore and
// deletion find an archive whose extension is not spelled ".lzh".
constexpr int ArchiveFileRole = Qt::UserRole + 1;

ArchiveFile archiveOnLine(const QListWidget& list, int row)
{
    const QVariant fileName = list.item(row)->data(ArchiveFileRole);
    if (!fileName.isValid())
        return archiveNamed(lineText(list, row));
    const QByteArray bytes = fileName.toByteArray();
    return {lineText(list, row), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))};
}

bool confirmed(const std::string& question)
{
    return application().MessageBox(question, application().title(), MbYesNo) != IdNo;
}

void notify(const std::string& finished, const ArchiveCommands& commands)
{
    const Notice notice = completionNotice(finished, commands.failures());
    application().MessageBox(notice.text, application().title(), notice.flags);
}

const char* const RestoreWarning = "\n\n※注意：既存のデータは上書きされます！！";

}  // namespace

void TForm1::LoadArchiveList()
{
    ListBox2->clear();
    FileListBox2.update();
    for (const ArchiveFile& archive : archiveList(FileListBox2.names())) {
        appendLine(*ListBox2, archive.name);
        ListBox2->item(ListBox2->count() - 1)
            ->setData(ArchiveFileRole, QByteArray(archive.fileName.data(), static_cast<qsizetype>(archive.fileName.size())));
    }
    ListBox2->setCurrentRow(-1);
}

void TForm1::DFClick(QObject*)
{
    if (!confirmed("選択しているファイルを削除します。よろしいですか？"))
        return;
    // A file that cannot be deleted stays and shows again in the rebuilt list.
    for (int i = 0; i < ListBox2->count(); ++i)
        if (ListBox2->item(i)->isSelected())
            unlink((BackupFolder + archiveOnLine(*ListBox2, i).fileName).c_str());
    LoadArchiveList();
}

void TForm1::backup1Click(QObject*)
{
    if (!BatchMode && !confirmed("一括バックアップします。よろしいですか？"))
        return;
    ArchiveCommands commands(BackupFolder, ArchiveCommand, DialogSwitch);
    for (int i = 0; i < ListBox1->count(); ++i)
        commands.backUp(Games[i].Title, Games[i].FileArgs);
    if (BatchMode && !commands.failures().empty()) {
        BatchFailed = true;
        reportFailures(std::cerr, application().title(), commands.failures());
    }
    FileListBox2.setDirectory(BackupFolder);
    LoadArchiveList();
    if (!BatchMode)
        notify("バックアップ終了しました", commands);
}

void TForm1::backup2Click(QObject*)
{
    ArchiveCommands commands(BackupFolder, ArchiveCommand, DialogSwitch);
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->isSelected())
            commands.backUp(Games[i].Title, Games[i].FileArgs);
    FileListBox2.setDirectory(BackupFolder);
    LoadArchiveList();
    LoadGameList();
    notify("バックアップ終了しました", commands);
}

void TForm1::restore1Click(QObject*)
{
    if (!confirmed(std::string("一括リストアします。よろしいですか？") + RestoreWarning))
        return;
    ArchiveCommands commands(BackupFolder, ArchiveCommand, DialogSwitch);
    for (int i = 0; i < ListBox2->count(); ++i)
        commands.restore(archiveOnLine(*ListBox2, i));
    notify("リストア終了しました", commands);
}

void TForm1::restore2Click(QObject*)
{
    if (!confirmed(std::string("個別リストアします。よろしいですか？") + RestoreWarning))
        return;
    ArchiveCommands commands(BackupFolder, ArchiveCommand, DialogSwitch);
    for (int i = 0; i < ListBox2->count(); ++i)
        if (ListBox2->item(i)->isSelected())
            commands.restore(archiveOnLine(*ListBox2, i));
    notify("リストア終了しました", commands);
}

}  // namespace vesk
