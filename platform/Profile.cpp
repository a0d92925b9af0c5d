#include "platform/Profile.h"

#include "platform/CodePage.h"
#include "platform/Error.h"
#include "platform/FileBytes.h"
#include "platform/Path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace vesk {

namespace {

struct Line {
    std::string text;
    std::string lineBreak;  // as found; empty for a last line without one
};

std::vector<Line> splitLines(const std::string& text)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back({text.substr(start), ""});
            break;
        }
        const std::size_t breakLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({text.substr(start, end - start), text.substr(end, breakLength)});
        start = end + breakLength;
    }
    return lines;
}

std::string_view trimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b)
{
    return asciiLower(trimBlanks(a)) == asciiLower(trimBlanks(b));
}

// The section name of a header line "[name]", if the line is one.
std::optional<std::string_view> sectionName(std::string_view line)
{
    // Editors may put a UTF-8 byte-order mark before the first header.
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (line.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        line.remove_prefix(ByteOrderMark.size());
    const std::string_view text = trimBlanks(line);
    if (text.size() < 2 || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return text.substr(1, close - 1);
}

// The key of a line "key=value", if the line is one.
std::optional<std::string_view> keyName(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || trimBlanks(line).front() == ';')
        return std::nullopt;
    return line.substr(0, equals);
}

// The lines [begin, end) of a section, after its header line.
struct Range {
    std::size_t begin, end;
};

// The first section of that name, if there is one.
std::optional<Range> findSection(const std::vector<Line>& lines, const std::string& section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i].text);
        if (!name || !sameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end].text))
            ++end;
        return Range{i + 1, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, const Range& range, const std::string& key)
{
    for (std::size_t i = range.begin; i < range.end; ++i) {
        const auto name = keyName(lines[i].text);
        if (name && sameName(*name, key))
            return i;
    }
    return std::nullopt;
}

std::string cannotWrite(const std::string& path)
{
    return path + " に書き込めません";
}

// A file without any write permission bit is read-only, for root as well:
// replacing it by rename would otherwise get round its protection.
bool isReadOnly(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    return !S_ISREG(info.st_mode) || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           access(path.c_str(), W_OK) != 0;
}

mode_t modeForNewFile(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Writes a temporary file beside `path` and renames it over `path`, so that
// the file is either the old one or the new one, never torn.
// A settings file that is a symbolic link is replaced where it really lives,
// so the link stays.
std::string realFile(const std::string& path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

void replaceAtomically(const std::string& path, const std::string& contents)
{
    if (isReadOnly(path))
        throw Error(cannotWrite(path));
    const std::string target = realFile(path);
    const std::size_t cut = lastDelimiter(target, PathSeparator, activeCodePage());
    const std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
    const std::string name = cut == std::string::npos ? target : target.substr(cut + 1);
    std::string temporary = folder + "." + name + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        throw Error(cannotWrite(path));
    bool written = fchmod(fd, modeForNewFile(target)) == 0;
    for (std::size_t done = 0; written && done < contents.size();) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        written = n > 0;
        done += written ? static_cast<std::size_t>(n) : 0;
    }
    written = written && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        throw Error(cannotWrite(path));
    }
}

}  // namespace

std::string readProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& path)
{
    const auto text = readFileBytes(path);
    if (!text)
        return defaultValue;
    const std::vector<Line> lines = splitLines(*text);
    const auto range = findSection(lines, section);
    if (!range)
        return defaultValue;
    const auto index = findKey(lines, *range, key);
    if (!index)
        return defaultValue;
    const std::string& line = lines[*index].text;
    return line.substr(line.find('=') + 1, MaxProfileValue);
}

void writeProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path)
{
    std::vector<Line> lines = splitLines(readFileBytes(path).value_or(""));
    const std::string lineBreak = lines.empty() || lines.front().lineBreak.empty() ? "\n" : lines.front().lineBreak;
    const std::string entry = key + "=" + value;

    if (const auto range = findSection(lines, section)) {
        if (const auto index = findKey(lines, *range, key)) {
            lines[*index].text = entry;
        } else {
            // After the section's last line that is not empty.
            std::size_t at = range->end;
            while (at > range->begin && trimBlanks(lines[at - 1].text).empty())
                --at;
            if (lines[at - 1].lineBreak.empty())
                lines[at - 1].lineBreak = lineBreak;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{entry, lineBreak});
        }
    } else {
        if (!lines.empty() && lines.back().lineBreak.empty())
            lines.back().lineBreak = lineBreak;
        lines.push_back({"[" + section + "]", lineBreak});
        lines.push_back({entry, lineBreak});
    }

    std::string contents;
    for (const Line& line : lines)
        contents += line.text + line.lineBreak;
    replaceAtomically(path, contents);
}

}  // namespace vesk
