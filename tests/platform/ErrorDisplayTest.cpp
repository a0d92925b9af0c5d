#include "platform/Application.h"
#include "platform/Error.h"
#include "platform/Guard.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vesk;

namespace {

struct Box {
    std::string text, caption;
    int flags;
};

// Records the boxes shown while it lives.
class Recorder {
public:
    Recorder()
    {
        previous_ = application().setMessageBoxHandler([this](const std::string& text, const std::string& caption, int flags) {
            boxes.push_back({text, caption, flags});
            return IdOk;
        });
        application().setTitle("Vesk ver1.00");
    }
    ~Recorder() { application().setMessageBoxHandler(previous_); }
    std::vector<Box> boxes;

private:
    MessageBoxHandler previous_;
};

}  // namespace

TEST(ErrorDisplay, GuardShowsTheErrorWithAFullStopAndGoesOn)
{
    Recorder recorder;
    bool after = false;
    EXPECT_FALSE(guarded([] { throw Error("ﾌｧｲﾙが見つかりません"); }));
    EXPECT_FALSE(guarded([] { throw std::runtime_error("ends with a stop."); }));
    EXPECT_TRUE(guarded([&] { after = true; }));

    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].text, "ﾌｧｲﾙが見つかりません.");
    EXPECT_EQ(recorder.boxes[0].caption, "Vesk ver1.00");
    EXPECT_EQ(recorder.boxes[0].flags, 16);
    EXPECT_EQ(recorder.boxes[1].text, "ends with a stop..");
    EXPECT_TRUE(after);
}

TEST(ErrorDisplay, MessageBoxGoesThroughTheHandler)
{
    int answer = IdYes;
    const MessageBoxHandler previous = application().setMessageBoxHandler(
        [&](const std::string&, const std::string&, int) { return answer; });
    EXPECT_EQ(application().MessageBox("text", "caption", 4), IdYes);
    answer = IdNo;
    EXPECT_EQ(application().MessageBox("text", "caption", 4), IdNo);
    application().setMessageBoxHandler(previous);
}

TEST(ErrorDisplay, StandardErrorAnswersOkAndQuestionsNo)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(writeMessageBoxToStandardError("バックアップ終了しました", "Vesk ver1.00", 0), IdOk);
    EXPECT_EQ(writeMessageBoxToStandardError("続けますか？", "注意", 68), IdNo);
    EXPECT_EQ(writeMessageBoxToStandardError("failed.", "Vesk ver1.00", 16), IdOk);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Vesk ver1.00: バックアップ終了しました\n注意: 続けますか？\nVesk ver1.00: failed.\n");
}
