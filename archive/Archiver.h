#pragma once
#include <cstdint>
#include <string>

namespace vesk {

// The archiver the program drives: a version query and one call per command
// line. The real one is the linked unlha library; tests install a fake.
class Archiver {
public:
    virtual ~Archiver() = default;
    virtual std::uint16_t version() = 0;
    // Runs one command line and returns the archiver's result, 0 on success.
    virtual int run(const std::string& commandLine) = 0;
};

// The archiver in use: the installed one, or else the unlha library.
Archiver& archiver();

// Makes archiver() answer `replacement` (not owned); nullptr returns to the
// unlha library.
void installArchiver(Archiver* replacement);

}  // namespace vesk
