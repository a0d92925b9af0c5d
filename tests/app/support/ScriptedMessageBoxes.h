#pragma once
#include "platform/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

namespace vesk::test {

// One box the program showed.
struct ShownBox {
    std::string text;
    std::string caption;
    int flags;
};

// While it lives, message boxes are answered from a queue and recorded
// instead of shown. A box with no answer queued is answered OK, or No when
// it is a question.
class ScriptedMessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    // Queues the answer (IdOk, IdYes or IdNo) for the next box.
    void answerNext(int result);

    const std::vector<ShownBox>& shown() const { return shown_; }

private:
    std::deque<int> answers_;
    std::vector<ShownBox> shown_;
    MessageBoxHandler previous_;
};

}  // namespace vesk::test
