#include "ScriptedDialog.h"

#include <QApplication>
#include <QTest>

namespace vesk::test {

ScriptedDialog::ScriptedDialog(std::function<void(TForm2&)> act) : act_(std::move(act))
{
    previous_ = setModalRunner([this](TForm2& dialog) {
        ++opened;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("the options dialog did not become active");
        act_(dialog);
        if (dialog.isVisible())
            ++leftOpen;
        result = dialog.result();
    });
}

ScriptedDialog::~ScriptedDialog()
{
    setModalRunner(previous_);
}

void press(TForm2& dialog, int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = dialog.focusWidget() ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

}  // namespace vesk::test
