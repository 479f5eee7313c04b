// Whole battles at each level: the player fires at random cells, each twice, the computer
// answers, and after every shot the boards, counters, turn and hunt must stay consistent.
#include <numeric>
#include <random>
#include <tuple>

#include "game/opponent.h"
#include "game/shots.h"
#include "tests/game/model_fixture.h"

namespace {

// Cells only move forward: the codes each code may turn into on its board.
bool MovesForward(int before, int after, bool home)
{
    const bool sunk = after == Sunk && Game.Rules.MarkDeadShips;
    switch (before) {
    case Water: return home ? (after == HomeMiss || after == RuledOut) : (after == EnemyMiss || (after == DeadZone && Game.Rules.MarkDeadZone));
    case Deck: return sunk || after == (home ? HomeHit : EnemyHit);
    case DeadZone: return !home && after == EnemyMiss;
    case EnemyHit: return !home && sunk;
    case HomeHit: return home && sunk;
    default: return false;
    }
}

// Ships with a deck still afloat on the board; a sunk one keeps no hit deck where the options
// mark sunk ships.
int ShipsAfloat(const std::vector<ShipRecord>& fleet, const Board board, int hit)
{
    int afloat = 0;
    for (const ShipRecord& ship : fleet) {
        int decks[Sunk + 1] = {};   // of each code
        for (int k = 0; k < ship.size; ++k)
            ++decks[board[ship.deckX[k]][ship.deckY[k]]];
        afloat += decks[Deck] > 0;
        if (decks[Deck] == 0 && Game.Rules.MarkDeadShips) {
            EXPECT_EQ(decks[hit], 0) << "a sunk ship of " << int(ship.size) << " at " << int(ship.deckX[0]) << ", " << int(ship.deckY[0]);
        }
    }
    return afloat;
}

class WholeBattle : public ModelTest, public ::testing::WithParamInterface<int> {};

TEST_P(WholeBattle, BoardsCountersTurnAndHuntStayConsistent)
{
    Game.Rules.SkillLevel = static_cast<uint8_t>(GetParam());
    static std::time_t second = 1700000000;   // every seeding a new second
    Game.Dice = {[] { return second++; }};
    std::mt19937 dice(GetParam() * 1000);
    for (int game = 0; game < 150; ++game) {
        Game.Rules.MarkDeadShips = game % 3 != 0;
        Game.Rules.MarkDeadZone = game % 2 == 0;
        NewGame(Game);
        const std::vector<ShipRecord> enemyFleet(std::begin(Game.EnemyFleet), std::end(Game.EnemyFleet)), homeFleet = LayHomeFleet(Game);
        Game.GamePhase = Battle;
        std::vector<int> cells(200);   // every cell twice: all shot, the battle is over
        std::iota(cells.begin(), cells.end(), 0);
        std::shuffle(cells.begin(), cells.end(), dice);

        for (int shot = 0; Game.GamePhase == Battle; ++shot) {
            ASSERT_LT(shot, 2000) << "the battle does not end";
            const GameState before = Game;
            Recording.clear();
            if (Game.OpponentTurn) {
                const bool fired = ComputerShot(Game);
                ASSERT_EQ(fired, std::memcmp(before.HomeBoard, Game.HomeBoard, sizeof Game.HomeBoard) != 0)
                    << "the computer fired at a shot cell, or said it fired when it did not";
                ASSERT_EQ(Game.OpponentTurn, CountCells(Game.HomeBoard, HomeMiss) == CountCells(before.HomeBoard, HomeMiss));
                SettleBattle(Game);   // as the timer's return does
            } else {
                const int x = cells.back() % 10, y = cells.back() / 10 % 10, was = Game.EnemyBoard[x][y];
                cells.pop_back();
                const bool fresh = was == Water || was == Deck || was == DeadZone;
                ASSERT_EQ(FireAtEnemyCell(Game, x, y), fresh);
                ASSERT_EQ(Game.EnemyBoard[x][y] != was, fresh) << "only an unshot cell takes a shot";
                ASSERT_EQ(Recording.empty(), !fresh) << "a shot told";
                ASSERT_EQ(Game.OpponentTurn, fresh && Game.EnemyBoard[x][y] == EnemyMiss) << "a hit keeps the turn, a miss passes it";
            }
            const int enemyDecks = CountCells(Game.EnemyBoard, Deck), homeDecks = CountCells(Game.HomeBoard, Deck);
            if (Game.GamePhase == GameOver) {   // at the shot that sank the last deck
                ASSERT_EQ(enemyDecks * homeDecks, 0) << "ended with both fleets afloat";
                ASSERT_EQ(Recording.back(), (Recorded{Recorded::Ended, enemyDecks == 0}));
                GameTimerFired(Game);
                ASSERT_FALSE(Game.TimerAsked) << "nothing is due after the end, not even on a late tick";
                break;
            }
            ASSERT_EQ(Game.TimerAsked, Game.OpponentTurn) << "the opponent's move waits on its timer, the player's on nothing";
            for (const Recorded& told : Recording)
                ASSERT_TRUE(told.kind != Recorded::Timer || told.a == 300) << "the computer's pause lasts " << told.a << " ms";
            for (int x = 0; x < kBoardSize; ++x)
                for (int y = 0; y < kBoardSize; ++y) {
                    const int enemy = Game.EnemyBoard[x][y], home = Game.HomeBoard[x][y];
                    ASSERT_TRUE(enemy == before.EnemyBoard[x][y] || MovesForward(before.EnemyBoard[x][y], enemy, false)) << x << ", " << y;
                    ASSERT_TRUE(home == before.HomeBoard[x][y] || MovesForward(before.HomeBoard[x][y], home, true)) << x << ", " << y;
                    ASSERT_TRUE(InField(x, y) || enemy + home == Water) << "the guard cells stay water";
                }
            ASSERT_EQ(std::make_tuple(Game.EnemyDecksLeft, Game.HomeDecksLeft, Game.EnemyShipsLeft, Game.HomeShipsLeft),
                      std::make_tuple(enemyDecks, homeDecks, ShipsAfloat(enemyFleet, Game.EnemyBoard, EnemyHit), ShipsAfloat(homeFleet, Game.HomeBoard, HomeHit)));
            for (const ShipRecord& ship : Game.EnemyFleet)   // a sunk ship's dead zone is whole
                for (int k = 0; k < ship.size && Game.Rules.MarkDeadZone && ship.decksLeft < 0; ++k)
                    for (int n = 0; n < 9; ++n) {
                        const int x = ship.deckX[k] + n % 3 - 1, y = ship.deckY[k] + n / 3 - 1;
                        ASSERT_TRUE(!InField(x, y) || Game.EnemyBoard[x][y] != Water) << x << ", " << y;
                    }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachSkillLevel, WholeBattle, ::testing::Values(1, 2, 3));

}  // namespace
