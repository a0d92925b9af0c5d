#include "settings/FolderEdit.h"

#include "platform/CodePage.h"

namespace vesk {

FolderEdit::FolderEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
}

void FolderEdit::setFolder(std::string folder)
{
    folder_ = std::move(folder);
    setText(toDisplay(folder_));
}

}  // namespace vesk
