#pragma once
#include <string>

namespace vesk {

// The three settings that survive from one run to the next, kept in section
// "OPTION" of the settings file.
struct Settings {
    std::string backupFolder;    // "Backup": the archives' folder, ending in the separator
    std::string archiveCommand;  // "ua": "a", or "u" for newer files only
    std::string dialogSwitch;    // "Dialog": "", or "-n" for no archiver dialog
};

// The settings file: the program's folder followed by "vesk.ini".
std::string settingsFilePath(const std::string& programFolder);

// The default backup folder: the program's folder followed by "backup" and
// the separator.
std::string defaultBackupFolder(const std::string& programFolder);

// Reads the three keys with their defaults; an empty backup folder becomes
// the default backup folder. Never raises.
Settings loadSettings(const std::string& programFolder);

// Writes Backup, ua and Dialog in that order. A failed write raises
// "<path> に書き込めません" and the keys after it are not written.
void saveSettings(const Settings& settings, const std::string& programFolder);

}  // namespace vesk
