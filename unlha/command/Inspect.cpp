#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "unlha/command/CommandError.h"
#include "unlha/command/Files.h"
#include "unlha/command/Operations.h"
#include "unlha/command/ResultCode.h"

// l and t: they read an archive and change nothing.
namespace unlha {
namespace {

std::string openableArchive(const Command& command) {
    const std::string path = archiveToRead(command.archive);
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        throw CommandError(result::ArchiveNotFound, "cannot open the archive " + path + ": " + systemError(errno));
    return path;
}

std::string localTime(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    char text[32] = "";
    if (::localtime_r(&t, &parts)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

std::string ratio(std::uint64_t packed, std::uint64_t original) {
    if (original == 0) return "    -  ";
    char text[16];
    std::snprintf(text, sizeof text, "%6.1f%%", 100.0 * static_cast<double>(packed) / static_cast<double>(original));
    return text;
}

std::string row(const std::string& size, const std::string& packed, const std::string& ratioText,
                const std::string& method, const std::string& time, const std::string& name) {
    char text[96];
    std::snprintf(text, sizeof text, "%12s %12s %7s %-5s %-19s ", size.c_str(), packed.c_str(), ratioText.c_str(),
                  method.c_str(), time.c_str());
    return text + name;
}

}  // namespace

int list(const Command& command, Log& log) {
    const std::string path = openableArchive(command);
    log.info(row("size", "packed", "ratio", "meth", "time", "name"));
    std::uint64_t members = 0, size = 0, packed = 0;
    endingWith(result::ArchiveNotReadable, "cannot read the archive " + path, [&] {
        ArchiveReader reader(path);
        while (const Member* m = reader.next()) {
            log.info(row(std::to_string(m->originalSize), std::to_string(m->packedSize),
                         ratio(m->packedSize, m->originalSize), m->methodId, localTime(m->mtime), m->path));
            ++members;
            size += m->originalSize;
            packed += m->packedSize;
        }
    });
    log.info(row(std::to_string(size), std::to_string(packed), ratio(packed, size), "", "",
                 std::to_string(members) + (members == 1 ? " member" : " members")));
    return result::Ok;
}

int test(const Command& command, Log& log, const Progress& progress) {
    const std::string path = openableArchive(command);
    int outcome = result::Ok;
    endingWith(result::ArchiveNotReadable, "cannot read the archive " + path, [&] {
        ArchiveReader reader(path);
        while (const Member* m = reader.next()) {
            if (m->isDirectory()) {
                log.info("OK     " + m->path);
                continue;
            }
            DiscardSink discard;
            const auto report = progress.forMember(m->path);
            const std::uint64_t total = m->originalSize;
            try {
                reader.extract(discard, [&](std::uint64_t done) { if (report) report(done, total); });
                log.info("OK     " + m->path);
            } catch (const CrcError& e) {
                log.error(e.what());
                outcome = result::CrcError;
            }
        }
    });
    if (outcome == result::Ok) log.info("all members are intact");
    return outcome;
}

}  // namespace unlha
