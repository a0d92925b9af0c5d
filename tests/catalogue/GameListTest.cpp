#include "catalogue/GameEntry.h"
#include "catalogue/GameList.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using vesk::readGameList;

namespace {

// Reads by name: names in `accepted` are accepted, "error.txt" fails, the
// rest are rejected. Records each read as (name, slot) and each acceptance.
struct Recorder {
    explicit Recorder(std::set<std::string> acceptedNames = {}) : accepted(std::move(acceptedNames)) {}

    std::set<std::string> accepted;
    std::vector<std::pair<std::string, int>> reads;
    std::vector<int> acceptedSlots;

    int run(const std::vector<std::string>& names)
    {
        return readGameList(
            names,
            [this](const std::string& name, int slot) {
                reads.emplace_back(name, slot);
                if (name == "error.txt")
                    throw vesk::Error("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
                return accepted.count(name) > 0;
            },
            [this](int slot) { acceptedSlots.push_back(slot); });
    }
};

std::string numberedName(int number)
{
    std::string name = "g";
    name += std::to_string(number);
    name += ".txt";
    return name;
}

}  // namespace

TEST(GameList, AcceptedGamesTakeConsecutiveSlotsAndRejectedOnesReuseTheirSlot)
{
    Recorder recorder({"a.txt", "c.txt", "d.txt"});

    EXPECT_EQ(recorder.run({"a.txt", "b.txt", "c.txt", "x.txt", "y.txt", "d.txt"}), 3);
    EXPECT_EQ(recorder.reads, (std::vector<std::pair<std::string, int>>{
                                  {"a.txt", 0}, {"b.txt", 1}, {"c.txt", 1}, {"x.txt", 2}, {"y.txt", 2}, {"d.txt", 2}}));
    EXPECT_EQ(recorder.acceptedSlots, (std::vector<int>{0, 1, 2}));
}

TEST(GameList, NoNamesOrNoneAcceptedGivesNothing)
{
    Recorder recorder;
    EXPECT_EQ(recorder.run({}), 0);
    EXPECT_EQ(recorder.run({"a.txt", "b.txt"}), 0);
    EXPECT_TRUE(recorder.acceptedSlots.empty());
}

TEST(GameList, OnlyTheFirstFiveHundredNamesAreRead)
{
    std::vector<std::string> names;
    for (int i = 0; i < vesk::MaxGames; ++i)
        names.push_back(numberedName(i));
    names.push_back("error.txt");
    Recorder recorder({"g0.txt", "g499.txt"});

    EXPECT_EQ(recorder.run(names), 2);
    EXPECT_EQ(recorder.reads.size(), static_cast<std::size_t>(vesk::MaxGames));
    EXPECT_EQ(recorder.reads.back(), (std::pair<std::string, int>{"g499.txt", 1}));
}

TEST(GameList, AllAcceptedFillsEverySlot)
{
    std::vector<std::string> names;
    Recorder recorder;
    for (int i = 0; i <= vesk::MaxGames; ++i) {
        names.push_back(numberedName(i));
        recorder.accepted.insert(names.back());
    }

    EXPECT_EQ(recorder.run(names), vesk::MaxGames);
    EXPECT_EQ(recorder.acceptedSlots.back(), vesk::MaxGames - 1);
}

TEST(GameList, ErrorStopsTheWalkWithEarlierGamesReported)
{
    Recorder recorder({"a.txt", "c.txt"});

    EXPECT_THROW(recorder.run({"a.txt", "b.txt", "error.txt", "c.txt"}), vesk::Error);
    EXPECT_EQ(recorder.acceptedSlots, std::vector<int>{0});
    EXPECT_EQ(recorder.reads.back().first, "error.txt");
}
