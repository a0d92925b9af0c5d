#pragma once
#include "settings/OptionsDialog.h"

#include <functional>

namespace vesk::test {

// While it lives, the options dialog is not run in a nested event loop: it
// is shown and made active, `act` works it through its controls and keys,
// and the dialog is expected to have closed when `act` returns.
class ScriptedDialog {
public:
    explicit ScriptedDialog(std::function<void(TForm2&)> act);
    ~ScriptedDialog();
    ScriptedDialog(const ScriptedDialog&) = delete;
    ScriptedDialog& operator=(const ScriptedDialog&) = delete;

    int opened = 0;
    int leftOpen = 0;
    // The result of the last opening, QDialog::Accepted or Rejected.
    int result = -1;

private:
    std::function<void(TForm2&)> act_;
    ModalRunner previous_;
};

// Sends a key press and release to the widget that has the focus in the
// dialog, as the keyboard would.
void press(TForm2& dialog, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace vesk::test
