// The player's fleet and the course of a game: the drop rule, the panel's count, the plan
// that lays the rest of the fleet, the order of a tick and the end of a game.
#include <cstring>
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
    };
    for (const Drop& d : drops) {
        EXPECT_EQ(CanPlaceOfferedShip(d.orientation, d.column, d.row), d.laid) << d.column << ", " << d.row;
        EXPECT_EQ(PlaceOfferedShip(d.orientation, d.column, d.row), d.laid) << d.column << ", " << d.row;
        if (Game.PlacementSize == 4 && Game.PlacementLeft == 0)
            Game.PlacementSize = 1, Game.PlacementLeft = 4;   // as if the ticks had offered ships of 1
    }
    EXPECT_TRUE(PlaceOfferedShip(Vertical, 2, 9)) << "a ship of 1 two columns away";
    EXPECT_EQ(CountCells(Game.HomeBoard, Deck), 5);
    EXPECT_EQ(Recording.back(), (Recorded{Recorded::Laid, Vertical, 1, 2, 9}));
}

// Each size waits for the tick after its last ship; the tick after the last ship of 1 begins
// the battle, and a tick that sinks a fleet ends the game before the panel moves.
TEST_F(Placing, TicksStepThePanelThroughTheSizesAndBeginTheBattle)
{
    NewGame();
    const int columns[] = {0, 2, 4, 6, 8, 0, 2, 4, 6, 8}, rows[] = {0, 0, 0, 0, 0, 5, 5, 5, 5, 5};
    for (int ship = 0; ship < kFleetShips; ++ship) {
        const int size = Game.PlacementSize;
        ASSERT_TRUE(PlaceOfferedShip(Vertical, columns[ship], rows[ship])) << "ship " << ship;
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
    Game.HomeDecksLeft = Game.EnemyDecksLeft = 0;
    Recording.clear();
    GameTick();
    EXPECT_EQ(Recording, (std::vector<Recorded>{{Recorded::Ended, true}})) << "victory first, and only one end";
    EXPECT_TRUE(Game.GamePhase == GameOver && Game.HomeDecksLeft == -1 && Game.EnemyDecksLeft == -1);
}

// The last ship leaves the board for the panel, which offers its size again, and goes down
// again by the same rule; nothing is taken back before the first ship or in battle.
TEST_F(Placing, TheLastShipLaidIsTakenBackToThePanel)
{
    const int columns[] = {0, 2, 4, 6, 8, 0, 2, 4, 6, 8}, rows[] = {0, 0, 0, 0, 0, 5, 5, 5, 5, 5};
    struct Case { int ships, ticks, size, left, decks; };   // ticks after the last ship; what is left
    const Case cases[] = {{1, 0, 4, 1, 0}, {3, 1, 3, 1, 7}, {5, 0, 2, 2, 12}, {10, 0, 1, 1, 19}};
    for (const Case& c : cases) {
        NewGame();
        EXPECT_FALSE(TakeBackLastShip()) << "no ship yet";
        for (int ship = 0; ship < c.ships; ++ship) {
            GameTick();
            ASSERT_TRUE(PlaceOfferedShip(Vertical, columns[ship], rows[ship]));
        }
        for (int tick = 0; tick < c.ticks; ++tick)
            GameTick();
        const PlacedShip last = Game.PlacedShips[c.ships - 1];
        ASSERT_TRUE(TakeBackLastShip()) << c.ships << " ships";
        EXPECT_EQ(Recording.back(), (Recorded{Recorded::Back, Vertical, last.size, last.column, last.row}));
        EXPECT_TRUE(Game.PlacementSize == c.size && Game.PlacementLeft == c.left &&
                    Game.PlacedShipCount == c.ships - 1 && CountCells(Game.HomeBoard, Deck) == c.decks)
            << c.ships << " ships: " << Game.PlacementSize << " x " << Game.PlacementLeft;
        EXPECT_FALSE(PlaceOfferedShip(Vertical, 9, 11 - c.size)) << "past the bottom edge";
        EXPECT_TRUE(PlaceOfferedShip(Vertical, last.column, last.row)) << c.ships << " ships";
    }
    GameTick();
    ASSERT_EQ(Game.GamePhase, Battle);
    EXPECT_FALSE(TakeBackLastShip());
    EXPECT_EQ(Game.PlacedShipCount, kFleetShips);
}

// The computer's last hit and the defeat come in the same tick.
TEST_F(Placing, TheComputersLastHitEndsTheGameInItsTick)
{
    Game.GamePhase = Battle;
    Game.HomeBoard[3][3] = Deck;
    Game.HomeDecksLeft = Game.HomeShipsLeft = 1;
    Game.EnemyDecksLeft = 20;
    Game.ComputerTurn = Game.HuntActive = true;
    Game.TargetStack = {{{3, 3}}, 1};
    GameTick();
    EXPECT_EQ(Recording.back(), (Recorded{Recorded::Ended, false}));
    EXPECT_EQ(Game.GamePhase, GameOver);
}

// Lays a ship if the no-touch rule takes it.
bool Lay(int column, int row, Orientation kind, int size)
{
    PlaceStep step;
    if (CheckHomePlacement(column, row, kind, size, step) != 0)
        return false;
    for (int i = 0; i < size; ++i)
        Game.HomeBoard[column + i * step.dx][row + i * step.dy] = Deck;
    return true;
}

TEST(HomeFleet, PlansOnlyTheShipsStillOnOfferAndEveryOneFits)
{
    static const int sizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};   // in the panel's order
    struct Case { int size, left; std::vector<HomeShipPlace> placed; };   // by the player before A
    const Case cases[] = {
        {4, 1, {}},
        {3, 1, {{0, 0, Horizontal}, {9, 0, Vertical}}},
        {2, 0, {{0, 0, Vertical}, {2, 0, Vertical}, {4, 0, Vertical}, {6, 0, Vertical}, {8, 0, Vertical}, {0, 5, Horizontal}}},
    };   // the last: the last ship of 2 is down, the tick not yet come
    for (const Case& c : cases)
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            ResetGame();
            const int placed = static_cast<int>(c.placed.size());
            for (int i = 0; i < placed; ++i)
                ASSERT_TRUE(Lay(c.placed[i].column, c.placed[i].row, c.placed[i].orientation, sizes[i]));
            Board before;
            std::memcpy(before, Game.HomeBoard, sizeof before);
            HomeShipPlace plan[kFleetShips];
            const int count = PlanHomeFleet(c.size, c.left, seed, plan);
            ASSERT_EQ(count, kFleetShips - placed) << "seed " << seed;
            EXPECT_EQ(std::memcmp(before, Game.HomeBoard, sizeof before), 0) << "planning leaves the board as it was";
            for (int i = 0; i < count; ++i)
                ASSERT_TRUE(Lay(plan[i].column, plan[i].row, plan[i].orientation, sizes[placed + i])) << "seed " << seed << ", ship " << i;
            EXPECT_EQ(CountCells(Game.HomeBoard, Deck), kFleetDecks);
        }
    ResetGame();
    for (int x = 0; x < kFieldSize; x += 2)   // every cell touches a deck
        for (int y = 0; y < kFieldSize; y += 2)
            Game.HomeBoard[x][y] = Deck;
    HomeShipPlace plan[kFleetShips];
    EXPECT_EQ(PlanHomeFleet(1, 4, 1, plan), 0) << "no room left plans nothing";
}

}  // namespace
