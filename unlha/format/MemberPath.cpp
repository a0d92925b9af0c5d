#include "unlha/format/MemberPath.h"

#include "unlha/Error.h"

namespace unlha {

namespace {

constexpr char kFieldSeparator = '\xFF';

// UTF-8 apart from 0xFF bytes, which some writers use as separators.
bool isUtf8Path(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80 || c == 0xFF) {
            ++i;
            continue;
        }
        std::size_t extra = (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 0;
        if (extra == 0 || i + extra >= s.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

bool isShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

SplitPath splitMemberPath(std::string_view path, bool isFolder) {
    auto invalid = [&](const char* why) {
        std::string message = "invalid member path \"";
        message.append(path).append("\": ").append(why);
        return Error(message);
    };
    if (path.empty()) throw invalid("empty");
    if (path.find('\0') != std::string_view::npos || path.find(kFieldSeparator) != std::string_view::npos) {
        throw invalid("forbidden byte");
    }
    if (isFolder != (path.back() == '/')) throw invalid(isFolder ? "a folder must end in '/'" : "a file must not end in '/'");
    std::string_view body = path;
    if (body.front() == '/') body.remove_prefix(1);
    if (isFolder) body.remove_suffix(1);
    if (body.empty() && !isFolder) throw invalid("no name");
    if (!body.empty() && (body.front() == '/' || body.back() == '/' || body.find("//") != std::string_view::npos)) {
        throw invalid("empty component");
    }
    SplitPath split;
    if (isFolder) {
        split.folder = std::string(path);
        return split;
    }
    std::size_t cut = path.rfind('/');
    if (cut == std::string_view::npos) {
        split.name = std::string(path);
    } else {
        split.folder = std::string(path.substr(0, cut + 1));
        split.name = std::string(path.substr(cut + 1));
    }
    return split;
}

std::string folderToField(std::string_view folder) {
    std::string field(folder);
    for (char& c : field) {
        if (c == '/') c = kFieldSeparator;
    }
    return field;
}

std::string folderFromField(std::string_view field) {
    std::string folder;
    if (!field.empty() && field.front() == kFieldSeparator) folder.push_back('/');
    std::size_t start = 0;
    while (start <= field.size()) {
        std::size_t end = field.find(kFieldSeparator, start);
        if (end == std::string_view::npos) end = field.size();
        if (end > start) {
            folder.append(field.substr(start, end - start));
            folder.push_back('/');
        }
        start = end + 1;
    }
    return folder;
}

std::string pathToLevel0(std::string_view path) {
    std::string field(path);
    for (char& c : field) {
        if (c == '/') c = '\\';
    }
    return field;
}

std::string pathFromLevel0(std::string_view field) {
    bool utf8 = isUtf8Path(field);
    std::string path;
    path.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        char c = field[i];
        if (!utf8 && isShiftJisLead(static_cast<unsigned char>(c)) && i + 1 < field.size()) {
            path.push_back(c);
            path.push_back(field[++i]);
            continue;
        }
        path.push_back(c == '\\' || c == kFieldSeparator ? '/' : c);
    }
    return path;
}

}  // namespace unlha
