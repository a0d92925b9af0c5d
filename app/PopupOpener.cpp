#include "app/PopupOpener.h"

#include <QMenu>
#include <QPoint>

namespace vesk {

namespace {

PopupOpener& installed()
{
    static PopupOpener opener;
    return opener;
}

}  // namespace

void openPopup(QMenu& menu, const QPoint& screenPosition)
{
    if (installed())
        installed()(menu, screenPosition);
    else
        menu.exec(screenPosition);
}

PopupOpener replacePopupOpener(PopupOpener opener)
{
    std::swap(installed(), opener);
    return opener;
}

}  // namespace vesk
