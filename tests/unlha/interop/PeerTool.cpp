#include "PeerTool.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

int runPeer(const std::string& command, const std::string& logPath) {
    std::string line = "LC_ALL=C.UTF-8 " + command + " >" + shellQuoted(logPath) + " 2>&1 </dev/null";
    int status = std::system(line.c_str());
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::string shellQuoted(const std::string& word) {
    std::string q = "'";
    for (char c : word) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

std::string lhasaName(const std::string& path) {
    std::string out;
    for (char ch : path) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string logText(const std::string& logPath) {
    std::ifstream in(logPath);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    return text.substr(0, 2000);
}
