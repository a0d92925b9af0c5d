#include "app/MainWindow.h"
#include "app/PopupOpener.h"
#include "platform/Application.h"
#include "platform/HelpViewer.h"
#include "settings/OptionsDialog.h"

#include "FakeArchiver.h"
#include "MessageTexts.h"
#include "ScriptedMessageBoxes.h"
#include "TempProgramFolder.h"

#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace vesk;
using namespace vesk::test;

namespace {

// An archiver whose version query fails once armed, for a command that ends
// in an error.
class FailingVersionArchiver : public FakeArchiver {
public:
    std::uint16_t version() override
    {
        if (armed)
            throw std::runtime_error("バージョンを取得できません");
        return FakeArchiver::version();
    }
    bool armed = false;
};

// The main window, shown and active, in a fresh program folder with one
// archive in its backup folder; boxes scripted, the archiver faked, the popup
// and the options dialog recorded instead of run.
struct Session {
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    FailingVersionArchiver archiver;
    std::unique_ptr<TForm1> window;
    std::size_t boxesAtStart = 0;

    struct Popup {
        QMenu* menu;
        QPoint at;
    };
    std::vector<Popup> popups;
    int optionDialogs = 0;
    PopupOpener previousOpener;
    ModalRunner previousRunner;

    explicit Session(const std::string& helpFile = "")
    {
        folder.makeFolder("DataFile");
        folder.writeFile("backup/saved.lzh", "");
        application().setHelpFile(helpFile.empty() ? folder / "missing/vesk.hlp" : helpFile);
        previousOpener = replacePopupOpener([this](QMenu& menu, const QPoint& at) { popups.push_back({&menu, at}); });
        previousRunner = setModalRunner([this](TForm2&) { ++optionDialogs; });
        window = std::make_unique<TForm1>();
        boxesAtStart = boxes.shown().size();
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the window did not become active");
    }

    ~Session()
    {
        window.reset();
        replacePopupOpener(previousOpener);
        setModalRunner(previousRunner);
    }

    // The boxes shown since start-up.
    std::vector<ShownBox> newBoxes() const
    {
        return {boxes.shown().begin() + static_cast<std::ptrdiff_t>(boxesAtStart), boxes.shown().end()};
    }

    bool showedBox(const std::string& text) const
    {
        const auto shown = newBoxes();
        return std::any_of(shown.begin(), shown.end(), [&](const ShownBox& box) { return box.text == text; });
    }

    QWidget* helpViewer() const
    {
        return window->findChild<QWidget*>(QString::fromUtf8(HelpViewerName), Qt::FindDirectChildrenOnly);
    }

    void selectTab(int index)
    {
        window->TabControl1->setFocus();
        QTest::keyClick(window->TabControl1, index == 1 ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(window->TabControl1->currentIndex(), index);
    }
};

void fill(QListWidget* list, const QStringList& lines)
{
    list->clear();
    list->addItems(lines);
}

QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            rows.append(row);
    return rows;
}

QPoint centreOf(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

// The visible items of a menu: object name, caption and the shortcut shown.
QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* item : menu->actions())
        if (item->isVisible())
            items.append(item->objectName() + "|" + (item->isSeparator() ? "-" : item->text()) + "|" +
                         item->shortcut().toString());
    return items;
}

}  // namespace

Q_DECLARE_METATYPE(Qt::Key)

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { application().setTitle("Vesk ver1.00"); }

    void layoutAtStart();
    void menusAsDesigned();
    void tabSwitchSetsTheCommandSet();
    void hiddenListsKeepLinesAndSelection();
    void shortcutsActOnlyThroughEnabledMenus_data();
    void shortcutsActOnlyThroughEnabledMenus();
    void rightPressOpensThePopupAtThePointer_data();
    void rightPressOpensThePopupAtThePointer();
    void rightDoubleClickSelectsNothing();
    void pressesThatOpenNoPopup_data();
    void pressesThatOpenNoPopup();
    void popupItemsForward();
    void refreshRereadsTheFoldersItHas();
    void helpShowsTheHelpFile();
    void helpReportsAMissingFile();
    void aboutBoxGivesNameAndArchiverVersion_data();
    void aboutBoxGivesNameAndArchiverVersion();
    void failingCommandShowsTheErrorAndTheWindowGoesOn();
    void screenshots();
};

