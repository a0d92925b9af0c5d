#include "app/MainWindow.h"

#include "app/AboutText.h"
#include "app/PopupOpener.h"
#include "archive/Archiver.h"
#include "platform/Application.h"
#include "platform/HelpViewer.h"

#include <QAction>
#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QTabBar>

// The window's own commands: switching the tab, the lists' popup menu,
// refresh, help and About.

namespace vesk {

namespace {

// What each tab shows and enables. The menus' enabling is also what lets
// their shortcuts act.
struct TabState {
    bool listBox1Visible;
    bool listBox2Visible;
    bool backupEnabled;
    bool restoreEnabled;
    bool backup4Visible;
    bool restore4Visible;
    bool dfEnabled;
};

constexpr TabState BackupTab{true, false, true, false, true, false, false};
constexpr TabState RestoreTab{false, true, false, true, false, true, true};

// A right press opens the popup where the pointer is now, as long as the
// list has a current line for the popup's command to act on.
void popUpOver(const QListWidget& list, Qt::MouseButton button, QMenu& popup)
{
    if (button != Qt::RightButton)
        return;
    if (list.currentRow() == -1)
        return;
    openPopup(popup, QCursor::pos());
}

}  // namespace

void TForm1::TabControl1Change(QObject*)
{
    const TabState& state = TabControl1->currentIndex() == 1 ? RestoreTab : BackupTab;
    ListBox1->setVisible(state.listBox1Visible);
    ListBox2->setVisible(state.listBox2Visible);
    Backup->menuAction()->setEnabled(state.backupEnabled);
    Restore->menuAction()->setEnabled(state.restoreEnabled);
    backup4->setVisible(state.backup4Visible);
    restore4->setVisible(state.restore4Visible);
    DF->setEnabled(state.dfEnabled);
}

void TForm1::ListBox1MouseDown(QObject*, Qt::MouseButton Button, Qt::KeyboardModifiers, int, int)
{
    popUpOver(*ListBox1, Button, *PopupMenu1);
}

void TForm1::ListBox2MouseDown(QObject*, Qt::MouseButton Button, Qt::KeyboardModifiers, int, int)
{
    popUpOver(*ListBox2, Button, *PopupMenu1);
}

void TForm1::backup4Click(QObject* Sender)
{
    backup2Click(Sender);
}

void TForm1::restore4Click(QObject* Sender)
{
    restore2Click(Sender);
}

// Each list re-reads the folder it already has.
void TForm1::K2Click(QObject*)
{
    LoadGameList();
    LoadArchiveList();
}

void TForm1::K4Click(QObject*)
{
    showHelpContents(application().helpFile(), this);
}

void TForm1::K5Click(QObject*)
{
    application().MessageBox(aboutText(archiver().version()), application().title(), MbOk);
}

}  // namespace vesk
