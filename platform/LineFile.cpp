#include "platform/LineFile.h"

#include "platform/Error.h"
#include "platform/FileBytes.h"

#include <algorithm>

namespace vesk {

LineFile LineFile::load(const std::string& fileName)
{
    const auto text = readFileBytes(fileName);
    if (!text)
        throw Error("ﾌｧｲﾙ " + fileName + " は開けません");
    return fromText(*text);
}

LineFile LineFile::fromText(const std::string& text)
{
    LineFile file;
    const std::string_view bytes(text.data(), std::min(text.find('\0'), text.size()));
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            file.lines_.emplace_back(bytes.substr(start));
            break;
        }
        file.lines_.emplace_back(bytes.substr(start, end - start));
        start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return file;
}

const std::string& LineFile::line(std::size_t index) const
{
    if (index >= lines_.size())
        throw Error("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    return lines_[index];
}

}  // namespace vesk
