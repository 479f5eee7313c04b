// Whole battles at each level: the player fires at random cells, each twice, the computer
// answers, and after every shot the boards, counters, turn and hunt must stay consistent.
#include <algorithm>
#include <random>
#include <utility>

#include "game/shots.h"
#include "game/view.h"
#include "tests/game/model_fixture.h"

namespace {

// Cells only move forward: the codes each code may turn into on its board.
bool MovesForward(int before, int after, bool home)
{
    if (before == after)
        return true;
    const bool sunk = after == Sunk && MarkDeadShips;
    switch (before) {
    case Water: return home ? (after == HomeMiss || after == RuledOut) : (after == EnemyMiss || (after == DeadZone && MarkDeadZone));
    case Deck: return sunk || after == (home ? HomeHit : EnemyHit);
    case DeadZone: return !home && after == EnemyMiss;
    case EnemyHit: return !home && sunk;   // a HomeMiss never changes
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
    SkillLevel = static_cast<uint8_t>(GetParam());
    static std::time_t second = 1700000000;   // every seeding a new second
    CalendarSeconds = [] { return second++; };
    std::mt19937 dice(GetParam() * 1000);
    for (int game = 0; game < 150; ++game) {
        MarkDeadShips = game % 3 != 0;
        MarkDeadZone = game % 2 == 0;
        NewGame();
        ASSERT_NO_FATAL_FAILURE(ExpectLegalFleet());
        const std::vector<ShipRecord> enemyFleet(std::begin(EnemyFleet), std::end(EnemyFleet)), homeFleet = LayHomeFleet();
        GamePhase = Battle;
        std::vector<std::pair<int, int>> cells, computerHits;
        for (int i = 0; i < 200; ++i)
            cells.push_back({i % 10, i / 10 % 10});
        std::shuffle(cells.begin(), cells.end(), dice);   // all shot, the battle is over

        for (int shot = 0; EnemyDecksLeft > 0 && HomeDecksLeft > 0; ++shot) {
            ASSERT_LT(shot, 2000) << "the battle does not end";
            Board enemyBefore, homeBefore;
            std::memcpy(enemyBefore, EnemyBoard, sizeof enemyBefore);
            std::memcpy(homeBefore, HomeBoard, sizeof homeBefore);
            const bool computerFires = ComputerTurn, fromStack = ComputerTurn && HuntActive && TargetStack.count > 0;
            Recording.clear();
            ShotSoundPending = 0;
            if (computerFires) {
                const bool searchFailed = ComputerShot() == 1;
                ASSERT_TRUE(searchFailed || std::memcmp(homeBefore, HomeBoard, sizeof homeBefore) != 0)
                    << "the computer fired at a shot cell";
                ASSERT_EQ(ComputerTurn, CountCells(HomeBoard, HomeMiss) > CountCells(homeBefore, HomeMiss) ? 0 : 1);
            } else {
                const int x = cells.back().first, y = cells.back().second, was = EnemyBoard[x][y];
                cells.pop_back();
                FireAtEnemy(40 + 20 * x, 40 + 20 * y);
                const bool fresh = was == Water || was == Deck || was == DeadZone;
                ASSERT_EQ(EnemyBoard[x][y] != was, fresh) << "only an unshot cell takes a shot";
                const auto messages = std::count_if(Recording.begin(), Recording.end(), [](const Recorded& r) { return r.kind == Recorded::Status; });
                ASSERT_EQ(messages + ShotSoundPending, fresh ? 2 : 0) << "message and sound";
                ASSERT_EQ(ComputerTurn, fresh && EnemyBoard[x][y] == EnemyMiss ? 1 : 0) << "a hit keeps the turn, a miss passes it";
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
            for (const ShipRecord& ship : EnemyFleet)   // a sunk ship's dead zone is whole
                for (int k = 0; k < ship.size && MarkDeadZone && ship.decksLeft < 0; ++k)
                    for (int n = 0; n < 9; ++n)
                        ASSERT_TRUE(!InField(ship.deckX[k] + n % 3 - 1, ship.deckY[k] + n / 3 - 1) ||
                                    EnemyBoard[ship.deckX[k] + n % 3 - 1][ship.deckY[k] + n / 3 - 1] != Water);
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

// Presses on the board's edges and outside it, and at moments that are not the player's.
TEST_F(ModelTest, OnlyPressesStrictlyInsideTheBoardOnThePlayersTurnFire)
{
    NewGame();
    struct Press { unsigned px, py; bool fires; };
    for (int phase : {NoGame, Placement, GameOver, Battle})
        for (Press p : {Press{30, 100, false}, Press{230, 100, false}, Press{100, 30, false}, Press{100, 230, false},
                        Press{31, 229, true}, Press{229, 31, true}, Press{65535, 65535, false}, Press{300, 100, false}})
            for (int32_t turn : {1, 0}) {
                Recording.clear();
                GamePhase = phase;
                ComputerTurn = turn;
                FireAtEnemy(phase == Battle ? p.px : 100, phase == Battle ? p.py : 100);
                EXPECT_EQ(!Recording.empty(), phase == Battle && p.fires && !turn) << p.px << ", " << p.py << " in phase " << phase;
            }
}

}  // namespace
