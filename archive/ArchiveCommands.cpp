#include "archive/ArchiveCommands.h"

#include "archive/Archiver.h"
#include "archive/CommandLine.h"
#include "archive/ProgressWindow.h"

namespace vesk {

namespace {

// The restore command for the archive's file as the folder spells it: the
// builder writes the extension as ".lzh", and a file that spells it in other
// letters gets its own four characters back in their place.
std::string restoreCommandLineFor(const std::string& dialogSwitch, const std::string& backupFolder,
                                  const ArchiveFile& archive)
{
    std::string commandLine = restoreCommandLine(dialogSwitch, backupFolder, archive.name);
    const std::string extension = archive.fileName.substr(archive.name.size());
    const std::size_t closingQuote = commandLine.size() - 1;
    commandLine.replace(closingQuote - extension.size(), extension.size(), extension);
    return commandLine;
}

}  // namespace

ArchiveCommands::ArchiveCommands(std::string backupFolder, std::string archiveCommand, std::string dialogSwitch)
    : backupFolder_(std::move(backupFolder)),
      archiveCommand_(std::move(archiveCommand)),
      dialogSwitch_(std::move(dialogSwitch))
{
}

void ArchiveCommands::backUp(const std::string& title, const std::string& fileArgs)
{
    run(title, backupFolder_ + title,
        backupCommandLine(archiveCommand_, dialogSwitch_, backupFolder_, title, fileArgs));
}

void ArchiveCommands::restore(const ArchiveFile& archive)
{
    run(archive.name, backupFolder_ + archive.fileName, restoreCommandLineFor(dialogSwitch_, backupFolder_, archive));
}

// The archive path stands between double quotes, and the archiver's command
// line has no way to write a quote inside them: such a path would name
// another archive (and, on restore, unpack it over live saves), so it is not
// run and counts as failed.
void ArchiveCommands::run(const std::string& failureName, const std::string& archivePath,
                          const std::string& commandLine)
{
    if (archivePath.find('"') != std::string::npos) {
        failures_.push_back(failureName);
        return;
    }
    int result = 0;
    {
        ProgressDisplay progress;
        result = archiver().run(commandLine);
    }
    if (result != 0)
        failures_.push_back(failureName);
}

}  // namespace vesk
