#include "app/BatchSwitch.h"

#include <algorithm>

namespace vesk {

bool isBatchSwitch(const std::string& argument, CodePage codePage)
{
    return findCharacter(asciiLower(argument), 'b', codePage) != std::string::npos;
}

bool hasBatchSwitch(const std::vector<std::string>& arguments, CodePage codePage)
{
    return std::any_of(arguments.begin(), arguments.end(),
                       [codePage](const std::string& argument) { return isBatchSwitch(argument, codePage); });
}

}  // namespace vesk
