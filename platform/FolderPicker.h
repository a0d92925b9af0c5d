#pragma once
#include <functional>
#include <memory>
#include <string>

class QFileDialog;
class QWidget;

namespace vesk {

// Asks the user for a folder, modal to `owner`, under the given title.
// Returns the folder's full path without a trailing separator (the root as
// the separator alone), or the empty text when nothing was chosen.
using FolderPickerHandler = std::function<std::string(QWidget* owner, const std::string& title)>;

std::string pickFolder(QWidget* owner, const std::string& title);

// Replaces how the folder is asked for and returns the handler in use before.
FolderPickerHandler setFolderPickerHandler(FolderPickerHandler handler);

// The program's picker: Qt's folder dialog, folders only, starting at the
// top of the file system with nothing selected.
std::string showQtFolderPicker(QWidget* owner, const std::string& title);

// The dialog showQtFolderPicker runs, and what it answers once confirmed.
std::unique_ptr<QFileDialog> newFolderDialog(QWidget* owner, const std::string& title);
std::string chosenFolder(const QFileDialog& dialog);

}  // namespace vesk
