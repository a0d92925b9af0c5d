#include "unlha/command/CommandLine.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "unlha/command/CommandError.h"
#include "unlha/command/ResultCode.h"

namespace unlha {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string lowered(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

[[noreturn]] void badCommandLine(const std::string& why) {
    throw CommandError(result::BadCommandLine, why);
}

Verb verbFor(const std::string& word) {
    const std::string w = lowered(word);
    if (w == "a") return Verb::Add;
    if (w == "u") return Verb::Update;
    if (w == "x") return Verb::Extract;
    if (w == "l") return Verb::List;
    if (w == "t") return Verb::Test;
    if (word.empty()) badCommandLine("no command: the command line must begin with a, u, x, l or t");
    badCommandLine("unknown command \"" + word + "\" (expected a, u, x, l or t)");
}

void applySwitch(const std::string& word, Command& command) {
    const std::string s = lowered(word);
    if (s == "-x1") command.fullPaths = true;
    else if (s == "-n") command.progress = false;
    else if (s == "-+" || s == "-u0") return;  // nothing to ignore; extraction always overwrites
    else if (s == "-o5") command.write.method = Method::Lh5;
    else if (s == "-o6") command.write.method = Method::Lh6;
    else if (s == "-o7") command.write.method = Method::Lh7;
    else if (s == "-z") command.write.method = Method::Lh0;
    else if (s == "-h0") command.write.headerLevel = 0;
    else if (s == "-h1") command.write.headerLevel = 1;
    else if (s == "-h2") command.write.headerLevel = 2;
    else badCommandLine("unknown switch \"" + word + "\"");
}

bool isFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool endsWithLzh(const std::string& name) {
    return name.size() >= 4 && lowered(std::string_view(name).substr(name.size() - 4)) == ".lzh";
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const auto readWord = [&] {
        std::string word;
        bool quoted = false;
        for (; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
            if (line[i] == '"') quoted = !quoted;
            else word += line[i];
        }
        words.push_back(std::move(word));
    };
    // The first word ends at the first blank, even when it is empty.
    readWord();
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i == line.size()) break;
        readWord();
    }
    if (words.size() == 1 && words[0].empty() && line.empty()) words.clear();
    return words;
}

Command parseCommand(const std::vector<std::string>& words) {
    if (words.empty()) badCommandLine("empty command line");
    Command command;
    command.verb = verbFor(words[0]);
    std::size_t i = 1;
    for (; i < words.size() && !words[i].empty() && words[i][0] == '-'; ++i) applySwitch(words[i], command);
    if (i == words.size() || words[i].empty()) badCommandLine("no archive named");
    command.archive = words[i++];
    if (command.verb == Verb::Extract && i < words.size() && !words[i].empty() && words[i].back() == '/')
        command.destination = words[i++];
    for (; i < words.size(); ++i) {
        if (words[i].empty()) badCommandLine("an empty file name");
        command.files.push_back(words[i]);
    }
    return command;
}

std::string withLzhExtension(const std::string& name) {
    return endsWithLzh(name) ? name : name + ".lzh";
}

std::string archiveToRead(const std::string& name) {
    if (isFile(name)) return name;
    const std::string archive = withLzhExtension(name);
    if (isFile(archive)) return archive;
    // "Game.LZH" for "Game.lzh": the extension is matched without regard to case.
    const std::size_t slash = archive.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : archive.substr(0, slash + 1);
    const std::string stem = archive.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::string base = stem.substr(0, stem.size() - 4);
    std::vector<std::string> matches;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string candidate = entry->d_name;
            if (candidate.size() == stem.size() && candidate.compare(0, base.size(), base) == 0 && endsWithLzh(candidate))
                matches.push_back(candidate);
        }
        ::closedir(dir);
    }
    std::sort(matches.begin(), matches.end());
    for (const std::string& match : matches) {
        const std::string path = archive.substr(0, archive.size() - stem.size()) + match;
        if (isFile(path)) return path;
    }
    return archive;
}

}  // namespace unlha
