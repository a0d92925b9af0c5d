#pragma once
#include "platform/MessageBox.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

// The one application object: its title, its help file, the command-line
// arguments after the program's name, and the modal message boxes.
class Application {
public:
    const std::string& title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }

    const std::string& helpFile() const { return helpFile_; }
    void setHelpFile(const std::string& path) { helpFile_ = path; }

    const std::vector<std::string>& arguments() const { return arguments_; }
    void setArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }

    // Returns 1 (OK), 6 (Yes) or 7 (No).
    int MessageBox(const std::string& text, const std::string& caption, int flags);

    // The default error display: the error's text and a full stop, the title
    // as caption, the stop icon and an OK button.
    void showError(const std::exception& error);

    // Replaces how boxes are shown and returns the handler in use before.
    MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

private:
    std::string title_;
    std::string helpFile_;
    std::vector<std::string> arguments_;
    MessageBoxHandler handler_ = showQtMessageBox;
};

Application& application();

}  // namespace vesk
