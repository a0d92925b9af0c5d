#pragma once
#include <string>

namespace unlha {

// The text a command leaves for its caller: one line per event.
class Log {
public:
    void info(const std::string& line) { text_ += line + "\n"; }
    void warning(const std::string& line) { text_ += "warning: " + line + "\n"; }
    void error(const std::string& line) { text_ += "error: " + line + "\n"; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace unlha
