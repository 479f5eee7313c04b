#include "tests/game/model_fixture.h"

void ExpectLegalFleet()
{
    static const int sizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
    int owner[12][12];   // the ship of each cell, shifted by one so that neighbours need no bound check
    std::fill(&owner[0][0], &owner[0][0] + 144, -1);
    for (int r = 0; r < kFleetShips; ++r) {
        const ShipRecord& ship = Game.EnemyFleet[r];
        ASSERT_TRUE(ship.size == sizes[r] && ship.decksLeft == sizes[r]) << "record " << r;
        const int dx = ship.size > 1 ? ship.deckX[1] - ship.deckX[0] : 1, dy = ship.size > 1 ? ship.deckY[1] - ship.deckY[0] : 0;
        ASSERT_EQ(std::abs(dx) + std::abs(dy), 1) << "record " << r;
        for (int k = 0; k < ship.size; ++k) {
            const int x = ship.deckX[k], y = ship.deckY[k];
            ASSERT_TRUE(x == ship.deckX[0] + k * dx && y == ship.deckY[0] + k * dy && InField(x, y) && Game.EnemyBoard[x][y] == Deck)
                << "record " << r;
            for (int n = 0; n < 9; ++n)
                ASSERT_TRUE(owner[x + n % 3][y + n / 3] == -1 || owner[x + n % 3][y + n / 3] == r) << "ships touch at " << x << ", " << y;
            owner[x + 1][y + 1] = r;
        }
    }
    ASSERT_EQ(CountCells(Game.EnemyBoard, Deck), kFleetDecks) << "a deck outside the records";
}
