#include "unlha/command/Sources.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "unlha/command/Files.h"
#include "unlha/command/MemberPath.h"

namespace unlha {
namespace {

struct Collector {
    Collector(bool storeFullPaths, Log& warnings) : fullPaths(storeFullPaths), log(warnings) {}

    bool fullPaths;
    Log& log;
    bool haveArchive = false;
    struct stat archive {};
    std::set<std::string> storedPaths;
    std::vector<Source> sources;

    bool isArchive(const struct stat& st) const {
        return haveArchive && st.st_dev == archive.st_dev && st.st_ino == archive.st_ino;
    }

    void add(const std::string& storedPath, const std::string& diskPath, const struct stat& st) {
        if (!storedPaths.insert(storedPath).second) return;
        sources.push_back({storedPath, diskPath, S_ISDIR(st.st_mode), st.st_mtim.tv_sec,
                           static_cast<std::uint16_t>(st.st_mode)});
    }

    // `st` is what the path is (links followed for names from the command line,
    // not followed below a folder).
    void visit(const std::string& storedPath, const std::string& diskPath, const struct stat& st) {
        if (isArchive(st)) return;
        if (S_ISREG(st.st_mode)) {
            add(storedPath, diskPath, st);
        } else if (S_ISDIR(st.st_mode)) {
            const std::string folder = storedPath.empty() || storedPath.back() == '/' ? storedPath : storedPath + "/";
            if (!folder.empty() && folder != "/") add(folder, diskPath, st);
            for (const std::string& name : namesIn(diskPath)) {
                const std::string child = diskPath == "/" ? "/" + name : diskPath + "/" + name;
                struct stat childStat;
                if (::lstat(child.c_str(), &childStat) != 0) {
                    log.warning("skipped " + child + ": " + systemError(errno));
                    continue;
                }
                visit(folder + name, child, childStat);
            }
        } else {
            log.warning("skipped " + diskPath + ": neither a file nor a folder");
        }
    }

    std::vector<std::string> namesIn(const std::string& folder) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) {
            log.warning("cannot read folder " + folder + ": " + systemError(errno));
            return names;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
    }

    void name(const std::string& given, bool mayBePattern = true) {
        struct stat st;
        if (::stat(given.c_str(), &st) == 0) {
            const std::string absolute = absolutePath(given);
            const std::string stored = fullPaths ? absolute : absolute.substr(absolute.find_last_of('/') + 1);
            visit(stored, absolute, st);
            return;
        }
        const int error = errno;
        const std::string base = given.substr(given.find_last_of('/') + 1);
        if (!mayBePattern || base.find_first_of("*?") == std::string::npos) {
            log.warning("skipped " + given + ": " + systemError(error));
            return;
        }
        const std::string prefix = given.substr(0, given.size() - base.size());
        // "*.*" means every file, as it does where such definitions come from.
        const std::string pattern = base == "*.*" ? "*" : base;
        bool matched = false;
        for (const std::string& candidate : namesIn(prefix.empty() ? "." : prefix)) {
            if (::fnmatch(pattern.c_str(), candidate.c_str(), FNM_CASEFOLD) != 0) continue;
            matched = true;
            name(prefix + candidate, false);
        }
        if (!matched) log.warning("skipped " + given + ": no file matches");
    }
};

}  // namespace

std::vector<Source> collectSources(const std::vector<std::string>& names, bool fullPaths,
                                   const std::string& archivePath, Log& log) {
    Collector collector(fullPaths, log);
    collector.haveArchive = ::stat(archivePath.c_str(), &collector.archive) == 0;
    for (const std::string& given : names) collector.name(given);
    return std::move(collector.sources);
}

}  // namespace unlha
