#include "unlha/command/MemberPath.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace unlha {
namespace {

bool hasDotDotComponent(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (path.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::optional<std::string> refusalReason(const Member& member) {
    if (member.path.empty() || member.path == "/") return "it has no name";
    if (hasDotDotComponent(member.path)) return "its path contains \"..\"";
    if (member.unixMode && (*member.unixMode & S_IFMT) != 0) {
        const auto type = *member.unixMode & S_IFMT;
        if (member.isDirectory() ? type != S_IFDIR : type != S_IFREG) return "it is neither a plain file nor a folder";
    }
    return std::nullopt;
}

std::string destinationOf(const std::string& memberPath, const std::optional<std::string>& destination) {
    if (!destination) return withoutTrailingSlashes(memberPath);
    const std::size_t firstNonSlash = memberPath.find_first_not_of('/');
    return withoutTrailingSlashes(*destination + memberPath.substr(firstNonSlash == std::string::npos ? 0 : firstNonSlash));
}

std::string absolutePath(const std::string& path) {
    return withoutTrailingSlashes(std::filesystem::absolute(path).lexically_normal().string());
}

}  // namespace unlha
