#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "unlha/command/CommandError.h"
#include "unlha/command/Files.h"
#include "unlha/command/MemberPath.h"
#include "unlha/command/Operations.h"
#include "unlha/command/ResultCode.h"

namespace unlha {
namespace {

// Whether a file name from the command line is the member or a folder above it.
bool covers(const std::string& name, const std::string& memberPath) {
    std::string folder = name;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return memberPath == folder || memberPath.compare(0, folder.size() + 1, folder + "/") == 0;
}

// With file names after the archive, only the members they name, or the
// members below a folder they name, are taken.
bool selected(const Member& m, const std::vector<std::string>& fileNames) {
    if (fileNames.empty()) return true;
    for (const std::string& name : fileNames)
        if (covers(name, m.path)) return true;
    return false;
}

mode_t fileMode(const Member& m) {
    if (m.unixMode) return *m.unixMode & 0777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return (m.isDirectory() ? 0777 : 0666) & ~mask;
}

void setTimesAndMode(int fd, const std::string& path, const Member& m) {
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(m.mtime), 0}};
    if (::fchmod(fd, fileMode(m)) != 0 || ::futimens(fd, times) != 0)
        throw IoError("cannot set the time and permissions of " + path + ": " + systemError(errno));
}

// Decodes every member the command takes, so that a damaged archive is found
// out before any file is touched. Progress is reported for this pass too: on
// a large archive it is half the work.
void testAll(const std::string& archivePath, const Command& command, const Progress& progress) {
    endingWith(result::ArchiveNotReadable, "cannot read the archive " + archivePath + " (nothing was extracted)", [&] {
        ArchiveReader reader(archivePath);
        while (const Member* m = reader.next()) {
            if (m->isDirectory() || !selected(*m, command.files) || refusalReason(*m)) continue;
            DiscardSink discard;
            const auto report = progress.forMember(m->path);
            const std::uint64_t total = m->originalSize;
            try {
                reader.extract(discard, [&](std::uint64_t done) { if (report) report(done, total); });
            } catch (const CrcError& e) {
                throw CommandError(result::CrcError, std::string(e.what()) + " (nothing was extracted)");
            }
        }
    });
}

struct Folder {
    std::string path;
    Member member;
};

class Extractor {
public:
    Extractor(Log& log, const Progress& progress) : log_(log), progress_(progress) {}

    // The member's data goes to a temporary file beside its destination and is
    // renamed over it only once the CRC has matched.
    void file(ArchiveReader& reader, const Member& m, const std::string& destination) {
        const std::string folder = folderOf(destination);
        makeFolders(folder);
        TemporaryFile temporary(folder);
        DescriptorSink sink(temporary.descriptor());
        const auto report = progress_.forMember(m.path);
        const std::uint64_t total = m.originalSize;
        endingWith(result::ArchiveNotReadable, "cannot read the archive", [&] {
            try {
                reader.extract(sink, [&](std::uint64_t done) { if (report) report(done, total); });
            } catch (const CrcError& e) {
                throw CommandError(result::CrcError, e.what());
            }
        });
        if (sink.failure() != 0) throw IoError("cannot write " + temporary.path() + ": " + systemError(sink.failure()));
        setTimesAndMode(temporary.descriptor(), destination, m);
        temporary.renameTo(destination);
    }

    void folder(const Member& m, const std::string& destination) {
        makeFolders(destination);
        folders_.push_back({destination, m});
    }

    // Folders get their times and permissions last: writing into a folder
    // changes its time, and a folder without write permission takes no files.
    void finishFolders() {
        for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) {
            const int fd = ::open(it->path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            try {
                if (fd < 0) throw IoError("cannot open folder " + it->path + ": " + systemError(errno));
                setTimesAndMode(fd, it->path, it->member);
            } catch (const IoError& e) {
                log_.warning(e.what());
            }
            if (fd >= 0) ::close(fd);
        }
    }

private:
    Log& log_;
    const Progress& progress_;
    std::vector<Folder> folders_;
};

}  // namespace

int extract(const Command& command, Log& log, const Progress& progress) {
    const std::string archivePath = archiveToRead(command.archive);
    struct stat st;
    if (::stat(archivePath.c_str(), &st) != 0)
        throw CommandError(result::ArchiveNotFound, "cannot open the archive " + archivePath + ": " + systemError(errno));
    testAll(archivePath, command, progress);

    int outcome = result::Ok;
    std::vector<std::string> taken;
    Extractor extractor(log, progress);
    endingWith(result::ArchiveNotReadable, "cannot read the archive " + archivePath, [&] {
        ArchiveReader reader(archivePath);
        while (const Member* m = reader.next()) {
            if (!selected(*m, command.files)) continue;
            taken.push_back(m->path);
            if (const auto why = refusalReason(*m)) {
                log.error("refused " + m->path + ": " + *why);
                if (outcome == result::Ok) outcome = result::UnsafeMember;
                continue;
            }
            const std::string destination = destinationOf(m->path, command.destination);
            try {
                if (m->isDirectory()) extractor.folder(*m, destination);
                else extractor.file(reader, *m, destination);
                log.info("extracted: " + destination);
            } catch (const IoError& e) {
                log.error(std::string("not extracted: ") + m->path + ": " + e.what());
                if (outcome == result::Ok) outcome = result::ExtractFailed;
            }
        }
    });
    extractor.finishFolders();
    for (const std::string& name : command.files)
        if (std::none_of(taken.begin(), taken.end(), [&](const std::string& path) { return covers(name, path); }))
            log.warning("not in the archive: " + name);
    return outcome;
}

}  // namespace unlha
