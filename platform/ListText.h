#pragma once
#include <QListWidget>

#include <string>

namespace vesk {

// A list line holds its text as bytes, exactly, and shows it decoded for the
// screen; commands read the bytes back, never the shown text.
void appendLine(QListWidget& list, const std::string& bytes);
std::string lineText(const QListWidget& list, int row);

}  // namespace vesk
