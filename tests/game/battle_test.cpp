// Whole battles at each level: the player fires at random unshot cells, the computer
// answers, and after every shot the boards, counters and the hunt must stay consistent.
#include <random>
#include <set>
#include <utility>

#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/shots.h"
#include "tests/game/model_fixture.h"

namespace {

class WholeBattle : public ModelTest, public ::testing::WithParamInterface<int> {
protected:
    std::vector<ShipPlan> homeFleet;

    void StartBattle(unsigned seed)
    {
        NewGame();
        homeFleet = RandomHomeFleet(seed);
        GamePhase = Battle;
    }

    int HomeShipsAfloat() const
    {
        int afloat = 0;
        for (const ShipPlan& ship : homeFleet) {
            bool deckLeft = false;
            for (int k = 0; k < ship.size; ++k)
                deckLeft |= HomeBoard[ship.x + (ship.vertical ? 0 : k)][ship.y + (ship.vertical ? k : 0)] == Deck;
            afloat += deckLeft;
        }
        return afloat;
    }
};

// Cells only move forward: the codes each code may turn into on its board.
bool MovesForward(int before, int after, bool home)
{
    if (before == after)
        return true;
    switch (before) {
    case Water: return home ? (after == HomeMiss || after == RuledOut) : (after == EnemyMiss || after == DeadZone);
    case Deck: return home ? (after == HomeHit || after == Sunk) : (after == EnemyHit || after == Sunk);
    case RuledOut: return false;
    case DeadZone: return !home && after == EnemyMiss;
    case 3: return !home && after == Sunk;   // EnemyHit; a HomeMiss never changes
    case HomeHit: return home && after == Sunk;
    default: return false;
    }
}

int EnemyShipsAfloat()
{
    int afloat = 0;
    for (const ShipRecord& ship : EnemyFleet)
        afloat += ship.decksLeft > 0;
    return afloat;
}

TEST_P(WholeBattle, BoardsCountersAndHuntStayConsistent)
{
    SkillLevel = static_cast<uint8_t>(GetParam());
    TestClockTicks = true;
    std::mt19937 player(GetParam() * 1000);
    for (int game = 0; game < 150; ++game) {
        MarkDeadShips = game % 3 != 0;
        MarkDeadZone = game % 2 == 0;
        StartBattle(GetParam() * 7777 + game);
        std::vector<std::pair<int, int>> playerCells, computerHits;
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y)
                playerCells.push_back({x, y});
        std::shuffle(playerCells.begin(), playerCells.end(), player);

        for (int shot = 0; EnemyDecksLeft > 0 && HomeDecksLeft > 0; ++shot) {
            ASSERT_LT(shot, 2000) << "the battle does not end";
            Board enemyBefore, homeBefore;
            std::copy(&EnemyBoard[0][0], &EnemyBoard[0][0] + 121, &enemyBefore[0][0]);
            std::copy(&HomeBoard[0][0], &HomeBoard[0][0] + 121, &homeBefore[0][0]);
            const int enemyShipsBefore = EnemyShipsLeft, homeShipsBefore = HomeShipsLeft;
            const bool fromStack = ComputerTurn && HuntActive && TargetStack.count > 0;
            const bool computerFires = ComputerTurn;

            if (computerFires) {
                ComputerShot();
            } else {
                ASSERT_FALSE(playerCells.empty());
                const auto cell = playerCells.back();
                playerCells.pop_back();
                FireAtEnemy(EnemyPixelX(cell.first), EnemyPixelY(cell.second));
            }

            for (int x = 0; x < kBoardSize; ++x)
                for (int y = 0; y < kBoardSize; ++y) {
                    ASSERT_TRUE(MovesForward(enemyBefore[x][y], EnemyBoard[x][y], false))
                        << "enemy (" << x << ", " << y << ") " << enemyBefore[x][y] << " -> " << EnemyBoard[x][y];
                    ASSERT_TRUE(MovesForward(homeBefore[x][y], HomeBoard[x][y], true))
                        << "home (" << x << ", " << y << ") " << homeBefore[x][y] << " -> " << HomeBoard[x][y];
                    if (x == 10 || y == 10) {
                        ASSERT_TRUE(EnemyBoard[x][y] == Water && HomeBoard[x][y] == Water) << "guard cell";
                    }
                }
            ASSERT_EQ(EnemyDecksLeft, CountCells(EnemyBoard, Deck));
            ASSERT_EQ(HomeDecksLeft, CountCells(HomeBoard, Deck));
            ASSERT_EQ(EnemyShipsLeft, EnemyShipsAfloat());
            ASSERT_EQ(HomeShipsLeft, HomeShipsAfloat());
            ASSERT_GE(EnemyShipsLeft, enemyShipsBefore - 1);
            ASSERT_GE(HomeShipsLeft, homeShipsBefore - 1);

            if (!computerFires)
                continue;
            for (int x = 0; x < 10; ++x)
                for (int y = 0; y < 10; ++y) {
                    const bool shotHere = homeBefore[x][y] != HomeBoard[x][y] &&
                                          (HomeBoard[x][y] == HomeMiss || homeBefore[x][y] == Deck);
                    if (!shotHere)
                        continue;
                    if (fromStack && SkillLevel == 3) {
                        ASSERT_EQ(homeBefore[x][y], Deck) << "a level-3 hunt shot missed at (" << x << ", " << y << ")";
                    }
                    for (const auto& hit : computerHits) {
                        ASSERT_FALSE(SkillLevel >= 2 && std::abs(hit.first - x) == 1 && std::abs(hit.second - y) == 1)
                            << "shot at (" << x << ", " << y << ") diagonal to a hit";
                    }
                    if (homeBefore[x][y] == Deck)
                        computerHits.push_back({x, y});
                }
        }
        ASSERT_TRUE(EnemyShipsLeft == 0 || HomeShipsLeft == 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EachSkillLevel, WholeBattle, ::testing::Values(1, 2, 3));

}  // namespace
