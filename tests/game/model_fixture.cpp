#include "tests/game/model_fixture.h"

#include <algorithm>
#include <cstdlib>

std::time_t TestClockSecond = 0;
bool TestClockTicks = false;

void ModelTest::SetUp()
{
    ResetGameState();
    Recording.clear();
    TestClockSecond = 1700000000;
    TestClockTicks = false;
    CalendarSeconds = [] { return TestClockTicks ? TestClockSecond++ : TestClockSecond; };
}

// Record sizes in order, straight unit-step decks matching the board, no two ships touching.
void ExpectLegalFleet()
{
    static const int sizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
    int owner[12][12];
    std::fill(&owner[0][0], &owner[0][0] + 144, -1);
    for (int r = 0; r < kFleetShips; ++r) {
        const ShipRecord& ship = EnemyFleet[r];
        ASSERT_TRUE(ship.size == sizes[r] && ship.decksLeft == sizes[r]) << "record " << r;
        for (int k = 0; k < ship.size; ++k) {
            const int x = ship.deckX[k], y = ship.deckY[k];
            ASSERT_TRUE(InField(x, y) && EnemyBoard[x][y] == Deck) << "record " << r;
            ASSERT_TRUE(k == 0 || std::abs(x - ship.deckX[k - 1]) + std::abs(y - ship.deckY[k - 1]) == 1);
            ASSERT_TRUE(k < 2 || (x - ship.deckX[k - 1] == ship.deckX[k - 1] - ship.deckX[k - 2] &&
                                  y - ship.deckY[k - 1] == ship.deckY[k - 1] - ship.deckY[k - 2]));
            for (int nx = x; nx <= x + 2; ++nx)
                for (int ny = y; ny <= y + 2; ++ny)
                    ASSERT_TRUE(owner[nx][ny] == -1 || owner[nx][ny] == r) << "ships touch at " << x << ", " << y;
            owner[x + 1][y + 1] = r;
        }
    }
    ASSERT_EQ(CountCells(EnemyBoard, Deck), kFleetDecks) << "a deck outside the records";
}
