#include "app/MainWindow.h"

#include <QListWidget>

// The game list. Until the definition reader is built, no game is listed.

namespace vesk {

void TForm1::LoadGameList()
{
    ListBox1->clear();
}

bool TForm1::ParseGameDefinition(const std::string&, int)
{
    return false;
}

}  // namespace vesk
