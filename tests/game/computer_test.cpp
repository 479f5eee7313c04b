// The computer's shots beyond what whole battles show: the cells each level rules out and the
// strength of each level.
#include <array>
#include <tuple>

#include "tests/game/model_fixture.h"
#include "tests/game/play.h"

namespace {

TEST_F(ModelTest, LevelsRuleOutDiagonalsAndSides)
{
    // Level 7 comes from a hand-edited store and plays as level 2.
    for (auto [level, size, ruledOut] : {std::array{1, 2, 0}, {2, 2, 4}, {3, 2, 7}, {7, 2, 4}, {3, 1, 8}}) {
        SetUp();
        Game.Rules.SkillLevel = static_cast<uint8_t>(level);
        Game.HomeFleet[0] = MakeShip(5, 5, {0, 1}, size);   // a ship down from (5, 5)
        for (int k = 0; k < size; ++k)
            Game.HomeBoard[5][5 + k] = Deck;
        Game.HuntActive = true;
        Game.TargetStack = {{{5, 5}}, 1};
        ComputerShot(Game);
        EXPECT_EQ(CountCells(Game.HomeBoard, RuledOut), ruledOut) << "level " << level << " size " << size;
    }
}

// The mean over 300 games from one second. Blocks of 300 games from 40 other seconds kept
// within 89.2-91.3, 65.3-67.3 and 53.6-55.3 shots, with the rand of glibc and of msvcrt alike;
// a level that plays like its neighbour lands a dozen shots away.
TEST_F(ModelTest, EachLevelSinksAFleetInItsOwnBandOfShots)
{
    for (auto [level, low, high] : {std::tuple{1, 87.5, 93.0}, {2, 63.5, 69.0}, {3, 52.0, 57.0}}) {
        GameSecond = 1700000000;
        int fired = 0;
        for (int game = 0; game < 300; ++game)
            fired += ShotsToSinkAFleet(level);
        EXPECT_GE(fired / 300.0, low) << "level " << level;
        EXPECT_LE(fired / 300.0, high) << "level " << level;
    }
}

}  // namespace
