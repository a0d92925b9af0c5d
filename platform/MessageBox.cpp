#include "platform/MessageBox.h"

#include "platform/CodePage.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <iostream>

namespace vesk {

namespace {

// A question must be answered with one of its buttons; a notice may also be
// dismissed with Escape or its close box.
class Box : public QMessageBox {
public:
    explicit Box(bool question) : question_(question) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (question_ && event->key() == Qt::Key_Escape)
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (question_)
            event->ignore();
        else
            QMessageBox::closeEvent(event);
    }

private:
    bool question_;
};

QMessageBox::Icon iconOf(int flags)
{
    switch (flags & 0xF0) {
    case MbIconStop: return QMessageBox::Critical;
    case MbIconWarning: return QMessageBox::Warning;
    case MbIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

std::unique_ptr<QMessageBox> createQtMessageBox(const std::string& text, const std::string& caption, int flags)
{
    const bool question = (flags & 0x0F) == MbYesNo;
    auto box = std::make_unique<Box>(question);
    box->setIcon(iconOf(flags));
    box->setWindowTitle(toDisplay(caption));
    box->setText(toDisplay(text));
    if (question) {
        box->setWindowFlags((box->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                            ~Qt::WindowCloseButtonHint);
        QPushButton* yes = box->addButton(QString::fromUtf8("はい(&Y)"), QMessageBox::YesRole);
        box->addButton(QString::fromUtf8("いいえ(&N)"), QMessageBox::NoRole);
        box->setDefaultButton(yes);
    } else {
        box->setDefaultButton(box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    }
    return box;
}

int resultOf(const QMessageBox& box)
{
    if (box.buttonRole(box.clickedButton()) == QMessageBox::YesRole)
        return IdYes;
    if (box.buttonRole(box.clickedButton()) == QMessageBox::NoRole)
        return IdNo;
    return IdOk;
}

int showQtMessageBox(const std::string& text, const std::string& caption, int flags)
{
    const std::unique_ptr<QMessageBox> box = createQtMessageBox(text, caption, flags);
    box->exec();
    return resultOf(*box);
}

int writeMessageBoxToStandardError(const std::string& text, const std::string& caption, int flags)
{
    std::cerr << caption << ": " << text << std::endl;
    return (flags & 0x0F) == MbYesNo ? IdNo : IdOk;
}

}  // namespace vesk
