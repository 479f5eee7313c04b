// The records of each level as games end, the end box's line of a new fewest, and a stored
// value that is not whole or not sound, which reads as no records.
#include <algorithm>

#include "base/records.h"
#include "tests/win/shell_fixture.h"

namespace {

RecordDate Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return static_cast<RecordDate>(now.wYear) << 16 | now.wMonth << 8 | now.wDay;
}

class RecordsFlow : public ShellTest {
protected:
    void PlayGame(uint8_t level, bool won, int misses);
};

// Each miss lets the computer shoot until it misses too; its dice are the fixture's.
void RecordsFlow::PlayGame(uint8_t level, bool won, int misses)
{
    Options.SkillLevel = Game.Rules.SkillLevel = level;
    BeginBattle();
    for (int i = 0; i < misses; ++i) {
        Miss();
        for (const ULONGLONG end = GetTickCount64() + 20000; Game.OpponentTurn && GetTickCount64() < end;)
            Tick();
    }
    if (won)
        return SinkEnemyFleet();
    std::replace(&Game.HomeBoard[0][0], &Game.HomeBoard[0][0] + sizeof(Board) / sizeof(int32_t), int32_t(Deck), int32_t(HomeHit));
    Game.HomeBoard[9][4] = Deck;
    Game.HomeDecksLeft = Game.HomeShipsLeft = 1;
    Game.OpponentTurn = true;
    ComputerFiresAt(9, 4);
}

// Level 1, where a stored level of 0 plays, apart from level 3: 22 shots, 20 (a new fewest
// each), 23 (none), a loss.
TEST_F(RecordsFlow, WonAndLostGamesAtTwoLevelsKeepEachLevelsBestsRunsAndTheLastGames)
{
    struct Played { uint8_t level; bool won; int misses; const wchar_t* line; };
    const Played games[] = {{0, true, 1, L"New record: 21 shots at level 1"}, {3, true, 2, L"New record: 22 shots at level 3"},
                           {3, true, 0, L"New record: 20 shots at level 3"}, {3, true, 3, nullptr}, {3, false, 1, nullptr}};
    for (const Played& game : games) {
        answered.clear();
        PlayGame(game.level, game.won, game.misses);
        ASSERT_EQ(answered.size(), 1u);
        const bool said = answered[0].text.find(L"New record") != std::wstring::npos;
        EXPECT_EQ(said, game.line != nullptr) << Utf8(answered[0].text);
        if (game.line) {
            EXPECT_NE(answered[0].text.find(game.line), std::wstring::npos) << Utf8(answered[0].text);
        }
    }
    LoadRecords();
    const LevelRecord& third = Records.Levels[2];
    const RecordDate today = Today();
    EXPECT_EQ(std::vector<uint32_t>({third.Won, third.Lost, third.FewestShots, third.BestHits, third.BestShots, third.LongestRun, third.CurrentRun}),
              std::vector<uint32_t>({3, 1, 20, 20, 20, 3, 0}));
    EXPECT_EQ(std::vector<RecordDate>({third.FewestDate, third.AccuracyDate, third.RunDate}), std::vector<RecordDate>(3, today));
    EXPECT_EQ(std::vector<uint32_t>({Records.Levels[0].Won, Records.Levels[0].FewestShots, Records.Levels[1].Won, Records.Levels[1].Lost}),
              std::vector<uint32_t>({1, 21, 0, 0}));
    std::vector<int> recent;
    for (int i = 0; i < Records.RecentCount; ++i)
        recent.push_back(Records.Recent[i].Level * 1000 + Records.Recent[i].Won * 100 + Records.Recent[i].Shots);
    EXPECT_EQ(recent, std::vector<int>({1121, 3122, 3120, 3123, 3001}));
}

// The twentieth game onward pushes the oldest out.
TEST(RecordsChart, KeepsTheLastTwentyGames)
{
    GameRecords records;
    for (int i = 0; i < 25; ++i)
        AddGameToRecords(records, 2, i % 2 == 0, {30 + i, 20}, 0x7EA0C09);
    EXPECT_EQ(records.RecentCount, 20);
    EXPECT_EQ(std::make_pair(int(records.Recent[0].Shots), int(records.Recent[19].Shots)), std::make_pair(35, 54));
}

uint32_t FnvSum(const uint8_t* bytes, int size)
{
    uint32_t sum = 2166136261u;
    for (int i = 0; i < size; ++i)
        sum = (sum ^ bytes[i]) * 16777619u;
    return sum;
}

// A value with its sum made right again after a change: only the field's check refuses it.
struct Corruption { const char* name; int at; uint8_t value; bool resum; unsigned long size; };

class StoredRecords : public ::testing::TestWithParam<Corruption> {};

TEST_P(StoredRecords, ThatAreNotSoundReadAsNone)
{
    GameRecords records;
    AddGameToRecords(records, 2, true, {41, 20}, 0x7EA0C09);
    AddGameToRecords(records, 3, false, {30, 9}, 0x7EA0C09);
    uint8_t bytes[kRecordsSize + 1] = {};
    EncodeRecords(records, reinterpret_cast<uint8_t(&)[kRecordsSize]>(bytes));
    const Corruption& c = GetParam();
    bytes[c.at] = c.value;
    if (c.resum) {
        const uint32_t sum = FnvSum(bytes, kRecordsSize - 4);
        for (int i = 0; i < 4; ++i)
            bytes[kRecordsSize - 4 + i] = static_cast<uint8_t>(sum >> 8 * i);
    }
    StoreSetting("Records", REG_BINARY, std::vector<unsigned char>(bytes, bytes + (c.size ? c.size : kRecordsSize)));
    Records.Levels[0].Won = 7;
    LoadRecords();
    EXPECT_EQ(Records.Levels[1].Won + Records.Levels[2].Lost + Records.Levels[0].Won + uint32_t(Records.RecentCount), 0u);
    DeleteSettingsKey();
}

// Offsets: version 0, level 2's won 44, fewest 52, its date 56, best hits 60; level 3's longest
// run 112; the recent count 124, the second game's level 132 and won 133.
INSTANTIATE_TEST_SUITE_P(, StoredRecords,
                         ::testing::Values(Corruption{"Truncated", 0, 1, false, kRecordsSize - 1}, Corruption{"LongerByOne", 0, 1, false, kRecordsSize + 1},
                                           Corruption{"FlippedByte", 50, 0x80, false, 0}, Corruption{"OtherVersion", 0, 2, true, 0},
                                           Corruption{"FewerShotsThanDecks", 52, 19, true, 0}, Corruption{"MonthThirteen", 57, 13, true, 0},
                                           Corruption{"MoreHitsThanDecks", 60, 21, true, 0}, Corruption{"RunWithoutWins", 112, 1, true, 0},
                                           Corruption{"TwentyOneRecentGames", 124, 21, true, 0}, Corruption{"RecentLevelFour", 132, 4, true, 0},
                                           Corruption{"RecentWonTwo", 133, 2, true, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
