#include "platform/MessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace vesk;

namespace {

// The boxes need the toolkit, for these tests only.
class QtMessageBox : public testing::Test {
protected:
    static void SetUpTestSuite() { toolkit = new QApplication(argc, argv); }
    static void TearDownTestSuite()
    {
        delete toolkit;
        toolkit = nullptr;
    }

private:
    static inline int argc = 1;
    static inline char name[] = "platform_tests";
    static inline char* argv[] = {name, nullptr};
    static inline QApplication* toolkit = nullptr;
};

void press(QMessageBox& box, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &event);
}

}  // namespace

TEST_F(QtMessageBox, ButtonsAndIconFollowTheFlags)
{
    struct Case {
        int flags;
        QMessageBox::Icon icon;
        QStringList buttons;
    };
    const QStringList ok{"OK"};
    const QStringList yesNo{QString::fromUtf8("はい(&Y)"), QString::fromUtf8("いいえ(&N)")};
    const Case cases[] = {{0, QMessageBox::NoIcon, ok},          {16, QMessageBox::Critical, ok},
                          {48, QMessageBox::Warning, ok},        {64, QMessageBox::Information, ok},
                          {4, QMessageBox::NoIcon, yesNo},       {68, QMessageBox::Information, yesNo}};
    for (const Case& c : cases) {
        const auto box = createQtMessageBox("本文", "Vesk ver1.00", c.flags);
        EXPECT_EQ(box->icon(), c.icon) << c.flags;
        QStringList buttons;
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        EXPECT_EQ(buttons, c.buttons) << c.flags;
        EXPECT_EQ(box->defaultButton(), box->buttons().front()) << c.flags;
        EXPECT_EQ(box->text(), QString::fromUtf8("本文"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Vesk ver1.00"));
    }
}

TEST_F(QtMessageBox, QuestionIsAnsweredOnlyByItsButtons)
{
    const auto box = createQtMessageBox("続けますか？", "注意", 68);
    box->show();
    press(*box, Qt::Key_Escape);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->close());
    EXPECT_TRUE(box->isVisible());
    press(*box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(resultOf(*box), IdYes);

    const auto no = createQtMessageBox("続けますか？", "注意", 4);
    no->show();
    no->buttons().back()->click();
    EXPECT_EQ(resultOf(*no), IdNo);
}

TEST_F(QtMessageBox, NoticeClosesWithEscape)
{
    const auto box = createQtMessageBox("バックアップ終了しました", "Vesk ver1.00", 0);
    box->show();
    press(*box, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(resultOf(*box), IdOk);
}
