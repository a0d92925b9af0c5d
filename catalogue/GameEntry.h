#pragma once
#include <string>

namespace vesk {

// One supported game, as its definition file describes it.
struct GameEntry {
    std::string Title;      // shown in the backup list; base name of the archive
    std::string Folder;     // the save folder, ending in the separator
    std::string CheckFile;  // must open at Folder + CheckFile for the game to be listed
    std::string FileArgs;   // the archiver's file arguments
};

// Slots in the main window's table of games.
inline constexpr int MaxGames = 500;

}  // namespace vesk
