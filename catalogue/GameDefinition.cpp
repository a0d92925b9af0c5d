#include "catalogue/GameDefinition.h"

#include "platform/LineFile.h"
#include "platform/Path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace vesk {

namespace {

constexpr std::string_view Header = "GSP-DATA";
constexpr std::string_view EndMarker = "#EOF";

bool isEndMarker(std::string_view line)
{
    return line.starts_with(EndMarker);
}

bool isSkipped(std::string_view line)
{
    return line.empty() || line.front() == ';';
}

// Whether the check file is there: it must open for reading, and is closed at
// once. A folder does not count as a file, and a named pipe must not block
// the reader waiting for a writer.
bool opensForReading(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool isFile = fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    close(fd);
    return isFile;
}

// Takes lines from `next` on, setting `field` to each one followed by
// `suffix`, until a line is neither skipped nor an end marker. False when an
// end marker comes first.
bool takeField(const LineFile& lines, std::size_t& next, std::string& field, std::string_view suffix)
{
    for (;;) {
        const std::string& line = lines.line(next++);
        field = line;
        field += suffix;
        if (isEndMarker(line))
            return false;
        if (!isSkipped(line))
            return true;
    }
}

}  // namespace

bool readGameDefinition(const std::string& fileName, GameEntry& entry)
{
    const LineFile lines = LineFile::load(fileName);
    std::size_t next = 0;
    if (lines.line(next++) != Header)
        return false;
    if (!takeField(lines, next, entry.Title, {}) ||
        !takeField(lines, next, entry.Folder, PathSeparator) ||
        !takeField(lines, next, entry.CheckFile, {}))
        return false;
    if (!opensForReading(entry.Folder + entry.CheckFile))
        return false;

    entry.FileArgs.clear();
    for (;;) {
        const std::string& line = lines.line(next++);
        if (isEndMarker(line))
            return true;
        if (isSkipped(line))
            continue;
        entry.FileArgs += '"';
        entry.FileArgs += entry.Folder;
        entry.FileArgs += line;
        entry.FileArgs += "\" ";
    }
}

}  // namespace vesk
