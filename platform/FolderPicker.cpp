#include "platform/FolderPicker.h"

#include "platform/Path.h"

#include <QFile>
#include <QFileDialog>

namespace vesk {

namespace {

FolderPickerHandler& currentHandler()
{
    static FolderPickerHandler handler = showQtFolderPicker;
    return handler;
}

}  // namespace

std::string pickFolder(QWidget* owner, const std::string& title)
{
    return currentHandler()(owner, title);
}

FolderPickerHandler setFolderPickerHandler(FolderPickerHandler handler)
{
    std::swap(currentHandler(), handler);
    return handler;
}

std::unique_ptr<QFileDialog> newFolderDialog(QWidget* owner, const std::string& title)
{
    auto dialog = std::make_unique<QFileDialog>(owner, QString::fromUtf8(title),
                                                QString::fromUtf8(PathSeparator.data(), PathSeparator.size()));
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    return dialog;
}

std::string chosenFolder(const QFileDialog& dialog)
{
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return {};
    std::string folder = QFile::encodeName(chosen.front()).toStdString();
    while (folder.size() > 1 && folder.back() == PathSeparatorChar)
        folder.pop_back();
    return folder;
}

std::string showQtFolderPicker(QWidget* owner, const std::string& title)
{
    const std::unique_ptr<QFileDialog> dialog = newFolderDialog(owner, title);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return chosenFolder(*dialog);
}

}  // namespace vesk
