// The player's fleet and the course of a game: the drop rule, the panel's count, the ships
// laid at random on the player's behalf and the battle the last drop begins.
#include <array>
#include <set>
#include <tuple>

#include "game/placement.h"
#include "tests/game/model_fixture.h"

namespace {

using Placing = ModelTest;

// The ship of 4 goes down the left column (0, 2)-(0, 5); then ships of 1 try the cells around:
// past the edges, one cell of water before its end, beside, corner, end, two columns away.
TEST_F(Placing, TheDropRuleTakesOnlyShipsInTheFieldThatTouchNoOther)
{
    NewGame(Game);
    for (auto [orientation, column, row, laid] : {std::tuple{Vertical, 0, 7, false}, {Horizontal, 7, 0, false}, {Vertical, -1, 0, false},
                                                  {Vertical, 0, 2, true}, {Vertical, 0, 0, true}, {Horizontal, 1, 5, false}, {Vertical, 1, 6, false},
                                                  {Vertical, 0, 6, false}, {Vertical, 2, 9, true}}) {
        EXPECT_EQ(CanPlaceOfferedShip(Game, orientation, column, row), laid) << column << ", " << row;
        EXPECT_EQ(PlaceOfferedShip(Game, orientation, column, row), laid) << column << ", " << row;
        if (Game.PlacedShipCount == 1) {   // as if the ships of 3 and 2 were down
            Game.PlacementSize = 1;
            Game.PlacementLeft = 4;
        }
    }
    EXPECT_EQ(CountCells(Game.HomeBoard, Deck), 6);
}

// The last ship leaves the board for the panel, which offers its size again, also once the
// panel has stepped past it; nothing is taken back before the first ship.
TEST_F(Placing, TheLastShipLaidIsTakenBackToThePanel)
{
    for (auto [ships, size, left, decks] : {std::array{1, 4, 1, 0}, {5, 2, 2, 12}, {6, 2, 1, 14}, {9, 1, 2, 18}}) {   // what is left
        NewGame(Game);
        EXPECT_FALSE(TakeBackLastShip(Game)) << "no ship yet";
        for (int ship = 0; ship < ships; ++ship)
            ASSERT_TRUE(PlaceOfferedShip(Game, Vertical, ship % 5 * 2, ship / 5 * 5));   // each in its own column and row band
        ASSERT_TRUE(TakeBackLastShip(Game)) << ships << " ships";
        EXPECT_EQ(Recording.back(), (Recorded{Recorded::Back, Vertical, size, (ships - 1) % 5 * 2, (ships - 1) / 5 * 5}));
        EXPECT_EQ((std::vector<int>{Game.PlacementSize, Game.PlacementLeft, Game.PlacedShipCount, CountCells(Game.HomeBoard, Deck)}),
                  (std::vector<int>{size, left, ships - 1, decks})) << ships << " ships";
    }
}

// The ships still on offer go down by the drop rule, after none, two or six ships the player
// laid; each seed its own fleet, both down and across, and the battle begins.
TEST_F(Placing, TheRestOfTheFleetGoesDownAtRandom)
{
    for (int placed : {0, 2, 6}) {
        std::set<std::vector<int>> fleets;
        std::set<int> orientations;
        for (std::uint32_t seed = 0; seed < 100; ++seed) {
            NewGame(Game);
            for (int ship = 0; ship < placed; ++ship)
                ASSERT_TRUE(PlaceOfferedShip(Game, Vertical, ship % 5 * 2, ship / 5 * 5));
            ASSERT_TRUE(PlaceRestOfFleet(Game, seed)) << placed << " placed, seed " << seed;
            ASSERT_EQ(std::make_pair(Game.PlacedShipCount, Game.GamePhase), std::make_pair(10, Battle)) << placed << " placed, seed " << seed;
            EXPECT_FALSE(PlaceRestOfFleet(Game, seed)) << "in battle";
            fleets.insert(std::vector<int>(&Game.HomeBoard[0][0], &Game.HomeBoard[0][0] + kBoardSize * kBoardSize));
            for (const PlacedShip& ship : Game.PlacedShips)
                orientations.insert(ship.orientation);
        }
        EXPECT_GT(fleets.size(), 95u) << placed << " placed";
        EXPECT_EQ(orientations.size(), 2u) << placed << " placed";
    }
    NewGame(Game);
    HomeShipPlace plan[kFleetShips];
    for (auto [size, left] : {std::pair{4, 2}, {3, 3}, {5, 1}, {1, -1}})
        EXPECT_EQ(PlanHomeFleet(Game, size, left, 1, plan), 0) << "more than the fleet holds: " << left << " of " << size;
    for (int x = 0; x < kFieldSize; x += 2)   // every cell touches a deck
        for (int y = 0; y < kFieldSize; y += 2)
            Game.HomeBoard[x][y] = Deck;
    EXPECT_FALSE(PlaceRestOfFleet(Game, 1)) << "no room left lays nothing";
}

}  // namespace
