// unlha: the archiver's command lines from a shell. The words arrive already
// split by the shell and go through the same grammar as Unlha()'s.
#include <cstdio>
#include <string>
#include <vector>

#include "unlha/command/Log.h"
#include "unlha/command/ResultCode.h"
#include "unlha/command/Run.h"
#include "unlha/command/Unlha.h"

namespace {

const char kUsage[] =
    "unlha %u.%02u - LZH archiver\n"
    "usage: unlha <command> [switches] <archive>[.lzh] [destination/] [files...]\n"
    "commands:\n"
    "  a  add files and folders (replaces members of the same path)\n"
    "  u  like a, but only files newer than their members\n"
    "  x  extract with paths (absolute members to their absolute paths)\n"
    "  l  list members\n"
    "  t  test every member's CRC\n"
    "switches:\n"
    "  -x1       store full (absolute) paths\n"
    "  -n        no progress display\n"
    "  -o5 -o6 -o7 -z   method lh5, lh6, lh7 (default), or store\n"
    "  -h0 -h1 -h2      header level (default 2)\n"
    "  -+ -u0    accepted, no effect\n"
    "The exit status is the result code (0 on success); see docs/archiver.md.\n";

void showProgress(const std::string& member, std::uint64_t done, std::uint64_t total) {
    std::fprintf(stderr, "\r%s %llu/%llu", member.c_str(), static_cast<unsigned long long>(done),
                 static_cast<unsigned long long>(total));
    if (done >= total) std::fputc('\n', stderr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        const unsigned version = UnlhaGetVersion();
        std::printf(kUsage, version / 100, version % 100);
        return unlha::result::BadCommandLine;
    }
    unlha::setProgressSink(showProgress);
    const std::vector<std::string> words(argv + 1, argv + argc);
    unlha::Log log;
    const int code = unlha::runCommand(words, log);
    std::fputs(log.text().c_str(), stdout);
    if (code == unlha::result::BadCommandLine) std::fputs("run unlha without arguments for its usage\n", stderr);
    return code;
}
