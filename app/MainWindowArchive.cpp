#include "app/MainWindow.h"

#include <QListWidget>

// The archive list, backup, restore and deletion. Until they are built, the
// archive list stays empty and the commands do nothing.

namespace vesk {

void TForm1::LoadArchiveList()
{
    ListBox2->clear();
}

void TForm1::DFClick(QObject*) {}

void TForm1::backup1Click(QObject*) {}

void TForm1::backup2Click(QObject*) {}

void TForm1::restore1Click(QObject*) {}

void TForm1::restore2Click(QObject*) {}

}  // namespace vesk
