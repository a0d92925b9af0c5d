#pragma once
#include "catalogue/GameEntry.h"
#include "platform/FileList.h"

#include <QMainWindow>

#include <array>
#include <optional>
#include <string>

class QAction;
class QFrame;
class QListWidget;
class QMenu;
class QMenuBar;
class QStatusBar;
class QTabBar;

namespace vesk {

// What a close handler may do with the close: None abandons it.
enum class CloseAction { None, Hide, Free, Minimize };

// The main window. Its controls and state are public members under their
// designed names; each handler takes the toolkit's event arguments, Sender
// first. Every handler reached from a menu, a tab or a list runs through the
// one guard, so an error is shown and the window goes on.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Builds the controls, empties the state, then runs FormCreate in the
    // guard. When FormCreate ends the program, EndStatus holds the exit status.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls.
    QFrame* Bevel1;
    QTabBar* TabControl1;  // a bare tab bar: the lists sit below it, not on pages
    QListWidget* ListBox1;
    QListWidget* ListBox2;
    QStatusBar* StatusBar1;
    FileList FileListBox1{"*.txt"};
    FileList FileListBox2{"*.lzh"};

    // Main menu. A menu is enabled through its menuAction().
    QMenuBar* MainMenu1;
    QMenu* Backup;
    QAction* backup1;
    QAction* backup2;
    QMenu* Restore;
    QAction* restore1;
    QAction* restore2;
    QMenu* k8;
    QAction* DF;
    QAction* K2;
    QAction* N2;
    QAction* option;
    QMenu* K3;
    QAction* K4;
    QAction* N1;
    QAction* K5;

    // Popup menu of both lists.
    QMenu* PopupMenu1;
    QAction* backup4;
    QAction* restore4;

    // State.
    std::array<GameEntry, MaxGames> Games;
    bool BatchMode = false;
    std::string BackupFolder;
    std::string ArchiveCommand;
    std::string DialogSwitch;

    // Set when a batch backup had a failure, so that the run ends with status 1.
    bool BatchFailed = false;
    // Set when start-up ends the program instead of opening the window.
    std::optional<int> EndStatus;

    // Start-up and close.
    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender, CloseAction& Action);
    void LoadSettings();
    void SaveSettings();

    // Window commands.
    void TabControl1Change(QObject* Sender);
    void ListBox1MouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void ListBox2MouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void backup4Click(QObject* Sender);
    void restore4Click(QObject* Sender);
    void K2Click(QObject* Sender);
    void K4Click(QObject* Sender);
    void K5Click(QObject* Sender);

    // Game list.
    void LoadGameList();
    bool ParseGameDefinition(const std::string& fileName, int slot);

    // Archives.
    void LoadArchiveList();
    void DFClick(QObject* Sender);
    void backup1Click(QObject* Sender);
    void backup2Click(QObject* Sender);
    void restore1Click(QObject* Sender);
    void restore2Click(QObject* Sender);

    // Options.
    void optionClick(QObject* Sender);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void connectCommand(QAction* item, void (TForm1::*handler)(QObject*));
};

}  // namespace vesk
