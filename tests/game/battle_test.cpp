// Whole battles at each level: the player fires at random cells, each twice, the computer
// answers, and after every shot the boards, counters, turn and hunt must stay consistent.
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
    const bool sunk = after == Sunk && Options.MarkDeadShips;
    switch (before) {
    case Water: return home ? (after == HomeMiss || after == RuledOut) : (after == EnemyMiss || (after == DeadZone && Options.MarkDeadZone));
    case Deck: return sunk || after == (home ? HomeHit : EnemyHit);
    case DeadZone: return !home && after == EnemyMiss;
    case EnemyHit: return !home && sunk;
    case HomeHit: return home && sunk;
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

TEST_P(WholeBattle, BoardsCountersTurnAndHuntStayConsistent)
{
    Options.SkillLevel = static_cast<uint8_t>(GetParam());
    static std::time_t second = 1700000000;   // every seeding a new second
    CalendarSeconds = [] { return second++; };
    std::mt19937 dice(GetParam() * 1000);
    for (int game = 0; game < 150; ++game) {
        Options.MarkDeadShips = game % 3 != 0;
        Options.MarkDeadZone = game % 2 == 0;
        NewGame();
        ASSERT_NO_FATAL_FAILURE(ExpectLegalFleet());
        const std::vector<ShipRecord> enemyFleet(std::begin(Game.EnemyFleet), std::end(Game.EnemyFleet)), homeFleet = LayHomeFleet();
        Game.GamePhase = Battle;
        std::vector<std::pair<int, int>> cells, computerHits;
        for (int i = 0; i < 200; ++i)
            cells.push_back({i % 10, i / 10 % 10});
        std::shuffle(cells.begin(), cells.end(), dice);   // all shot, the battle is over

        for (int shot = 0; Game.EnemyDecksLeft > 0 && Game.HomeDecksLeft > 0; ++shot) {
            ASSERT_LT(shot, 2000) << "the battle does not end";
            Board enemyBefore, homeBefore;
            std::memcpy(enemyBefore, Game.EnemyBoard, sizeof enemyBefore);
            std::memcpy(homeBefore, Game.HomeBoard, sizeof homeBefore);
            const bool computerFires = Game.ComputerTurn, fromStack = Game.ComputerTurn && Game.HuntActive && Game.TargetStack.count > 0;
            Recording.clear();
            if (computerFires) {
                const bool searchFailed = ComputerShot();
                ASSERT_TRUE(searchFailed || std::memcmp(homeBefore, Game.HomeBoard, sizeof homeBefore) != 0)
                    << "the computer fired at a shot cell";
                ASSERT_EQ(Game.ComputerTurn, CountCells(Game.HomeBoard, HomeMiss) > CountCells(homeBefore, HomeMiss) ? 0 : 1);
            } else {
                const int x = cells.back().first, y = cells.back().second, was = Game.EnemyBoard[x][y];
                cells.pop_back();
                const bool fresh = was == Water || was == Deck || was == DeadZone;
                ASSERT_EQ(FireAtEnemyCell(x, y), fresh);
                ASSERT_EQ(Game.EnemyBoard[x][y] != was, fresh) << "only an unshot cell takes a shot";
                const auto told = std::count_if(Recording.begin(), Recording.end(), [](const Recorded& r) { return r.kind == Recorded::Shot; });
                ASSERT_EQ(told, fresh ? 1 : 0) << "one shot told";
                ASSERT_EQ(Game.ComputerTurn, fresh && Game.EnemyBoard[x][y] == EnemyMiss ? 1 : 0) << "a hit keeps the turn, a miss passes it";
            }
            for (int x = 0; x < kBoardSize; ++x)
                for (int y = 0; y < kBoardSize; ++y) {
                    ASSERT_TRUE(MovesForward(enemyBefore[x][y], Game.EnemyBoard[x][y], false)) << x << ", " << y;
                    ASSERT_TRUE(MovesForward(homeBefore[x][y], Game.HomeBoard[x][y], true)) << x << ", " << y;
                    ASSERT_TRUE(InField(x, y) || (Game.EnemyBoard[x][y] == Water && Game.HomeBoard[x][y] == Water));
                }
            ASSERT_EQ(Game.EnemyDecksLeft, CountCells(Game.EnemyBoard, Deck));
            ASSERT_EQ(Game.HomeDecksLeft, CountCells(Game.HomeBoard, Deck));
            ASSERT_EQ(Game.EnemyShipsLeft, ShipsAfloat(enemyFleet, Game.EnemyBoard));
            ASSERT_EQ(Game.HomeShipsLeft, ShipsAfloat(homeFleet, Game.HomeBoard));
            for (const ShipRecord& ship : Game.EnemyFleet)   // a sunk ship's dead zone is whole
                for (int k = 0; k < ship.size && Options.MarkDeadZone && ship.decksLeft < 0; ++k)
                    for (int n = 0; n < 9; ++n)
                        ASSERT_TRUE(!InField(ship.deckX[k] + n % 3 - 1, ship.deckY[k] + n / 3 - 1) ||
                                    Game.EnemyBoard[ship.deckX[k] + n % 3 - 1][ship.deckY[k] + n / 3 - 1] != Water);
            for (int x = 0; x < 10 && computerFires; ++x)
                for (int y = 0; y < 10; ++y) {
                    if (homeBefore[x][y] == Game.HomeBoard[x][y] || (Game.HomeBoard[x][y] != HomeMiss && homeBefore[x][y] != Deck))
                        continue;
                    ASSERT_FALSE(fromStack && Options.SkillLevel == 3 && homeBefore[x][y] != Deck) << "a level-3 hunt missed";
                    for (const auto& hit : computerHits)
                        ASSERT_FALSE(Options.SkillLevel >= 2 && std::abs(hit.first - x) == 1 && std::abs(hit.second - y) == 1)
                            << "shot at (" << x << ", " << y << ") diagonal to a hit";
                    if (homeBefore[x][y] == Deck)
                        computerHits.push_back({x, y});
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachSkillLevel, WholeBattle, ::testing::Values(1, 2, 3));

// Cells on the field's edges and outside it, and moments that are not the player's.
TEST_F(ModelTest, OnlyCellsOfTheFieldOnThePlayersTurnInBattleAreFiredAt)
{
    NewGame();
    struct Shot { int x, y; bool fires; };
    for (Phase phase : {NoGame, Placement, GameOver, Battle})
        for (Shot p : {Shot{-1, 5, false}, Shot{10, 5, false}, Shot{5, -1, false}, Shot{5, 10, false},
                       Shot{0, 9, true}, Shot{9, 0, true}})
            for (bool turn : {true, false}) {
                Recording.clear();
                Game.GamePhase = phase;
                Game.ComputerTurn = turn;
                const bool fires = phase == Battle && p.fires && !turn;
                EXPECT_EQ(FireAtEnemyCell(phase == Battle ? p.x : 5, phase == Battle ? p.y : 5), fires);
                EXPECT_EQ(!Recording.empty(), fires) << p.x << ", " << p.y << " in phase " << phase;
            }
}

}  // namespace
