#include "settings/Settings.h"

#include "platform/Path.h"
#include "platform/Profile.h"

namespace vesk {

namespace {

constexpr const char* Section = "OPTION";
constexpr const char* BackupKey = "Backup";
constexpr const char* ArchiveCommandKey = "ua";
constexpr const char* DialogKey = "Dialog";

}  // namespace

std::string settingsFilePath(const std::string& programFolder)
{
    return programFolder + "vesk.ini";
}

std::string defaultBackupFolder(const std::string& programFolder)
{
    return programFolder + "backup" + std::string(PathSeparator);
}

Settings loadSettings(const std::string& programFolder)
{
    const std::string path = settingsFilePath(programFolder);
    Settings settings;
    settings.backupFolder = readProfileString(Section, BackupKey, "", path);
    settings.archiveCommand = readProfileString(Section, ArchiveCommandKey, "a", path);
    settings.dialogSwitch = readProfileString(Section, DialogKey, "", path);
    if (settings.backupFolder.empty())
        settings.backupFolder = defaultBackupFolder(programFolder);
    return settings;
}

void saveSettings(const Settings& settings, const std::string& programFolder)
{
    const std::string path = settingsFilePath(programFolder);
    writeProfileString(Section, BackupKey, settings.backupFolder, path);
    writeProfileString(Section, ArchiveCommandKey, settings.archiveCommand, path);
    writeProfileString(Section, DialogKey, settings.dialogSwitch, path);
}

}  // namespace vesk
