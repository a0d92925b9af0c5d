#pragma once
#include <cstdint>
#include <functional>
#include <string>

// The two entry points a host program drives the archiver through, and the
// progress sink it may register. Command lines follow the archiver's grammar:
// command word, switches beginning with '-', the archive, then file paths;
// double quotes group words and are removed.

namespace unlha {

// Called while a command runs without -n: the member being processed and the
// bytes done of that member's total.
using ProgressSink =
    std::function<void(const std::string& member, std::uint64_t done, std::uint64_t total)>;

// Registers the sink (an empty function unregisters it). Not thread-safe; the
// host calls it once.
void setProgressSink(ProgressSink sink);

}  // namespace unlha

// 200 or higher.
std::uint16_t UnlhaGetVersion();

// Runs one command line. Returns 0 on success, a non-zero result code
// otherwise. When `output` is not null, the log text is written into it, cut
// to `size` bytes including the terminating zero. `owner` is unused.
int Unlha(void* owner, const char* commandLine, char* output, std::uint32_t size);
