#include "tests/game/model_fixture.h"

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

void LayHomeShip(const ShipPlan& ship)
{
    for (int k = 0; k < ship.size; ++k)
        HomeBoard[ship.x + (ship.vertical ? 0 : k)][ship.y + (ship.vertical ? k : 0)] = Deck;
}

void LayEnemyShip(int record, const ShipPlan& ship)
{
    ShipRecord& r = EnemyFleet[record];
    r.size = r.decksLeft = static_cast<int8_t>(ship.size);
    for (int k = 0; k < ship.size; ++k) {
        r.deckX[k] = static_cast<int8_t>(ship.x + (ship.vertical ? 0 : k));
        r.deckY[k] = static_cast<int8_t>(ship.y + (ship.vertical ? k : 0));
        EnemyBoard[r.deckX[k]][r.deckY[k]] = Deck;
    }
}
