#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace vesk {

// A notice box: its text and its message-box flags.
struct Notice {
    std::string text;
    int flags;
};

// The notice that ends a backup or a restore: `finished` alone with no icon
// when every command succeeded; otherwise with the warning icon, followed by
// a blank line, "次の処理に失敗しました：" and one line per failed name.
Notice completionNotice(const std::string& finished, const std::vector<std::string>& failures);

// For a run nobody watches: the same list of failures on `out`, each line
// after "<caption>: ".
void reportFailures(std::ostream& out, const std::string& caption, const std::vector<std::string>& failures);

}  // namespace vesk
