#pragma once
#include "archive/ArchiveList.h"

#include <string>
#include <vector>

namespace vesk {

// Runs backup and restore commands through the archiver, one after another,
// with the archiver's progress on screen, and keeps the names of those that
// failed: a non-zero result, or a command that could not be written at all.
class ArchiveCommands {
public:
    ArchiveCommands(std::string backupFolder, std::string archiveCommand, std::string dialogSwitch);

    // Packs a game's files into backupFolder + title + ".lzh"; a failure is
    // kept under the title.
    void backUp(const std::string& title, const std::string& fileArgs);

    // Unpacks the archive back to where its files came from; a failure is
    // kept under the archive's name.
    void restore(const ArchiveFile& archive);

    // The names of the failed commands, in the order they ran.
    const std::vector<std::string>& failures() const { return failures_; }

private:
    void run(const std::string& failureName, const std::string& archivePath, const std::string& commandLine);

    std::string backupFolder_;
    std::string archiveCommand_;
    std::string dialogSwitch_;
    std::vector<std::string> failures_;
};

}  // namespace vesk
