#include "unlha/command/Unlha.h"

#include <algorithm>
#include <cstring>

#include "unlha/command/CommandLine.h"
#include "unlha/command/ResultCode.h"
#include "unlha/command/Run.h"

namespace {

constexpr std::uint16_t kVersion = 200;

int run(const char* commandLine, unlha::Log& log) {
    if (!commandLine) {
        log.error("no command line");
        return unlha::result::BadCommandLine;
    }
    try {
        return unlha::runCommand(unlha::splitCommandLine(commandLine), log);
    } catch (...) {  // out of memory while splitting: nothing may escape into the host
        return unlha::result::InternalError;
    }
}

}  // namespace

std::uint16_t UnlhaGetVersion() { return kVersion; }

int Unlha(void*, const char* commandLine, char* output, std::uint32_t size) {
    unlha::Log log;
    const int code = run(commandLine, log);
    if (output && size > 0) {
        const std::size_t n = std::min<std::size_t>(log.text().size(), size - 1);
        std::memcpy(output, log.text().data(), n);
        output[n] = '\0';
    }
    return code;
}
