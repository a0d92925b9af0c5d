#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "unlha/command/Unlha.h"

namespace unlha {

// Passes progress of one command to the registered sink, or drops it when the
// command line said -n or no sink is registered.
class Progress {
public:
    explicit Progress(bool enabled);
    void report(const std::string& member, std::uint64_t done, std::uint64_t total) const;
    // A callback for one member, in the form the archive reader and writer take.
    std::function<void(std::uint64_t done, std::uint64_t total)> forMember(const std::string& member) const;

private:
    ProgressSink sink_;
};

}  // namespace unlha
