#include "game/shots.h"

#include "game/board.h"
#include "game/game.h"
#include "game/opponent.h"
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

void MarkSunkEnemyShip(const ShipRecord& ship)
{
    if (Options.MarkDeadShips)
        MarkSunkDecks(ship);
    if (Options.MarkDeadZone)
        MarkDeadZoneAround(ship);
}

// After a Deck at (x, y) turned EnemyHit: whether that sank its ship.
static bool HitEnemyShip(int x, int y)
{
    ShipRecord* ship = ShipSunkBy(x, y);
    if (!ship)
        return false;
    ship->decksLeft = -1;
    MarkSunkEnemyShip(*ship);
    Game.EnemyShipsLeft -= 1;
    return true;
}

bool CanFireAtEnemyCell(int x, int y)
{
    const int32_t cell = CellAt(Game.EnemyBoard, x, y);
    return InField(x, y) && Game.GamePhase == Battle && !Game.ComputerTurn &&
           (cell == Water || cell == Deck || cell == DeadZone) && CurrentOpponent().mayFire();
}

bool FireAtEnemyCell(int x, int y)
{
    if (!CanFireAtEnemyCell(x, y))
        return false;
    CurrentOpponent().fire(x, y);
    SettleBattle();
    return true;
}

void MissEnemyCell(int x, int y)
{
    Game.EnemyBoard[x][y] = EnemyMiss;
    Game.ComputerTurn = true;
    SetLastShot(EnemySide, x, y);
    View().cellChanged(EnemySide, x, y);
    View().shotResolved(PlayerShooter, ShotMissed);
}

void HitEnemyCell(int x, int y)
{
    Game.EnemyBoard[x][y] = EnemyHit;
    Game.EnemyDecksLeft -= 1;
    SetLastShot(EnemySide, x, y);
    View().cellChanged(EnemySide, x, y);
}

void FireAtComputerFleet(int x, int y)
{
    if (Game.EnemyBoard[x][y] == Deck) {
        HitEnemyCell(x, y);
        View().shotResolved(PlayerShooter, HitEnemyShip(x, y) ? ShotSunk : ShotHit);
    } else {
        MissEnemyCell(x, y);
    }
}

static bool EndsShipLine(int32_t cell)
{
    return cell == Water || cell == HomeMiss || cell == RuledOut;
}

// Four cells each way reach every deck of a ship; the no-touch rule keeps others away.
static bool IsHomeShipSunk(int x, int y)
{
    for (const auto& dir : kSideSteps)
        for (int offset = 0; offset < 4; ++offset) {
            const int cx = x + dir[0] * offset, cy = y + dir[1] * offset;
            if (!InField(cx, cy) || EndsShipLine(Game.HomeBoard[cx][cy]))
                break;
            if (Game.HomeBoard[cx][cy] == Deck)
                return false;
        }
    return true;
}

// Turns the hit decks of the sunk ship through (x, y) into Sunk.
static void MarkHomeShipSunk(int x, int y)
{
    Game.HomeBoard[x][y] = Sunk;
    View().cellChanged(HomeSide, x, y);
    for (const auto& dir : kSideSteps)
        for (int offset = 1; offset < 4; ++offset) {
            const int cx = x + dir[0] * offset, cy = y + dir[1] * offset;
            if (!InField(cx, cy) || EndsShipLine(Game.HomeBoard[cx][cy]))
                break;
            if (Game.HomeBoard[cx][cy] == HomeHit) {
                Game.HomeBoard[cx][cy] = Sunk;
                View().cellChanged(HomeSide, cx, cy);
            }
        }
}

ShotResult LandOnHomeBoard(int x, int y)
{
    if (Game.HomeBoard[x][y] != Deck) {
        Game.HomeBoard[x][y] = HomeMiss;
        Game.ComputerTurn = false;
        SetLastShot(HomeSide, x, y);
        View().cellChanged(HomeSide, x, y);
        return ShotMissed;
    }
    Game.HomeBoard[x][y] = HomeHit;
    SetLastShot(HomeSide, x, y);
    View().cellChanged(HomeSide, x, y);
    Game.HomeDecksLeft -= 1;
    if (!IsHomeShipSunk(x, y))
        return ShotHit;
    Game.HomeShipsLeft -= 1;
    if (Options.MarkDeadShips)
        MarkHomeShipSunk(x, y);
    return ShotSunk;
}
