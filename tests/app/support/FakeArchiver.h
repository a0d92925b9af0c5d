#pragma once
#include "archive/Archiver.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vesk::test {

// While it lives, the program's archiver is this fake: it reports
// `versionNumber`, records every command line and returns `result`.
class FakeArchiver : public Archiver {
public:
    FakeArchiver();
    ~FakeArchiver() override;
    FakeArchiver(const FakeArchiver&) = delete;
    FakeArchiver& operator=(const FakeArchiver&) = delete;

    std::uint16_t version() override;
    int run(const std::string& commandLine) override;

    std::uint16_t versionNumber = 200;
    int result = 0;
    int versionQueries = 0;
    std::vector<std::string> commandLines;
    // Runs with each command line, after it is recorded, when set.
    std::function<void(const std::string&)> onRun;
};

}  // namespace vesk::test
