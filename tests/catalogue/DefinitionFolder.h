#pragma once
#include <filesystem>

#include "TempFolder.h"

// A fresh folder that is the current directory while it lives, as the game
// list makes the definition folder current before reading definitions.
class DefinitionFolder : public TempFolder {
public:
    DefinitionFolder() { std::filesystem::current_path(path()); }
};
