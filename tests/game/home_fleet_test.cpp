// The plan that lays the rest of the player's fleet: only the ships still on offer, each one
// legal after those before it, the board untouched, and nothing where no room is left.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game/board.h"
#include "game/home_fleet.h"

namespace {

// Lays a ship if the no-touch rule takes it.
bool Lay(int column, int row, int kind, int size)
{
    PlaceStep step;
    if (CheckHomePlacement(column, row, kind, size, step) != 0)
        return false;
    for (int i = 0; i < size; ++i)
        HomeBoard[column + i * step.dx][row + i * step.dy] = Deck;
    return true;
}

TEST(HomeFleet, PlansOnlyTheShipsStillOnOfferAndEveryOneFits)
{
    static const int sizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};   // in the panel's order
    struct Case { int size, left; std::vector<std::vector<int>> placed; };   // column, row, kind: by the player before A
    const Case cases[] = {
        {4, 1, {}},
        {3, 1, {{0, 0, Horizontal}, {9, 0, Vertical}}},
        {2, 0, {{0, 0, Vertical}, {2, 0, Vertical}, {4, 0, Vertical}, {6, 0, Vertical}, {8, 0, Vertical}, {0, 5, Horizontal}}},
    };   // the last: the last ship of 2 is down, the tick not yet come
    for (const Case& c : cases)
        for (std::uint32_t seed = 0; seed < 200; ++seed) {
            ClearBoards();
            const int placed = static_cast<int>(c.placed.size());
            for (int i = 0; i < placed; ++i)
                ASSERT_TRUE(Lay(c.placed[i][0], c.placed[i][1], c.placed[i][2], sizes[i]));
            Board before;
            std::memcpy(before, HomeBoard, sizeof before);
            HomeShipPlace plan[kFleetShips];
            const int count = PlanHomeFleet(c.size, c.left, seed, plan);
            ASSERT_EQ(count, kFleetShips - placed) << "seed " << seed;
            EXPECT_EQ(std::memcmp(before, HomeBoard, sizeof before), 0) << "planning leaves the board as it was";
            for (int i = 0; i < count; ++i)
                ASSERT_TRUE(Lay(plan[i].column, plan[i].row, plan[i].kind, sizes[placed + i])) << "seed " << seed << ", ship " << i;
            EXPECT_EQ(CountCells(HomeBoard, Deck), kFleetDecks);
        }
    ClearBoards();
    for (int x = 0; x < kFieldSize; x += 2)   // every cell touches a deck
        for (int y = 0; y < kFieldSize; y += 2)
            HomeBoard[x][y] = Deck;
    HomeShipPlace plan[kFleetShips];
    EXPECT_EQ(PlanHomeFleet(1, 4, 1, plan), 0) << "no room left plans nothing";
}

}  // namespace
