#pragma once
#include <functional>

class QMenu;
class QPoint;

namespace vesk {

// Opens a popup menu at a screen position and returns when it has closed.
// The program runs the menu's own modal loop; tests install an opener that
// records where the menu would have opened.
using PopupOpener = std::function<void(QMenu& menu, const QPoint& screenPosition)>;

void openPopup(QMenu& menu, const QPoint& screenPosition);

// Makes openPopup use `opener`; an empty one returns to the menu's own loop.
// Returns the opener in use before.
PopupOpener replacePopupOpener(PopupOpener opener);

}  // namespace vesk
