#include "app/MainWindow.h"

#include "app/BatchSwitch.h"
#include "archive/Archiver.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"

#include <QCloseEvent>

#include <sys/stat.h>

namespace vesk {

namespace {

// Versions up to this one are old enough to ask before going on.
constexpr std::uint16_t LastOldArchiverVersion = 150;

}  // namespace

void TForm1::FormCreate(QObject*)
{
    if (archiver().version() <= LastOldArchiverVersion &&
        application().MessageBox("UNLHA32.DLLのバージョンが古いですが、続けますか？", "注意",
                                 MbYesNo | MbIconInformation) == IdNo) {
        EndStatus = 0;
        return;
    }

    BatchMode = false;
    if (hasBatchSwitch(application().arguments(), activeCodePage()))
        BatchMode = true;

    // Whether it exists already or cannot be made matters only if the
    // configured backup folder turns out unusable below.
    mkdir((programFolder() + "backup").c_str(), 0777);

    LoadSettings();

    FileListBox1.setDirectory(programFolder() + "DataFile");
    LoadGameList();

    try {
        FileListBox2.setDirectory(BackupFolder);
    } catch (const std::exception&) {
        BackupFolder = defaultBackupFolder(programFolder());
        FileListBox2.setDirectory(BackupFolder);
    }
    LoadArchiveList();

    if (BatchMode) {
        setVisible(false);
        backup1Click(this);
        EndStatus = BatchFailed ? 1 : 0;
        return;
    }
    setWindowTitle(toDisplay(application().title()));
}

void TForm1::FormClose(QObject*, CloseAction&)
{
    SaveSettings();
}

void TForm1::LoadSettings()
{
    Settings settings = loadSettings(programFolder());
    BackupFolder = std::move(settings.backupFolder);
    ArchiveCommand = std::move(settings.archiveCommand);
    DialogSwitch = std::move(settings.dialogSwitch);
}

void TForm1::SaveSettings()
{
    saveSettings({BackupFolder, ArchiveCommand, DialogSwitch}, programFolder());
}

// The close goes ahead unless the close handler failed or said None; then the
// window stays open as it was.
void TForm1::closeEvent(QCloseEvent* event)
{
    CloseAction action = CloseAction::Hide;
    const bool closed = guarded([&] { FormClose(this, action); });
    if (closed && action != CloseAction::None)
        event->accept();
    else
        event->ignore();
}

}  // namespace vesk