void WindowTest::layoutAtStart()
{
    Session session;
    TForm1& w = *session.window;

    // The window system adds its frame around this.
    QCOMPARE(w.size(), QSize(578, 452));
    QCOMPARE(w.font().family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    QCOMPARE(w.font().pixelSize(), 12);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.TabControl1));

    QCOMPARE(w.Bevel1->height(), 2);
    QCOMPARE(w.Bevel1->y(), 0);
    QCOMPARE(w.Bevel1->width(), w.centralWidget()->width());
    QCOMPARE(w.StatusBar1->height(), 19);
    QVERIFY(w.StatusBar1->currentMessage().isEmpty());

    QCOMPARE(w.TabControl1->count(), 2);
    QCOMPARE(w.TabControl1->tabText(0), QString::fromUtf8("バックアップ候補"));
    QCOMPARE(w.TabControl1->tabText(1), QString::fromUtf8("リストア候補"));
    QCOMPARE(w.TabControl1->currentIndex(), 0);

    for (QListWidget* list : {w.ListBox1, w.ListBox2}) {
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(!list->isSortingEnabled());
    }
    QVERIFY(w.ListBox1->isVisible());
    QVERIFY(!w.ListBox2->isVisible());

    // Both lists take the same place below the tabs, down to the status bar.
    const QRect list1(w.ListBox1->mapTo(&w, QPoint(0, 0)), w.ListBox1->size());
    QVERIFY(list1.top() >= w.TabControl1->mapTo(&w, QPoint(0, w.TabControl1->height())).y());
    QVERIFY(list1.bottom() < w.StatusBar1->y());
    QVERIFY(list1.width() > w.width() - 20);
    session.selectTab(1);
    QCOMPARE(QRect(w.ListBox2->mapTo(&w, QPoint(0, 0)), w.ListBox2->size()), list1);
    session.selectTab(0);

    // Resizing keeps the layout: the lists grow with the window.
    const int listHeight = list1.height();
    w.resize(w.width() + 100, w.height() + 100);
    QCOMPARE(w.ListBox1->height(), listHeight + 100);
}

void WindowTest::menusAsDesigned()
{
    Session session;
    TForm1& w = *session.window;

    QStringList bar;
    for (const QAction* menu : w.MainMenu1->actions())
        bar.append(menu->objectName() + "|" + menu->text() + "|" + (menu->isEnabled() ? "on" : "off"));
    QCOMPARE(bar, (QStringList{"Backup|バックアップ(&B)|on", "Restore|リストア(&R)|off", "k8|オプション(&O)|on",
                               "K3|ヘルプ(&H)|on"}));

    QCOMPARE(itemsOf(w.Backup), (QStringList{"backup1|一括バックアップ(&A)|F5", "backup2|個別バックアップ(&I)|F6"}));
    QCOMPARE(itemsOf(w.Restore), (QStringList{"restore1|一括リストア(&A)|F7", "restore2|個別リストア(&I)|F8"}));
    QCOMPARE(itemsOf(w.k8), (QStringList{"DF|選択しているファイルの削除(&D)|Del", "K2|画面更新(&R)|F4", "N2|-|",
                                         "option|オプション(&O)|F2"}));
    QCOMPARE(itemsOf(w.K3), (QStringList{"K4|ヘルプ|F1", "N1|-|", "K5|バージョン情報|F12"}));
    QCOMPARE(itemsOf(w.PopupMenu1), (QStringList{"backup4|個別バックアップ|"}));

    for (QAction* item : {w.backup1, w.backup2, w.restore1, w.restore2, w.K2, w.option, w.K4, w.K5})
        QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
    QVERIFY(!w.DF->isEnabled());
}

