#include "app/MainWindow.h"

#include "catalogue/GameDefinition.h"
#include "catalogue/GameList.h"
#include "platform/Application.h"
#include "platform/ListText.h"

#include <QListWidget>

namespace vesk {

// Re-reading the file list makes the definition folder current, so each
// definition is opened by its bare name. An error while reading one stops
// the rebuild there, keeping the lines added before it.
void TForm1::LoadGameList()
{
    ListBox1->clear();
    FileListBox1.update();
    const int accepted = readGameList(
        FileListBox1.names(), [this](const std::string& fileName, int slot) { return ParseGameDefinition(fileName, slot); },
        [this](int slot) { appendLine(*ListBox1, Games[slot].Title); });
    if (accepted == 0)
        application().MessageBox("対応しているソフトがありません", application().title(), MbIconInformation);
    ListBox1->setCurrentRow(-1, QItemSelectionModel::Clear);
}

bool TForm1::ParseGameDefinition(const std::string& fileName, int slot)
{
    return readGameDefinition(fileName, Games.at(static_cast<std::size_t>(slot)));
}

}  // namespace vesk
