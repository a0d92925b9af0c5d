#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "unlha/command/Unlha.h"

// A fresh folder under the system's temporary folder, removed afterwards.
class Scratch {
public:
    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "unlha-command-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline void writeText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string randomText(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(gen());
    return s;
}

inline bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

inline void setMtime(const std::string& path, std::int64_t seconds) {
    const timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

inline std::int64_t mtimeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtim.tv_sec;
}

struct Outcome {
    int code;
    std::string log;
};

// Runs one command line through the entry point, with its log.
inline Outcome run(const std::string& commandLine) {
    std::vector<char> output(1 << 16);
    const int code = Unlha(nullptr, commandLine.c_str(), output.data(), static_cast<std::uint32_t>(output.size()));
    return {code, output.data()};
}

// Quoted, as the program puts paths into its command lines.
inline std::string q(const std::string& path) { return "\"" + path + "\""; }

// The program's backup command: command word, dialog switch, the fixed
// switches, the archive path without extension, each file quoted and followed
// by a blank.
inline std::string backupCommand(const std::string& command, const std::string& dialogSwitch,
                                 const std::string& archiveWithoutExtension, const std::vector<std::string>& files) {
    std::string line = command + " " + dialogSwitch + " -+ -x1 \"" + archiveWithoutExtension + "\" ";
    for (const std::string& f : files) line += "\"" + f + "\" ";
    return line;
}

// The program's restore command.
inline std::string restoreCommand(const std::string& dialogSwitch, const std::string& archive) {
    return "x -+ -u0 " + dialogSwitch + " \"" + archive + "\"";
}