void WindowTest::tabSwitchSetsTheCommandSet()
{
    Session session;
    TForm1& w = *session.window;
    const auto state = [&w] {
        return QList<bool>{w.ListBox1->isVisible(),           w.ListBox2->isVisible(),
                           w.Backup->menuAction()->isEnabled(), w.Restore->menuAction()->isEnabled(),
                           w.backup4->isVisible(),            w.restore4->isVisible(),
                           w.DF->isEnabled()};
    };
    const QList<bool> tab0{true, false, true, false, true, false, false};
    const QList<bool> tab1{false, true, false, true, false, true, true};

    QCOMPARE(state(), tab0);
    session.selectTab(1);
    QCOMPARE(state(), tab1);
    session.selectTab(0);
    QCOMPARE(state(), tab0);
    QTest::mouseClick(w.TabControl1, Qt::LeftButton, {}, w.TabControl1->tabRect(1).center());
    QCOMPARE(state(), tab1);
    QVERIFY(session.newBoxes().empty());
}

void WindowTest::hiddenListsKeepLinesAndSelection()
{
    Session session;
    TForm1& w = *session.window;
    fill(w.ListBox1, {"Alpha", "Beta", "Gamma", "Delta"});
    fill(w.ListBox2, {"one", "two", "three"});
    w.ListBox1->setFocus();
    QTest::mouseClick(w.ListBox1->viewport(), Qt::LeftButton, {}, centreOf(w.ListBox1, 1));
    QTest::mouseClick(w.ListBox1->viewport(), Qt::LeftButton, Qt::ControlModifier, centreOf(w.ListBox1, 3));
    QCOMPARE(selectedRows(w.ListBox1), (QList<int>{1, 3}));

    session.selectTab(1);
    QTest::mouseClick(w.ListBox2->viewport(), Qt::LeftButton, {}, centreOf(w.ListBox2, 0));
    QTest::mouseClick(w.ListBox2->viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(w.ListBox2, 2));
    QCOMPARE(selectedRows(w.ListBox2), (QList<int>{0, 1, 2}));

    session.selectTab(0);
    session.selectTab(1);
    session.selectTab(0);
    QCOMPARE(w.ListBox1->count(), 4);
    QCOMPARE(w.ListBox2->count(), 3);
    QCOMPARE(selectedRows(w.ListBox1), (QList<int>{1, 3}));
    QCOMPARE(w.ListBox1->currentRow(), 3);
    QCOMPARE(selectedRows(w.ListBox2), (QList<int>{0, 1, 2}));
    QCOMPARE(w.ListBox2->currentRow(), 2);
}

void WindowTest::shortcutsActOnlyThroughEnabledMenus_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("acts");
    const std::pair<Qt::Key, bool> tab0[] = {{Qt::Key_F5, true},  {Qt::Key_F6, true},     {Qt::Key_F4, true},
                                             {Qt::Key_F2, true},  {Qt::Key_F1, true},     {Qt::Key_F12, true},
                                             {Qt::Key_F7, false}, {Qt::Key_F8, false},    {Qt::Key_Delete, false}};
    const std::pair<Qt::Key, bool> tab1[] = {{Qt::Key_F7, true},  {Qt::Key_F8, true},     {Qt::Key_Delete, true},
                                             {Qt::Key_F4, true},  {Qt::Key_F2, true},     {Qt::Key_F1, true},
                                             {Qt::Key_F12, true}, {Qt::Key_F5, false},    {Qt::Key_F6, false}};
    for (const auto& [key, acts] : tab0)
        QTest::addRow("tab 0, %s", qPrintable(QKeySequence(key).toString())) << 0 << key << acts;
    for (const auto& [key, acts] : tab1)
        QTest::addRow("tab 1, %s", qPrintable(QKeySequence(key).toString())) << 1 << key << acts;
}

