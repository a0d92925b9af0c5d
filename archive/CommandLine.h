#pragma once
#include <string>

namespace vesk {

// The archiver command that packs one game's save files into
// backupFolder + title + ".lzh":
//   archiveCommand, " ", dialogSwitch, " -+ -x1 \"", backupFolder, title,
//   "\" ", fileArgs
std::string backupCommandLine(const std::string& archiveCommand, const std::string& dialogSwitch,
                              const std::string& backupFolder, const std::string& title,
                              const std::string& fileArgs);

// The archiver command that unpacks backupFolder + archiveName + ".lzh" back
// to where its files came from:
//   "x -+ -u0 ", dialogSwitch, " \"", backupFolder, archiveName, ".lzh\""
std::string restoreCommandLine(const std::string& dialogSwitch, const std::string& backupFolder,
                               const std::string& archiveName);

}  // namespace vesk
