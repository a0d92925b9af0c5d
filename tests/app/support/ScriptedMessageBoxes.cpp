#include "ScriptedMessageBoxes.h"

#include "platform/Application.h"

namespace vesk::test {

ScriptedMessageBoxes::ScriptedMessageBoxes()
{
    previous_ = application().setMessageBoxHandler([this](const std::string& text, const std::string& caption, int flags) {
        shown_.push_back({text, caption, flags});
        if (answers_.empty())
            return (flags & 0x0F) == MbYesNo ? IdNo : IdOk;
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    application().setMessageBoxHandler(previous_);
}

void ScriptedMessageBoxes::answerNext(int result)
{
    answers_.push_back(result);
}

}  // namespace vesk::test
