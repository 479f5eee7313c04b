// Whole battles at each level: the player fires at random unshot cells, the computer
// answers, and after every shot the boards, counters and the hunt must stay consistent.
#include <algorithm>
#include <random>
#include <utility>

#include "game/shots.h"
#include "tests/game/model_fixture.h"

namespace {

// Cells only move forward: the codes each code may turn into on its board.
bool MovesForward(int before, int after, bool home)
{
    if (before == after)
        return true;
    switch (before) {
    case Water: return home ? (after == HomeMiss || after == RuledOut) : (after == EnemyMiss || after == DeadZone);
    case Deck: return after == Sunk || after == (home ? HomeHit : EnemyHit);
    case DeadZone: return !home && after == EnemyMiss;
    case EnemyHit: return !home && after == Sunk;   // a HomeMiss never changes
    case HomeHit: return home && after == Sunk;
    default: return false;
    }
}

// Ships with a deck still afloat on the board.
int ShipsAfloat(const std::vector<ShipRecord>& fleet, const Board board)
{
    int afloat = 0;
    for (const ShipRecord& ship : fleet) {
        bool deck = false;
        for (int k = 0; k < ship.size; ++k)
            deck |= board[ship.deckX[k]][ship.deckY[k]] == Deck;
        afloat += deck;
    }
    return afloat;
}

class WholeBattle : public ModelTest, public ::testing::WithParamInterface<int> {};

TEST_P(WholeBattle, BoardsCountersAndHuntStayConsistent)
{
    SkillLevel = static_cast<uint8_t>(GetParam());
    TestClockTicks = true;
    std::mt19937 dice(GetParam() * 1000);
    for (int game = 0; game < 150; ++game) {
        MarkDeadShips = game % 3 != 0;
        MarkDeadZone = game % 2 == 0;
        NewGame();
        const std::vector<ShipRecord> enemyFleet(std::begin(EnemyFleet), std::end(EnemyFleet)), homeFleet = LayHomeFleet();
        GamePhase = Battle;
        std::vector<std::pair<int, int>> cells, computerHits;
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                cells.push_back({x, y});
        std::shuffle(cells.begin(), cells.end(), dice);

        for (int shot = 0; EnemyDecksLeft > 0 && HomeDecksLeft > 0; ++shot) {
            ASSERT_LT(shot, 2000) << "the battle does not end";
            Board enemyBefore, homeBefore;
            std::copy(&EnemyBoard[0][0], &EnemyBoard[0][0] + 121, &enemyBefore[0][0]);
            std::copy(&HomeBoard[0][0], &HomeBoard[0][0] + 121, &homeBefore[0][0]);
            const bool computerFires = ComputerTurn, fromStack = ComputerTurn && HuntActive && TargetStack.count > 0;
            if (computerFires) {
                ComputerShot();
            } else {
                ASSERT_FALSE(cells.empty());
                FireAtEnemy(EnemyPixelX(cells.back().first), EnemyPixelY(cells.back().second));
                cells.pop_back();
            }
            for (int x = 0; x < kBoardSize; ++x)
                for (int y = 0; y < kBoardSize; ++y) {
                    ASSERT_TRUE(MovesForward(enemyBefore[x][y], EnemyBoard[x][y], false)) << x << ", " << y;
                    ASSERT_TRUE(MovesForward(homeBefore[x][y], HomeBoard[x][y], true)) << x << ", " << y;
                    ASSERT_TRUE(InField(x, y) || (EnemyBoard[x][y] == Water && HomeBoard[x][y] == Water));
                }
            ASSERT_EQ(EnemyDecksLeft, CountCells(EnemyBoard, Deck));
            ASSERT_EQ(HomeDecksLeft, CountCells(HomeBoard, Deck));
            ASSERT_EQ(EnemyShipsLeft, ShipsAfloat(enemyFleet, EnemyBoard));
            ASSERT_EQ(HomeShipsLeft, ShipsAfloat(homeFleet, HomeBoard));
            for (int x = 0; x < 10 && computerFires; ++x)
                for (int y = 0; y < 10; ++y) {
                    if (homeBefore[x][y] == HomeBoard[x][y] || (HomeBoard[x][y] != HomeMiss && homeBefore[x][y] != Deck))
                        continue;
                    ASSERT_FALSE(fromStack && SkillLevel == 3 && homeBefore[x][y] != Deck) << "a level-3 hunt missed";
                    for (const auto& hit : computerHits)
                        ASSERT_FALSE(SkillLevel >= 2 && std::abs(hit.first - x) == 1 && std::abs(hit.second - y) == 1)
                            << "shot at (" << x << ", " << y << ") diagonal to a hit";
                    if (homeBefore[x][y] == Deck)
                        computerHits.push_back({x, y});
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachSkillLevel, WholeBattle, ::testing::Values(1, 2, 3));

}  // namespace
