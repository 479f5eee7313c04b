// A new game: what it resets, and the computer's fleet and search from the dice.
#include <set>

#include "tests/game/model_fixture.h"

namespace {

// Record sizes in order, straight unit-step decks matching the board, no two ships touching.
void ExpectLegalFleet()
{
    static const int sizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
    std::vector<std::pair<int, int>> before;   // the decks of the records before
    for (int r = 0; r < kFleetShips; ++r) {
        const ShipRecord& ship = Game.EnemyFleet[r];
        ASSERT_EQ((std::vector<int>{ship.size, ship.decksLeft}), (std::vector<int>{sizes[r], sizes[r]})) << "record " << r;
        const int dx = ship.size > 1 ? ship.deckX[1] - ship.deckX[0] : 1, dy = ship.size > 1 ? ship.deckY[1] - ship.deckY[0] : 0;
        ASSERT_EQ(std::abs(dx) + std::abs(dy), 1) << "record " << r << ": decks in a straight line of cells";
        for (int k = 0; k < ship.size; ++k) {
            const int x = ship.deckX[k], y = ship.deckY[k];
            ASSERT_EQ(std::make_pair(x, y), std::make_pair(ship.deckX[0] + k * dx, ship.deckY[0] + k * dy)) << "record " << r;
            ASSERT_TRUE(InField(x, y)) << "record " << r;
            ASSERT_EQ(Game.EnemyBoard[x][y], Deck) << "record " << r;
            for (auto [bx, by] : before)
                ASSERT_GT(std::max(std::abs(bx - x), std::abs(by - y)), 1) << "record " << r << " touches another at " << x << ", " << y;
        }
        for (int k = 0; k < ship.size; ++k)
            before.push_back({ship.deckX[k], ship.deckY[k]});
    }
    ASSERT_EQ(CountCells(Game.EnemyBoard, Deck), kFleetDecks) << "a deck outside the records";
}

TEST_F(ModelTest, NewGameResetsAllButTurnAndHunt)
{
    Game.HomeBoard[2][2] = HomeHit;
    Game.ComputerTurn = Game.HuntActive = true;
    Game.TargetStack.count = 2;
    Game.PlacedShipCount = 3;
    Game.LastShot[EnemySide] = Game.LastShot[HomeSide] = {4, 4};
    Game.GamePhase = GameOver;
    NewGame(Game);
    EXPECT_EQ(Recording, std::vector<Recorded>{{Recorded::Begun}});
    const GameState& g = Game;
    EXPECT_EQ((std::vector<int>{g.HomeBoard[2][2], g.EnemyDecksLeft, g.HomeDecksLeft, g.EnemyShipsLeft, g.HomeShipsLeft, g.PlacementSize,
                                g.PlacementLeft, g.PlacedShipCount, g.GamePhase, g.LastShot[0].x, g.LastShot[1].x, g.ComputerTurn, g.HuntActive, g.TargetStack.count}),
              (std::vector<int>{Water, 20, 20, 10, 10, 4, 1, 0, Placement, -1, -1, true, true, 2}));
}

std::time_t FleetSecond;

std::vector<int> Cells(const Board board)
{
    return std::vector<int>(&board[0][0], &board[0][0] + kBoardSize * kBoardSize);
}

// Properties, not the order of the draws: every second a legal fleet and a first search, the
// same twice within it, mostly others in the next; over the seconds a ship begins on every
// cell, and the ship of 4 lies down and across.
TEST_F(ModelTest, EverySecondLaysALegalFleetAndSearchesOfItsOwn)
{
    constexpr int kSeconds = 300;
    std::set<std::vector<int>> fleets;
    Board everStart = {};
    int across = 0;
    for (FleetSecond = 0; FleetSecond < kSeconds; ++FleetSecond) {
        ResetGame(Game);
        Game.Dice = {[] { return FleetSecond; }, std::rand};
        PlaceEnemyFleet(Game);
        ComputerShot(Game);
        ASSERT_NO_FATAL_FAILURE(ExpectLegalFleet()) << "second " << FleetSecond;
        const std::vector<int> fleet = Cells(Game.EnemyBoard), search = Cells(Game.HomeBoard);
        std::memset(Game.HomeBoard, Water, sizeof Game.HomeBoard);
        ComputerShot(Game);   // the search first this time, and the fleet over the one laid
        PlaceEnemyFleet(Game);
        EXPECT_EQ(std::make_pair(Cells(Game.EnemyBoard), Cells(Game.HomeBoard)), std::make_pair(fleet, search)) << "second " << FleetSecond;
        fleets.insert(fleet);
        across += Game.EnemyFleet[0].deckY[0] == Game.EnemyFleet[0].deckY[1];
        for (const ShipRecord& ship : Game.EnemyFleet)
            everStart[ship.deckX[0]][ship.deckY[0]] = Deck;
    }
    EXPECT_GT(fleets.size(), kSeconds * 0.95);
    EXPECT_EQ(CountCells(everStart, Deck), kFieldSize * kFieldSize);
    EXPECT_NEAR(across, kSeconds / 2, kSeconds / 4);
}

// Dice that give 5 until the fleet starts over on a cleared board: the ship of 4 goes from
// (5, 5), where every ship of 3 would begin too, a dead end. Past a bound the standard
// generator anyway, so that a fleet which never starts over fails rather than hangs.
int CorneredDraws = 0;
int CorneredDraw()
{
    if (CorneredDraws > 3 && (CorneredDraws > 1000000 || CountCells(Game.EnemyBoard, Deck) == 0))
        Game.Dice = {Game.Dice.calendarSeconds, std::rand};
    ++CorneredDraws;
    return 5;
}

TEST_F(ModelTest, ADeadEndStartsTheFleetOverOnAClearedBoard)
{
    Game.Dice = {Game.Dice.calendarSeconds, CorneredDraw};
    PlaceEnemyFleet(Game);
    EXPECT_EQ(Game.Dice.draw, &std::rand) << "the fleet never started over";
    ExpectLegalFleet();
}

}  // namespace
