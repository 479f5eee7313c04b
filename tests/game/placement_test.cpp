// The player's fleet and the course of a game: the drop rule, the panel's count, the ships
// laid at random on the player's behalf, the order of a tick and the end of a game.
#include <set>
#include <vector>

#include "game/placement.h"
#include "tests/game/model_fixture.h"

namespace {

using Placing = ModelTest;

// The ship of 4 goes down the left column (0, 2)-(0, 5); then ships of 1 try the cells around.
TEST_F(Placing, TheDropRuleTakesOnlyShipsInTheFieldThatTouchNoOther)
{
    NewGame();
    struct Drop { Orientation orientation; int column, row; bool laid; };
    const Drop drops[] = {
        {Vertical, 0, 7, false}, {Horizontal, 7, 0, false}, {Vertical, -1, 0, false},   // past the edges
        {Vertical, 0, 2, true},                                                          // rows 2-5 of 4
        {Horizontal, 1, 5, false}, {Vertical, 1, 6, false}, {Vertical, 0, 6, false},     // beside, corner, end
        {Vertical, 2, 9, true},                                                          // two columns away
    };
    for (const Drop& d : drops) {
        EXPECT_EQ(CanPlaceOfferedShip(d.orientation, d.column, d.row), d.laid) << d.column << ", " << d.row;
        EXPECT_EQ(PlaceOfferedShip(d.orientation, d.column, d.row), d.laid) << d.column << ", " << d.row;
        if (Game.PlacementSize == 4 && Game.PlacementLeft == 0)
            Game.PlacementSize = 1, Game.PlacementLeft = 4;   // as if the ticks had offered ships of 1
    }
    EXPECT_EQ(CountCells(Game.HomeBoard, Deck), 5);
    EXPECT_EQ(Recording.back(), (Recorded{Recorded::Laid, Vertical, 1, 2, 9}));
}

// Ten ships laid down, each in its own column and row band, in the panel's order.
const int kColumns[kFleetShips] = {0, 2, 4, 6, 8, 0, 2, 4, 6, 8}, kRows[kFleetShips] = {0, 0, 0, 0, 0, 5, 5, 5, 5, 5};

// Each size waits for the tick after its last ship; the tick after the last ship of 1 begins
// the battle, where no ship is taken back, and a tick that sinks a fleet ends the game.
TEST_F(Placing, TicksStepThePanelThroughTheSizesAndBeginTheBattle)
{
    Game.ComputerTurn = true;   // left from the last game: it waits for the battle
    NewGame();
    for (int ship = 0; ship < kFleetShips; ++ship) {
        const int size = Game.PlacementSize;
        ASSERT_TRUE(PlaceOfferedShip(Vertical, kColumns[ship], kRows[ship])) << "ship " << ship;
        const bool waits = Game.PlacementLeft == 0;   // for the tick, though it would fit down the last column
        EXPECT_FALSE(waits && PlaceOfferedShip(Vertical, 9, 10 - size)) << "ship " << ship;
        Recording.clear();
        GameTick();
        const bool last = ship == kFleetShips - 1, step = Game.PlacementSize != size;
        EXPECT_EQ(step, ship == 0 || ship == 2 || ship == 5 || last) << "ship " << ship;
        EXPECT_EQ(Recording.size(), step + last) << "ship " << ship;
    }
    EXPECT_EQ(Recording, (std::vector<Recorded>{{Recorded::Offered, 0}, {Recorded::Battle}}));
    EXPECT_EQ(Game.GamePhase, Battle);
    EXPECT_FALSE(TakeBackLastShip()) << "in battle";
    Game.ComputerTurn = false;
    Game.HomeDecksLeft = Game.EnemyDecksLeft = 0;
    Recording.clear();
    GameTick();
    EXPECT_EQ(Recording, (std::vector<Recorded>{{Recorded::Ended, true}})) << "victory first, and only one end";
    EXPECT_EQ((std::vector<int>{Game.GamePhase, Game.HomeDecksLeft, Game.EnemyDecksLeft}), (std::vector<int>{GameOver, -1, -1}));
}

// The last ship leaves the board for the panel, which offers its size again, also once the
// panel has stepped past it; nothing is taken back before the first ship.
TEST_F(Placing, TheLastShipLaidIsTakenBackToThePanel)
{
    struct Case { int ships, ticks, size, left, decks; };   // ticks after the last ship; what is left
    for (const Case& c : {Case{1, 0, 4, 1, 0}, Case{5, 0, 2, 2, 12}, Case{6, 1, 2, 1, 14}, Case{10, 0, 1, 1, 19}}) {
        NewGame();
        EXPECT_FALSE(TakeBackLastShip()) << "no ship yet";
        for (int ship = 0; ship < c.ships; ++ship) {
            GameTick();
            ASSERT_TRUE(PlaceOfferedShip(Vertical, kColumns[ship], kRows[ship]));
        }
        for (int tick = 0; tick < c.ticks; ++tick)
            GameTick();
        const PlacedShip last = Game.PlacedShips[c.ships - 1];
        ASSERT_TRUE(TakeBackLastShip()) << c.ships << " ships";
        EXPECT_EQ(Recording.back(), (Recorded{Recorded::Back, Vertical, last.size, last.column, last.row}));
        EXPECT_EQ((std::vector<int>{Game.PlacementSize, Game.PlacementLeft, Game.PlacedShipCount, CountCells(Game.HomeBoard, Deck)}),
                  (std::vector<int>{c.size, c.left, c.ships - 1, c.decks})) << c.ships << " ships";
    }
}

// The ships still on offer go down by the drop rule, after none, two or the last ship of a
// size the player laid (its tick not yet come); each seed its own fleet, both down and across.
TEST_F(Placing, TheRestOfTheFleetGoesDownAtRandom)
{
    for (int placed : {0, 2, 6}) {
        std::set<std::vector<int>> fleets;
        std::set<int> orientations;
        for (std::uint32_t seed = 0; seed < 100; ++seed) {
            NewGame();
            for (int ship = 0; ship < placed; ++ship) {
                GameTick();
                ASSERT_TRUE(PlaceOfferedShip(Vertical, kColumns[ship], kRows[ship]));
            }
            ASSERT_TRUE(PlaceRestOfFleet(seed)) << placed << " placed, seed " << seed;
            ASSERT_EQ(Game.PlacedShipCount, kFleetShips) << placed << " placed, seed " << seed;
            fleets.insert(std::vector<int>(&Game.HomeBoard[0][0], &Game.HomeBoard[0][0] + kBoardSize * kBoardSize));
            for (const PlacedShip& ship : Game.PlacedShips)
                orientations.insert(ship.orientation);
        }
        EXPECT_GT(fleets.size(), 95u) << placed << " placed";
        EXPECT_EQ(orientations.size(), 2u) << placed << " placed";
    }
    NewGame();
    HomeShipPlace plan[kFleetShips];
    for (auto [size, left] : {std::pair{4, 2}, {3, 3}, {5, 1}, {1, -1}})
        EXPECT_EQ(PlanHomeFleet(size, left, 1, plan), 0) << "more than the fleet holds: " << left << " of " << size;
    for (int x = 0; x < kFieldSize; x += 2)   // every cell touches a deck
        for (int y = 0; y < kFieldSize; y += 2)
            Game.HomeBoard[x][y] = Deck;
    EXPECT_FALSE(PlaceRestOfFleet(1)) << "no room left lays nothing";
}

}  // namespace
