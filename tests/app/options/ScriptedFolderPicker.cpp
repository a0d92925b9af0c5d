#include "ScriptedFolderPicker.h"

namespace vesk::test {

ScriptedFolderPicker::ScriptedFolderPicker()
{
    previous_ = setFolderPickerHandler([this](QWidget* owner, const std::string& title) {
        requests_.push_back({owner, title});
        if (answers_.empty())
            return std::string();
        std::string answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

ScriptedFolderPicker::~ScriptedFolderPicker()
{
    setFolderPickerHandler(previous_);
}

void ScriptedFolderPicker::answerNext(const std::string& folder)
{
    answers_.push_back(folder);
}

}  // namespace vesk::test
