#include "app/MainWindow.h"

#include "settings/OptionsDialog.h"

namespace vesk {

// A new dialog each time, so nothing carries over from one opening to the
// next. Whichever way it closed, the archive list is pointed at the backup
// folder again and rebuilt; a folder that cannot be entered ends the command
// with its error, and the list keeps its old lines.
void TForm1::optionClick(QObject*)
{
    {
        TForm2 Form2(BackupFolder, ArchiveCommand, DialogSwitch);
        Form2.ShowModal();
    }
    FileListBox2.setDirectory(BackupFolder);
    LoadArchiveList();
}

}  // namespace vesk
