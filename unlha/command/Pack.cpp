#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <vector>

#include "unlha/command/CommandError.h"
#include "unlha/command/Files.h"
#include "unlha/command/Operations.h"
#include "unlha/command/ResultCode.h"
#include "unlha/command/Sources.h"

namespace unlha {
namespace {

struct OldMember {
    std::int64_t mtime;
    bool folder;
};

// The members of the archive there is, by path.
std::map<std::string, OldMember> readMembers(const std::string& archivePath) {
    return endingWith(result::ArchiveNotReadable, "cannot read the archive " + archivePath + " (left unchanged)", [&] {
        std::map<std::string, OldMember> members;
        ArchiveReader reader(archivePath);
        while (const Member* m = reader.next()) members[m->path] = {m->mtime, m->isDirectory()};
        return members;
    });
}

// u packs a file only when it is newer than its member, and a folder only
// when the archive lacks it; a packs everything.
std::vector<Source> sourcesToPack(std::vector<Source> sources, const std::map<std::string, OldMember>& old,
                                  Verb verb, Log& log) {
    if (verb != Verb::Update) return sources;
    std::vector<Source> newer;
    for (Source& s : sources) {
        const auto it = old.find(s.storedPath);
        if (it == old.end() || (!s.folder && s.mtime > it->second.mtime)) newer.push_back(std::move(s));
        else if (!s.folder) log.info("not newer, kept: " + s.storedPath);
    }
    return newer;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

class Packer {
public:
    Packer(Log& log, const Progress& progress, ArchiveWriter& writer)
        : log_(log), progress_(progress), writer_(writer) {}

    void write(const Source& s, bool replacing) {
        if (s.folder) {
            endingWith(result::ArchiveNotWritable, "cannot write the new archive", [&] {
                writer_.addDirectory(s.storedPath, s.mtime, s.mode);
            });
        } else {
            const int fd = ::open(s.diskPath.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                throw CommandError(result::SourceNotReadable, "cannot read " + s.diskPath + ": " + systemError(errno));
            ::close(fd);
            endingWith(result::ArchiveNotWritable, "cannot pack " + s.diskPath, [&] {
                writer_.addFile(s.storedPath, s.diskPath, progress_.forMember(s.storedPath));
            });
        }
        log_.info((replacing ? "replaced: " : "added: ") + s.storedPath);
    }

private:
    Log& log_;
    const Progress& progress_;
    ArchiveWriter& writer_;
};

// An archive reached through a symbolic link is replaced where it really
// lives, so the link keeps pointing at the new one.
std::string realArchivePath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string result(real);
    std::free(real);
    return result;
}

}  // namespace

int pack(const Command& command, Log& log, const Progress& progress) {
    const std::string archivePath = realArchivePath(withLzhExtension(command.archive));
    struct stat archiveStat;
    const bool existed = ::stat(archivePath.c_str(), &archiveStat) == 0;
    if (existed && !S_ISREG(archiveStat.st_mode))
        throw CommandError(result::ArchiveNotWritable, archivePath + " exists and is not a file");

    const std::map<std::string, OldMember> old = existed ? readMembers(archivePath) : std::map<std::string, OldMember>{};
    const std::vector<Source> sources =
        sourcesToPack(collectSources(command.files, command.fullPaths, archivePath, log), old, command.verb, log);
    if (sources.empty()) {
        if (!existed) throw CommandError(result::NothingToPack, "nothing to pack: no archive created");
        log.info("nothing to pack: " + archivePath + " left unchanged");
        return result::Ok;
    }

    std::map<std::string, const Source*> pending;
    for (const Source& s : sources) pending[s.storedPath] = &s;

    TemporaryFile temporary = endingWith(result::ArchiveNotWritable, "cannot write the archive " + archivePath,
                                         [&] { return TemporaryFile(folderOf(archivePath)); });
    const mode_t mode = existed ? (archiveStat.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(temporary.descriptor(), mode) != 0)
        throw CommandError(result::ArchiveNotWritable, "cannot write " + temporary.path() + ": " + systemError(errno));
    endingWith(result::ArchiveNotWritable, "cannot write the archive " + archivePath, [&] { temporary.syncAndClose(); });

    ArchiveWriter writer = endingWith(result::ArchiveNotWritable, "cannot write the archive " + archivePath,
                                      [&] { return ArchiveWriter(temporary.path(), command.write); });
    Packer packer(log, progress, writer);
    if (existed) {
        // The old members stay in their order; a replaced one is written where it was.
        endingWith(result::ArchiveNotReadable, "cannot read the archive " + archivePath + " (left unchanged)", [&] {
            ArchiveReader reader(archivePath);
            while (const Member* m = reader.next()) {
                const auto it = pending.find(m->path);
                if (it == pending.end()) {
                    // A truncated old member is the old archive's fault, a failed write the new one's.
                    endingWith<IoError>(result::ArchiveNotWritable, "cannot write the new archive",
                                        [&] { writer.copyRaw(reader); });
                    continue;
                }
                reader.skip();
                if (it->second) packer.write(*it->second, true);
                it->second = nullptr;
            }
        });
    }
    for (const Source& s : sources)
        if (pending[s.storedPath]) packer.write(s, false);
    endingWith(result::ArchiveNotWritable, "cannot write the archive " + archivePath, [&] {
        writer.finish();
        temporary.renameTo(archivePath);
    });
    return result::Ok;
}

}  // namespace unlha
