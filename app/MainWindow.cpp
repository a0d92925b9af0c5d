#include "app/MainWindow.h"

#include "platform/Guard.h"
#include "platform/WindowFont.h"

#include <QAction>
#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace vesk {

namespace {

// Seen only when start-up was cut short; a finished start-up sets the
// application title.
const char* const DesignCaption = "Vesk";

QListWidget* newCandidateList(const char* name)
{
    auto* list = new QListWidget;
    list->setObjectName(QString::fromUtf8(name));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSortingEnabled(false);
    list->setFrameShape(QFrame::NoFrame);
    return list;
}

QAction* newItem(QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {})
{
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(QString::fromUtf8(name));
    item->setShortcut(shortcut);
    return item;
}

QAction* newSeparator(QMenu* menu, const char* name)
{
    QAction* item = menu->addSeparator();
    item->setObjectName(QString::fromUtf8(name));
    return item;
}

QMenu* newMenu(QMenuBar* bar, const char* name, const char* caption, const QFont& font)
{
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromUtf8(name));
    menu->menuAction()->setObjectName(QString::fromUtf8(name));
    menu->setFont(font);
    return menu;
}

// A command acts only while its item and every menu above it are enabled,
// whether it was chosen by mouse, access key or shortcut.
bool reachable(const QAction* item)
{
    if (!item->isEnabled() || !item->isVisible())
        return false;
    for (const QObject* owner = item->parent(); owner; owner = owner->parent())
        if (const auto* menu = qobject_cast<const QMenu*>(owner); menu && !menu->menuAction()->isEnabled())
            return false;
    return true;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(DesignCaption));
    setFont(windowFont());
    resize(578, 452);
    buildLayout();
    buildMenus();
    connectHandlers();
    TabControl1->setFocus();
    guarded([this] { FormCreate(this); });
}

TForm1::~TForm1() = default;

void TForm1::buildLayout()
{
    auto* client = new QWidget;
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Bevel1 = new QFrame;
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setFixedHeight(2);
    column->addWidget(Bevel1);

    TabControl1 = new QTabBar;
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setFocusPolicy(Qt::StrongFocus);
    TabControl1->setExpanding(false);
    TabControl1->setDrawBase(true);
    TabControl1->addTab(QString::fromUtf8("バックアップ候補"));
    TabControl1->addTab(QString::fromUtf8("リストア候補"));
    TabControl1->setCurrentIndex(0);

    // The tab control's page area: both lists in the same place, one shown.
    auto* tabArea = new QWidget;
    auto* tabColumn = new QVBoxLayout(tabArea);
    tabColumn->setContentsMargins(2, 2, 2, 2);
    tabColumn->setSpacing(0);
    tabColumn->addWidget(TabControl1);
    auto* page = new QFrame;
    page->setFrameShape(QFrame::StyledPanel);
    auto* pageColumn = new QVBoxLayout(page);
    pageColumn->setContentsMargins(4, 4, 4, 4);
    ListBox1 = newCandidateList("ListBox1");
    ListBox2 = newCandidateList("ListBox2");
    ListBox2->setVisible(false);
    pageColumn->addWidget(ListBox1);
    pageColumn->addWidget(ListBox2);
    tabColumn->addWidget(page, 1);
    column->addWidget(tabArea, 1);

    setCentralWidget(client);

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    setStatusBar(StatusBar1);
}

void TForm1::buildMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const QFont font = this->font();

    Backup = newMenu(MainMenu1, "Backup", "バックアップ(&B)", font);
    backup1 = newItem(Backup, "backup1", "一括バックアップ(&A)", Qt::Key_F5);
    backup2 = newItem(Backup, "backup2", "個別バックアップ(&I)", Qt::Key_F6);

    Restore = newMenu(MainMenu1, "Restore", "リストア(&R)", font);
    restore1 = newItem(Restore, "restore1", "一括リストア(&A)", Qt::Key_F7);
    restore2 = newItem(Restore, "restore2", "個別リストア(&I)", Qt::Key_F8);
    Restore->menuAction()->setEnabled(false);

    k8 = newMenu(MainMenu1, "k8", "オプション(&O)", font);
    DF = newItem(k8, "DF", "選択しているファイルの削除(&D)", Qt::Key_Delete);
    DF->setEnabled(false);
    K2 = newItem(k8, "K2", "画面更新(&R)", Qt::Key_F4);
    N2 = newSeparator(k8, "N2");
    option = newItem(k8, "option", "オプション(&O)", Qt::Key_F2);

    K3 = newMenu(MainMenu1, "K3", "ヘルプ(&H)", font);
    K4 = newItem(K3, "K4", "ヘルプ", Qt::Key_F1);
    N1 = newSeparator(K3, "N1");
    K5 = newItem(K3, "K5", "バージョン情報", Qt::Key_F12);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setFont(font);
    backup4 = newItem(PopupMenu1, "backup4", "個別バックアップ");
    restore4 = newItem(PopupMenu1, "restore4", "個別リストア");
    restore4->setVisible(false);
}

void TForm1::connectHandlers()
{
    connect(TabControl1, &QTabBar::currentChanged, this, [this] { guarded([this] { TabControl1Change(TabControl1); }); });
    ListBox1->viewport()->installEventFilter(this);
    ListBox2->viewport()->installEventFilter(this);

    connectCommand(backup1, &TForm1::backup1Click);
    connectCommand(backup2, &TForm1::backup2Click);
    connectCommand(restore1, &TForm1::restore1Click);
    connectCommand(restore2, &TForm1::restore2Click);
    connectCommand(DF, &TForm1::DFClick);
    connectCommand(K2, &TForm1::K2Click);
    connectCommand(option, &TForm1::optionClick);
    connectCommand(K4, &TForm1::K4Click);
    connectCommand(K5, &TForm1::K5Click);
    connectCommand(backup4, &TForm1::backup4Click);
    connectCommand(restore4, &TForm1::restore4Click);
}

void TForm1::connectCommand(QAction* item, void (TForm1::*handler)(QObject*))
{
    connect(item, &QAction::triggered, this, [this, item, handler] {
        if (reachable(item))
            guarded([&] { (this->*handler)(item); });
    });
}

// A mouse press on a list reaches its handler. A right press is the popup's
// alone: it changes neither the selection nor the current line.
bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // The second press of a double click arrives as its own event type.
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, event);
    QListWidget* list = watched == ListBox1->viewport() ? ListBox1 : watched == ListBox2->viewport() ? ListBox2 : nullptr;
    if (!list)
        return QMainWindow::eventFilter(watched, event);
    const auto* press = static_cast<QMouseEvent*>(event);
    const QPoint at = press->position().toPoint();
    guarded([&] {
        if (list == ListBox1)
            ListBox1MouseDown(list, press->button(), press->modifiers(), at.x(), at.y());
        else
            ListBox2MouseDown(list, press->button(), press->modifiers(), at.x(), at.y());
    });
    return press->button() == Qt::RightButton;
}

}  // namespace vesk
