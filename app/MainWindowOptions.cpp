#include "app/MainWindow.h"

// The options dialog. Until it is built, the command does nothing.

namespace vesk {

void TForm1::optionClick(QObject*) {}

}  // namespace vesk
