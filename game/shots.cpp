#include "game/shots.h"

#include "game/board.h"
#include "game/game.h"
#include "game/opponent.h"
#include "game/options.h"
#include "game/view.h"

// A sunk ship's hit decks become Sunk.
static void MarkSunkDecks(BoardSide side, const ShipRecord& ship)
{
    Board& board = side == EnemySide ? Game.EnemyBoard : Game.HomeBoard;
    for (int k = 0; k < ship.size; ++k) {
        board[ship.deckX[k]][ship.deckY[k]] = Sunk;
        View().cellChanged(side, ship.deckX[k], ship.deckY[k]);
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
        MarkSunkDecks(EnemySide, ship);
    if (Options.MarkDeadZone)
        MarkDeadZoneAround(ship);
}

// After a Deck at (x, y) turned EnemyHit: whether that sank its ship.
static bool HitEnemyShip(int x, int y)
{
    const ShipRecord* ship = HitShip(Game.EnemyFleet, x, y);
    if (!ship)
        return false;
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
    const ShipRecord* ship = HitShip(Game.HomeFleet, x, y);
    if (!ship)
        return ShotHit;
    Game.HomeShipsLeft -= 1;
    if (Options.MarkDeadShips)
        MarkSunkDecks(HomeSide, *ship);
    return ShotSunk;
}
