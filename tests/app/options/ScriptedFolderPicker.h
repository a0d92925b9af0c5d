#pragma once
#include "platform/FolderPicker.h"

#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace vesk::test {

// One time the program asked for a folder.
struct FolderRequest {
    QWidget* owner;
    std::string title;
};

// While it lives, the folder picker answers from a queue and records each
// request instead of showing a dialog. With no answer queued it answers as a
// cancelled picker: the empty text.
class ScriptedFolderPicker {
public:
    ScriptedFolderPicker();
    ~ScriptedFolderPicker();
    ScriptedFolderPicker(const ScriptedFolderPicker&) = delete;
    ScriptedFolderPicker& operator=(const ScriptedFolderPicker&) = delete;

    void answerNext(const std::string& folder);

    const std::vector<FolderRequest>& requests() const { return requests_; }

private:
    std::deque<std::string> answers_;
    std::vector<FolderRequest> requests_;
    FolderPickerHandler previous_;
};

}  // namespace vesk::test