// Each key is pressed as a user would, with the focus in the visible list;
// what its command leaves behind shows whether it ran.
void WindowTest::shortcutsActOnlyThroughEnabledMenus()
{
    QFETCH(int, tab);
    QFETCH(Qt::Key, key);
    QFETCH(bool, acts);
    Session session;
    TForm1& w = *session.window;
    session.selectTab(tab);
    fill(w.ListBox2, {"stale"});
    QListWidget* list = tab == 0 ? w.ListBox1 : w.ListBox2;
    list->setFocus();

    QTest::keyClick(&w, key);

    bool ran = false;
    switch (key) {
    case Qt::Key_F5: ran = session.showedBox(BackupAllQuestion); break;
    case Qt::Key_F6: ran = session.showedBox(BackupFinished); break;
    case Qt::Key_F7: ran = session.showedBox(RestoreAllQuestion); break;
    case Qt::Key_F8: ran = session.showedBox(RestoreSelectedQuestion); break;
    case Qt::Key_Delete: ran = session.showedBox(DeleteQuestion); break;
    case Qt::Key_F4: ran = w.ListBox2->findItems("stale", Qt::MatchExactly).isEmpty(); break;
    case Qt::Key_F2: ran = session.optionDialogs == 1; break;
    case Qt::Key_F1: ran = session.helpViewer() && session.helpViewer()->isVisible(); break;
    case Qt::Key_F12: ran = !session.newBoxes().empty() && session.newBoxes().front().text.rfind("Vesk ver1.00", 0) == 0; break;
    default: QFAIL("no observation for this key");
    }
    QCOMPARE(ran, acts);
    if (!acts) {
        QVERIFY(session.newBoxes().empty());
        QVERIFY(session.archiver.commandLines.empty());
        QCOMPARE(w.ListBox2->count(), 1);
    }
    QVERIFY(w.StatusBar1->currentMessage().isEmpty());
}

void WindowTest::rightPressOpensThePopupAtThePointer_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("offered");
    QTest::newRow("backup candidates") << 0 << "backup4|個別バックアップ|";
    QTest::newRow("restore candidates") << 1 << "restore4|個別リストア|";
}

void WindowTest::rightPressOpensThePopupAtThePointer()
{
    QFETCH(int, tab);
    QFETCH(QString, offered);
    Session session;
    TForm1& w = *session.window;
    session.selectTab(tab);
    QListWidget* list = tab == 0 ? w.ListBox1 : w.ListBox2;
    fill(list, {"first", "second", "third"});
    list->setCurrentRow(0);
    list->item(0)->setSelected(true);

    // The pointer rests away from where the press is reported.
    const QPoint pointer(17, 23);
    QCursor::setPos(pointer);
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, centreOf(list, 2));

    QCOMPARE(session.popups.size(), std::size_t(1));
    QCOMPARE(session.popups[0].menu, w.PopupMenu1);
    QCOMPARE(session.popups[0].at, QCursor::pos());
    QVERIFY(session.popups[0].at != list->viewport()->mapToGlobal(centreOf(list, 2)));
    QCOMPARE(itemsOf(w.PopupMenu1), QStringList{offered});
    QCOMPARE(selectedRows(list), QList<int>{0});
    QCOMPARE(list->currentRow(), 0);
}

// The second press of a double click is a press too: it opens the popup
// again and, like the first, leaves the selection alone.
void WindowTest::rightDoubleClickSelectsNothing()
{
    Session session;
    TForm1& w = *session.window;
    fill(w.ListBox1, {"first", "second", "third"});
    w.ListBox1->setCurrentRow(0);
    w.ListBox1->item(0)->setSelected(true);

    QTest::mouseDClick(w.ListBox1->viewport(), Qt::RightButton, {}, centreOf(w.ListBox1, 2));

    QVERIFY(!session.popups.empty());
    QCOMPARE(selectedRows(w.ListBox1), QList<int>{0});
    QCOMPARE(w.ListBox1->currentRow(), 0);
}

void WindowTest::pressesThatOpenNoPopup_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("current");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left press") << 0 << 2 << true << Qt::LeftButton;
    QTest::newRow("middle press") << 1 << 2 << true << Qt::MiddleButton;
    QTest::newRow("right press, no lines") << 0 << 0 << false << Qt::RightButton;
    QTest::newRow("right press, no current line") << 1 << 2 << false << Qt::RightButton;
}

