#include "FakeArchiver.h"

namespace vesk::test {

FakeArchiver::FakeArchiver()
{
    installArchiver(this);
}

FakeArchiver::~FakeArchiver()
{
    installArchiver(nullptr);
}

std::uint16_t FakeArchiver::version()
{
    ++versionQueries;
    return versionNumber;
}

int FakeArchiver::run(const std::string& commandLine)
{
    commandLines.push_back(commandLine);
    if (onRun)
        onRun(commandLine);
    return result;
}

}  // namespace vesk::test
