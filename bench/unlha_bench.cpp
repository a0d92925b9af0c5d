// Packs and extracts folders through the unlha library, for scripts/bench.
//   unlha-bench a <lh5|lh6|lh7> ARCHIVE FOLDER   pack FOLDER (as named) with everything below it
//   unlha-bench x ARCHIVE DEST                    extract every member below DEST
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "unlha/Error.h"
#include "unlha/format/Archive.h"

namespace fs = std::filesystem;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: unlha-bench a lh5|lh6|lh7 ARCHIVE FOLDER\n"
                         "       unlha-bench x ARCHIVE DEST\n");
    return 2;
}

void pack(unlha::Method method, const std::string& archive, const std::string& folder)
{
    std::vector<fs::path> entries;
    for (const auto& e : fs::recursive_directory_iterator(folder)) entries.push_back(e.path());
    std::sort(entries.begin(), entries.end());
    unlha::ArchiveWriter writer(archive, {method, 2});
    writer.addDirectory(folder + "/", 0, 0755);
    for (const fs::path& p : entries) {
        const std::string stored = p.generic_string();
        if (fs::is_directory(p))
            writer.addDirectory(stored + "/", 0, 0755);
        else
            writer.addFile(stored, stored);
    }
    writer.finish();
}

class FileSink : public unlha::ByteSink {
public:
    explicit FileSink(const fs::path& path) : file_(std::fopen(path.c_str(), "wb"))
    {
        if (!file_) throw unlha::IoError("cannot create " + path.string());
    }
    ~FileSink() override { std::fclose(file_); }
    void write(const std::uint8_t* data, std::size_t n) override
    {
        if (std::fwrite(data, 1, n, file_) != n) throw unlha::IoError("write failed");
    }

private:
    std::FILE* file_;
};

void extract(const std::string& archive, const fs::path& dest)
{
    unlha::ArchiveReader reader(archive);
    while (const unlha::Member* m = reader.next()) {
        const fs::path target = dest / fs::path(m->path).relative_path();
        if (m->isDirectory()) {
            fs::create_directories(target);
            continue;
        }
        fs::create_directories(target.parent_path());
        FileSink sink(target);
        reader.extract(sink);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 4 && args[0] == "a") {
            const unlha::Method method = args[1] == "lh5" ? unlha::Method::Lh5
                                         : args[1] == "lh6" ? unlha::Method::Lh6
                                                            : unlha::Method::Lh7;
            pack(method, args[2], args[3]);
            return 0;
        }
        if (args.size() == 3 && args[0] == "x") {
            extract(args[1], args[2]);
            return 0;
        }
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "unlha-bench: %s\n", e.what());
        return 1;
    }
}
