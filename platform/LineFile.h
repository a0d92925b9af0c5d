#pragma once
#include <string>
#include <vector>

namespace vesk {

// A whole text file as lines: split at CR LF, a lone CR or a lone LF, the
// breaks not kept; a last line without a break counts, a break at the very
// end adds no empty line, and a zero byte ends the text.
class LineFile {
public:
    // Raises "ﾌｧｲﾙ <fileName> は開けません" when the file cannot be opened.
    static LineFile load(const std::string& fileName);

    // Splits bytes already in memory by the same rules.
    static LineFile fromText(const std::string& text);

    std::size_t count() const { return lines_.size(); }

    // Raises "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています" past the last line.
    const std::string& line(std::size_t index) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace vesk
