#include "platform/FileBytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace vesk {

std::optional<std::string> readFileBytes(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return bytes;
}

}  // namespace vesk
