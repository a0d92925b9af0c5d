#include "unlha/command/Progress.h"

#include <utility>

namespace unlha {
namespace {

ProgressSink& registeredSink() {
    static ProgressSink sink;
    return sink;
}

}  // namespace

void setProgressSink(ProgressSink sink) { registeredSink() = std::move(sink); }

Progress::Progress(bool enabled) {
    if (enabled) sink_ = registeredSink();
}

void Progress::report(const std::string& member, std::uint64_t done, std::uint64_t total) const {
    if (sink_) sink_(member, done, total);
}

std::function<void(std::uint64_t, std::uint64_t)> Progress::forMember(const std::string& member) const {
    if (!sink_) return {};
    return [this, member](std::uint64_t done, std::uint64_t total) { sink_(member, done, total); };
}

}  // namespace unlha
