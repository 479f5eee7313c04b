#include "game/shots.h"

#include "game/board.h"
#include "game/game.h"
#include "game/options.h"
#include "game/view.h"

// The ship whose record the hit brought to no decks left, or nullptr.
static ShipRecord* ShipSunkBy(int x, int y)
{
    for (ShipRecord& ship : Game.EnemyFleet) {
        if (ship.decksLeft <= 0)
            continue;
        for (int k = 0; k < ship.size; ++k)
            if (ship.deckX[k] == x && ship.deckY[k] == y)
                ship.decksLeft -= 1;
        if (ship.decksLeft == 0)
            return &ship;
    }
    return nullptr;
}

static void MarkSunkDecks(const ShipRecord& ship)
{
    for (int k = 0; k < ship.size; ++k) {
        Game.EnemyBoard[ship.deckX[k]][ship.deckY[k]] = Sunk;
        View().cellChanged(EnemySide, ship.deckX[k], ship.deckY[k]);
    }
}

// The water around a sunk ship cannot hold another ship: mark it as a hint.
static void MarkDeadZoneAround(const ShipRecord& ship)
{
    static const int around[8][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1},
                                     {0, 1}, {0, -1}, {-1, 0}, {1, 0}};
    for (int k = 0; k < ship.size; ++k)
        for (const auto& offset : around) {
            const int nx = ship.deckX[k] + offset[0];
            const int ny = ship.deckY[k] + offset[1];
            if (InField(nx, ny) && Game.EnemyBoard[nx][ny] == Water) {
                Game.EnemyBoard[nx][ny] = DeadZone;
                View().cellChanged(EnemySide, nx, ny);
            }
        }
}

// After a Deck at (x, y) turned EnemyHit: whether that sank its ship.
static bool HitEnemyShip(int x, int y)
{
    ShipRecord* ship = ShipSunkBy(x, y);
    if (!ship)
        return false;
    ship->decksLeft = -1;
    if (Options.MarkDeadShips)
        MarkSunkDecks(*ship);
    if (Options.MarkDeadZone)
        MarkDeadZoneAround(*ship);
    Game.EnemyShipsLeft -= 1;
    return true;
}

bool CanFireAtEnemyCell(int x, int y)
{
    const int32_t cell = CellAt(Game.EnemyBoard, x, y);
    return InField(x, y) && Game.GamePhase == Battle && !Game.ComputerTurn &&
           (cell == Water || cell == Deck || cell == DeadZone);
}

bool FireAtEnemyCell(int x, int y)
{
    if (!CanFireAtEnemyCell(x, y))
        return false;
    int32_t& cell = Game.EnemyBoard[x][y];
    if (cell == Deck) {
        cell = EnemyHit;
        Game.EnemyDecksLeft -= 1;
        SetLastShot(EnemySide, x, y);
        View().cellChanged(EnemySide, x, y);
        View().shotResolved(PlayerShooter, HitEnemyShip(x, y) ? ShotSunk : ShotHit);
    } else {
        cell = EnemyMiss;
        Game.ComputerTurn = true;
        SetLastShot(EnemySide, x, y);
        View().cellChanged(EnemySide, x, y);
        View().shotResolved(PlayerShooter, ShotMissed);
    }
    return true;
}
