#include "archive/Archiver.h"

#include "unlha/command/Unlha.h"

namespace vesk {

namespace {

class UnlhaLibrary : public Archiver {
public:
    std::uint16_t version() override { return UnlhaGetVersion(); }
    int run(const std::string& commandLine) override
    {
        return Unlha(nullptr, commandLine.c_str(), nullptr, 0);
    }
};

Archiver*& installed()
{
    static Archiver* replacement = nullptr;
    return replacement;
}

}  // namespace

Archiver& archiver()
{
    static UnlhaLibrary library;
    return installed() ? *installed() : library;
}

void installArchiver(Archiver* replacement)
{
    installed() = replacement;
}

}  // namespace vesk
