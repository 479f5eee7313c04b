#include "game/fleet.h"

#include "game/board.h"
#include "game/game.h"
#include "game/random.h"

// Draws for one ship before asking whether it fits anywhere at all, and before giving up:
// early ships can leave a later one no room, and then the whole fleet starts over.
constexpr int kDrawsBeforeRoomCheck = 100;
constexpr int kMaxDrawsPerShip = 10000;

static bool ShipFitsAnywhere(const GameState& game, int size)
{
    PlaceStep step;
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y)
            for (int direction = 0; direction < 4; ++direction)
                if (EnemyShipFits(game.EnemyBoard, x, y, direction, size, step))
                    return true;
    return false;
}

static void LayShip(GameState& game, ShipRecord& ship, int size, int x, int y, PlaceStep step)
{
    ship = MakeShip(x, y, step, size);
    for (int k = 0; k < size; ++k)
        game.EnemyBoard[ship.deckX[k]][ship.deckY[k]] = Deck;
}

// Draws start cells and directions until the ship fits; false when it has no room.
static bool PlaceShip(GameState& game, ShipRecord& ship, int size)
{
    for (int draws = 1;; ++draws) {
        const int x = RandomDraw(game) % kFieldSize;
        const int y = RandomDraw(game) % kFieldSize;
        const int direction = RandomDraw(game) % 4;
        PlaceStep step;
        if (EnemyShipFits(game.EnemyBoard, x, y, direction, size, step)) {
            LayShip(game, ship, size, x, y, step);
            return true;
        }
        if (draws == kDrawsBeforeRoomCheck && !ShipFitsAnywhere(game, size))
            return false;
        if (draws == kMaxDrawsPerShip)
            return false;
    }
}

// Record 0 the ship of 4 decks, 1-2 of 3, 3-5 of 2, 6-9 of 1.
static bool PlaceFleet(GameState& game)
{
    int record = 0;
    for (int size = kLargestShip; size >= 1; --size)
        for (int count = 0; count < ShipsOfSize(size); ++count)
            if (!PlaceShip(game, game.EnemyFleet[record++], size))
                return false;
    return true;
}

static void ClearEnemyBoard(GameState& game)
{
    for (auto& column : game.EnemyBoard)
        for (int32_t& cell : column)
            cell = Water;
}

void PlaceEnemyFleet(GameState& game)
{
    ClearEnemyBoard(game);
    SeedFromClock(game);
    // A dead end starts the fleet over with the draws that follow; seeding again
    // within the same second would only repeat it.
    while (!PlaceFleet(game))
        ClearEnemyBoard(game);
}
