#include "catalogue/GameList.h"

#include "catalogue/GameEntry.h"

#include <algorithm>

namespace vesk {

int readGameList(const std::vector<std::string>& names, const ReadDefinition& read,
                 const std::function<void(int slot)>& accepted)
{
    const std::size_t examined = std::min(names.size(), static_cast<std::size_t>(MaxGames));
    int count = 0;
    for (std::size_t i = 0; i < examined; ++i) {
        if (read(names[i], count)) {
            accepted(count);
            ++count;
        }
    }
    return count;
}

}  // namespace vesk
