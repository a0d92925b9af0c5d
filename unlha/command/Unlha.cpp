#include "unlha/command/Unlha.h"

#include <algorithm>
#include <cstring>

#include "unlha/command/CommandLine.h"
#include "unlha/command/ResultCode.h"
#include "unlha/command/Run.h"

namespace {

constexpr std::uint16_t kVersion = 200;

}  // namespace

std::uint16_t UnlhaGetVersion() { return kVersion; }

int Unlha(void*, const char* commandLine, char* output, std::uint32_t size) {
    unlha::Log log;
    const int code = commandLine ? unlha::runCommand(unlha::splitCommandLine(commandLine), log)
                                 : (log.error("no command line"), unlha::result::BadCommandLine);
    if (output && size > 0) {
        const std::size_t n = std::min<std::size_t>(log.text().size(), size - 1);
        std::memcpy(output, log.text().data(), n);
        output[n] = '\0';
    }
    return code;
}
