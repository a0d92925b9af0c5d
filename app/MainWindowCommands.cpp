#include "app/MainWindow.h"

// The window's own commands. Until they are built, a command does nothing.

namespace vesk {

void TForm1::TabControl1Change(QObject*) {}

void TForm1::ListBox1MouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void TForm1::ListBox2MouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void TForm1::backup4Click(QObject* Sender)
{
    backup2Click(Sender);
}

void TForm1::restore4Click(QObject* Sender)
{
    restore2Click(Sender);
}

void TForm1::K2Click(QObject*)
{
    LoadGameList();
    LoadArchiveList();
}

void TForm1::K4Click(QObject*) {}

void TForm1::K5Click(QObject*) {}

}  // namespace vesk
