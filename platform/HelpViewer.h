#pragma once
#include <string>

class QWidget;

namespace vesk {

// The program's help viewer: a window of its own that shows an HTML help
// file, with links inside the file followed. One viewer per owner: asking
// again shows the same window on the file's contents. A file that cannot be
// read is reported inside the window.
void showHelpContents(const std::string& helpFile, QWidget* owner);

// The object name of the viewer window, for finding it among the owner's
// children.
inline constexpr const char* HelpViewerName = "HelpViewer";

}  // namespace vesk
