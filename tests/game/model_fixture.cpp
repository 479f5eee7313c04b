#include "tests/game/model_fixture.h"

#include <random>

#include "game/computer.h"
#include "game/fleet.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/random.h"

std::time_t TestClockSecond = 0;
bool TestClockTicks = false;

static std::time_t TestClock()
{
    return TestClockTicks ? TestClockSecond++ : TestClockSecond;
}

void ModelTest::SetUp()
{
    ClearBoards();
    for (ShipRecord& ship : EnemyFleet)
        ship = ShipRecord{};
    EnemyDecksLeft = HomeDecksLeft = -1;
    EnemyShipsLeft = HomeShipsLeft = 0;
    GamePhase = NoGame;
    ComputerTurn = 0;
    ShotSoundPending = 0;
    PlacementSize = -4;
    PlacementLeft = -1;
    TargetStack = TargetList{};
    HuntActive = 0;
    SkillLevel = 2;
    MarkDeadShips = true;
    MarkDeadZone = false;
    Recording.clear();
    TestClockSecond = 1700000000;
    TestClockTicks = false;
    CalendarSeconds = TestClock;
}

void LayHomeShip(const ShipPlan& ship)
{
    for (int k = 0; k < ship.size; ++k)
        HomeBoard[ship.x + (ship.vertical ? 0 : k)][ship.y + (ship.vertical ? k : 0)] = Deck;
}

void LayEnemyShip(int record, const ShipPlan& ship)
{
    ShipRecord& r = EnemyFleet[record];
    r.size = static_cast<int8_t>(ship.size);
    r.decksLeft = static_cast<int8_t>(ship.size);
    for (int k = 0; k < ship.size; ++k) {
        r.deckX[k] = static_cast<int8_t>(ship.x + (ship.vertical ? 0 : k));
        r.deckY[k] = static_cast<int8_t>(ship.y + (ship.vertical ? k : 0));
        EnemyBoard[r.deckX[k]][r.deckY[k]] = Deck;
    }
}

std::vector<ShipPlan> RandomHomeFleet(unsigned seed)
{
    static const int sizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
    std::mt19937 dice(seed);
    for (;;) {
        for (auto& column : HomeBoard)
            for (int32_t& cell : column)
                cell = Water;
        std::vector<ShipPlan> fleet;
        for (int size : sizes) {
            for (int attempt = 0; attempt < 1000; ++attempt) {
                ShipPlan ship{int(dice() % 10), int(dice() % 10), size, dice() % 2 == 0};
                PlaceStep step;
                if (CheckHomePlacement(ship.x, ship.y, ship.vertical ? Vertical : Horizontal, size, step) == 0) {
                    LayHomeShip(ship);
                    fleet.push_back(ship);
                    break;
                }
            }
        }
        if (fleet.size() == kFleetShips)
            return fleet;
    }
}

unsigned EnemyPixelX(int x)
{
    return 30 + 20 * x + 10;
}

unsigned EnemyPixelY(int y)
{
    return 30 + 20 * y + 10;
}