void WindowTest::pressesThatOpenNoPopup()
{
    QFETCH(int, tab);
    QFETCH(int, lines);
    QFETCH(bool, current);
    QFETCH(Qt::MouseButton, button);
    Session session;
    TForm1& w = *session.window;
    session.selectTab(tab);
    QListWidget* list = tab == 0 ? w.ListBox1 : w.ListBox2;
    fill(list, QStringList{"first", "second"}.mid(0, lines));
    list->setCurrentRow(current ? 0 : -1);

    const QPoint at = lines > 0 ? centreOf(list, lines - 1) : QPoint(10, 10);
    QTest::mousePress(list->viewport(), button, {}, at);
    QTest::mouseRelease(list->viewport(), button, {}, at);

    QVERIFY(session.popups.empty());
}

void WindowTest::popupItemsForward()
{
    Session session;
    TForm1& w = *session.window;
    w.backup4->trigger();
    QVERIFY(session.showedBox(BackupFinished));

    session.selectTab(1);
    w.restore4->trigger();
    QVERIFY(session.showedBox(RestoreSelectedQuestion));
}

// Refresh re-reads both lists where they already point, even when the
// backup folder setting has changed meanwhile.
void WindowTest::refreshRereadsTheFoldersItHas()
{
    Session session;
    TForm1& w = *session.window;
    const std::string backupList = w.FileListBox2.directory();
    session.folder.writeFile("backup/later.lzh", "");
    session.folder.writeFile("other/elsewhere.lzh", "");
    w.BackupFolder = session.folder / "other/";

    QTest::keyClick(&w, Qt::Key_F4);

    QStringList lines;
    for (int row = 0; row < w.ListBox2->count(); ++row)
        lines.append(w.ListBox2->item(row)->text());
    QCOMPARE(lines, (QStringList{"later", "saved"}));
    QCOMPARE(w.FileListBox2.directory(), backupList);
}

