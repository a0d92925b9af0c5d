#include "archive/CommandLine.h"

namespace vesk {

std::string backupCommandLine(const std::string& archiveCommand, const std::string& dialogSwitch,
                              const std::string& backupFolder, const std::string& title,
                              const std::string& fileArgs)
{
    return archiveCommand + " " + dialogSwitch + " -+ -x1 \"" + backupFolder + title + "\" " + fileArgs;
}

std::string restoreCommandLine(const std::string& dialogSwitch, const std::string& backupFolder,
                               const std::string& archiveName)
{
    return "x -+ -u0 " + dialogSwitch + " \"" + backupFolder + archiveName + ".lzh\"";
}

}  // namespace vesk
