#pragma once
#include "app/MainWindow.h"
#include "catalogue/GameEntry.h"
#include "platform/Application.h"
#include "platform/ListText.h"

#include "ScriptedMessageBoxes.h"
#include "TempProgramFolder.h"

#include <QListWidget>

#include <memory>
#include <string>
#include <vector>

namespace vesk::test {

// A window started in a fresh program folder with an empty definition folder
// and an empty default backup folder, its boxes scripted.
struct ArchiveSession {
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    std::size_t boxesBefore = 0;

    ArchiveSession()
    {
        folder.makeFolder("DataFile");
        folder.makeFolder("backup");
    }

    std::unique_ptr<TForm1> open()
    {
        application().setArguments({});
        auto window = std::make_unique<TForm1>();
        markBoxes();
        return window;
    }

    // Boxes shown from now on are the command's.
    void markBoxes() { boxesBefore = boxes.shown().size(); }
    std::vector<ShownBox> commandBoxes() const
    {
        return {boxes.shown().begin() + static_cast<std::ptrdiff_t>(boxesBefore), boxes.shown().end()};
    }

    std::string backupFolder() const { return folder / "backup/"; }
};

// The backup list as the game list leaves it: line i shows Games[i].
inline void showGames(TForm1& window, const std::vector<GameEntry>& games)
{
    window.ListBox1->clear();
    for (std::size_t i = 0; i < games.size(); ++i) {
        window.Games[i] = games[i];
        appendLine(*window.ListBox1, games[i].Title);
    }
}

// The file arguments the definition reader builds for `files` in `folder`.
inline std::string fileArgs(const std::string& folder, const std::vector<std::string>& files)
{
    std::string args;
    for (const std::string& file : files)
        args += "\"" + folder + file + "\" ";
    return args;
}

inline std::vector<std::string> lines(const QListWidget& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.count(); ++i)
        texts.push_back(lineText(list, i));
    return texts;
}

inline std::vector<int> selectedRows(const QListWidget& list)
{
    std::vector<int> rows;
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->isSelected())
            rows.push_back(i);
    return rows;
}

inline void select(QListWidget& list, const std::vector<int>& rows)
{
    for (int row : rows)
        list.item(row)->setSelected(true);
}

}  // namespace vesk::test