void WindowTest::helpShowsTheHelpFile()
{
    Session session(VESK_SOURCE_HELP_FILE);
    QTest::keyClick(session.window.get(), Qt::Key_F1);

    QWidget* viewer = session.helpViewer();
    QVERIFY(viewer && viewer->isVisible());
    auto* browser = viewer->findChild<QTextBrowser*>();
    QCOMPARE(viewer->windowTitle(), QString::fromUtf8("Vesk ヘルプ"));
    const QString text = browser->toPlainText();
    // Shown as a document, not as its markup; every command and the
    // definition format are there.
    QVERIFY(!text.contains("<h1>"));
    for (const char* expected : {"F1", "F2", "F4", "F5", "F6", "F7", "F8", "F12", "Del", "vesk /b", "GSP-DATA", "#EOF",
                                 "前回より日付の新しいファイルだけ圧縮する", "処理ダイアログを表示しない"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);

    // The main window's keys are its own: they do nothing in the help window.
    QApplication::setActiveWindow(viewer);
    QVERIFY(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(browser, Qt::Key_F12);
    QVERIFY(session.newBoxes().empty());

    // Asking again shows the same window on the contents.
    browser->scrollToAnchor("datafile");
    QVERIFY(browser->verticalScrollBar()->value() > 0);
    session.window->K4Click(session.window->K4);
    QCOMPARE(session.window->findChildren<QTextBrowser*>().size(), qsizetype(1));
    QCOMPARE(session.helpViewer(), viewer);
    QCOMPARE(browser->verticalScrollBar()->value(), 0);
}

void WindowTest::helpReportsAMissingFile()
{
    Session session;
    QTest::keyClick(session.window.get(), Qt::Key_F1);

    QWidget* viewer = session.helpViewer();
    QVERIFY(viewer && viewer->isVisible());
    const QString text = viewer->findChild<QTextBrowser*>()->toPlainText();
    QVERIFY2(text.contains(QString::fromStdString(session.folder / "missing/vesk.hlp")), qPrintable(text));
    QVERIFY(text.contains(QString::fromUtf8("開けません")));
    QVERIFY(session.newBoxes().empty());
}

void WindowTest::aboutBoxGivesNameAndArchiverVersion_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("shown");
    QTest::newRow("200") << 200 << "ver2.00";
    QTest::newRow("151") << 151 << "ver1.51";
    QTest::newRow("1005") << 1005 << "ver10.05";
}

void WindowTest::aboutBoxGivesNameAndArchiverVersion()
{
    QFETCH(int, version);
    QFETCH(QString, shown);
    Session session;
    session.archiver.versionNumber = static_cast<std::uint16_t>(version);
    QTest::keyClick(session.window.get(), Qt::Key_F12);

    const auto boxes = session.newBoxes();
    QCOMPARE(boxes.size(), std::size_t(1));
    QCOMPARE(boxes[0].caption, std::string("Vesk ver1.00"));
    QCOMPARE(boxes[0].flags, 0);
    const QString text = QString::fromStdString(boxes[0].text);
    QVERIFY(text.startsWith("Vesk ver1.00\n"));
    QVERIFY(text.contains(QString::fromUtf8("バックアップ")));
    QVERIFY2(text.contains(shown), qPrintable(text));
}

void WindowTest::failingCommandShowsTheErrorAndTheWindowGoesOn()
{
    Session session;
    session.archiver.armed = true;
    QTest::keyClick(session.window.get(), Qt::Key_F12);

    auto boxes = session.newBoxes();
    QCOMPARE(boxes.size(), std::size_t(1));
    QCOMPARE(boxes[0].text, std::string("バージョンを取得できません."));
    QCOMPARE(boxes[0].caption, std::string("Vesk ver1.00"));
    QCOMPARE(boxes[0].flags, 16);

    session.archiver.armed = false;
    QTest::keyClick(session.window.get(), Qt::Key_F12);
    boxes = session.newBoxes();
    QCOMPARE(boxes.size(), std::size_t(2));
    QVERIFY(boxes[1].text.rfind("Vesk ver1.00", 0) == 0);
    QVERIFY(session.window->isVisible());
}

// Pictures of the window on each tab, its drop-down menus and the help
// window, for a look under a real display: run with VESK_SCREENSHOT_DIR set.
void WindowTest::screenshots()
{
    const QString folder = qEnvironmentVariable("VESK_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("VESK_SCREENSHOT_DIR is not set");
    TempProgramFolder games;
    for (const char* title : {"Sample Quest", "星のアトリエ", "Dungeon Diary"}) {
        const std::string name = std::string(title) + ".txt";
        games.writeFile("DataFile/" + name, "GSP-DATA\n" + std::string(title) + "\n" + games.path() + "saves\ncheck.dat\nslot1.sav\n#EOF\n");
    }
    games.writeFile("saves/check.dat", "");
    Session session(VESK_SOURCE_HELP_FILE);
    session.window->setWindowTitle(QString::fromUtf8("Vesk ver1.00"));
    TForm1& w = *session.window;
    w.FileListBox1.setDirectory(games / "DataFile");
    session.folder.writeFile("backup/星のアトリエ.lzh", "");
    w.K2Click(w.K2);
    w.ListBox1->item(1)->setSelected(true);

    const auto save = [&](QWidget* widget, const char* name) {
        QVERIFY(widget->grab().save(folder + "/" + name));
    };
    save(&w, "main-window-backup.png");
    for (QMenu* menu : {w.Backup, w.k8, w.K3}) {
        menu->popup(w.mapToGlobal(QPoint(0, 0)));
        QTest::qWait(50);
        save(menu, qPrintable("menu-" + menu->objectName() + ".png"));
        menu->hide();
    }
    session.selectTab(1);
    save(&w, "main-window-restore.png");
    w.Restore->popup(w.mapToGlobal(QPoint(0, 0)));
    QTest::qWait(50);
    save(w.Restore, "menu-Restore.png");
    w.Restore->hide();
    w.PopupMenu1->popup(w.mapToGlobal(QPoint(50, 80)));
    QTest::qWait(50);
    save(w.PopupMenu1, "popup-restore.png");
    w.PopupMenu1->hide();

    QTest::keyClick(&w, Qt::Key_F1);
    QTest::qWait(50);
    save(session.helpViewer(), "help-window.png");
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
