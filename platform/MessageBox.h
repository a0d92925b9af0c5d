#pragma once
#include <functional>
#include <memory>
#include <string>

class QMessageBox;

namespace vesk {

// Message-box flags: buttons in the low four bits, the icon above them.
inline constexpr int MbOk = 0;
inline constexpr int MbYesNo = 4;
inline constexpr int MbIconStop = 16;
inline constexpr int MbIconWarning = 48;
inline constexpr int MbIconInformation = 64;

// Results.
inline constexpr int IdOk = 1;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

// Shows one modal box and returns the button chosen.
using MessageBoxHandler =
    std::function<int(const std::string& text, const std::string& caption, int flags)>;

// A Qt message box: buttons and icon as the flags say, the first button the
// default, and a Yes/No box that neither Escape nor the close box dismisses.
int showQtMessageBox(const std::string& text, const std::string& caption, int flags);

// The box showQtMessageBox runs, and the result of a box once it is closed.
std::unique_ptr<QMessageBox> createQtMessageBox(const std::string& text, const std::string& caption, int flags);
int resultOf(const QMessageBox& box);

// For a run without a display: the box goes to standard error as one line
// "caption: text" and is answered OK, a question No.
int writeMessageBoxToStandardError(const std::string& text, const std::string& caption, int flags);

}  // namespace vesk
