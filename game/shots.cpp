#include "game/shots.h"

#include "game/board.h"
#include "game/game.h"
#include "game/opponent.h"
#include "game/view.h"

// A sunk ship's hit decks become Sunk.
static void MarkSunkDecks(GameState& game, BoardSide side, const ShipRecord& ship)
{
    Board& board = side == EnemySide ? game.EnemyBoard : game.HomeBoard;
    for (int k = 0; k < ship.size; ++k) {
        board[ship.deckX[k]][ship.deckY[k]] = Sunk;
        game.View->cellChanged(side, ship.deckX[k], ship.deckY[k]);
    }
}

// The water around a sunk ship cannot hold another ship: mark it as a hint.
static void MarkDeadZoneAround(GameState& game, const ShipRecord& ship)
{
    for (int k = 0; k < ship.size; ++k)
        for (const PlaceStep& step : kNeighbourSteps) {
            const int nx = ship.deckX[k] + step.dx;
            const int ny = ship.deckY[k] + step.dy;
            if (InField(nx, ny) && game.EnemyBoard[nx][ny] == Water) {
                game.EnemyBoard[nx][ny] = DeadZone;
                game.View->cellChanged(EnemySide, nx, ny);
            }
        }
}

void MarkSunkEnemyShip(GameState& game, const ShipRecord& ship)
{
    if (game.Rules.MarkDeadShips)
        MarkSunkDecks(game, EnemySide, ship);
    if (game.Rules.MarkDeadZone)
        MarkDeadZoneAround(game, ship);
}

// After a Deck at (x, y) turned EnemyHit: whether that sank its ship.
static bool HitEnemyShip(GameState& game, int x, int y)
{
    const ShipRecord* ship = HitShip(game.EnemyFleet, x, y);
    if (!ship)
        return false;
    MarkSunkEnemyShip(game, *ship);
    game.EnemyShipsLeft -= 1;
    return true;
}

bool CanFireAtEnemyCell(const GameState& game, int x, int y)
{
    const int32_t cell = CellAt(game.EnemyBoard, x, y);
    return InField(x, y) && game.GamePhase == Battle && !game.OpponentTurn &&
           (cell == Water || cell == Deck || cell == DeadZone) && CurrentOpponent(game).mayFire(game);
}

bool FireAtEnemyCell(GameState& game, int x, int y)
{
    if (!CanFireAtEnemyCell(game, x, y))
        return false;
    CurrentOpponent(game).fire(game, x, y);
    SettleBattle(game);
    return true;
}

void MissEnemyCell(GameState& game, int x, int y)
{
    game.EnemyBoard[x][y] = EnemyMiss;
    game.OpponentTurn = true;
    SetLastShot(game, EnemySide, x, y);
    game.View->cellChanged(EnemySide, x, y);
    game.View->shotResolved(PlayerShooter, ShotMissed);
}

void HitEnemyCell(GameState& game, int x, int y)
{
    game.EnemyBoard[x][y] = EnemyHit;
    game.EnemyDecksLeft -= 1;
    SetLastShot(game, EnemySide, x, y);
    game.View->cellChanged(EnemySide, x, y);
}

void FireAtComputerFleet(GameState& game, int x, int y)
{
    if (game.EnemyBoard[x][y] == Deck) {
        HitEnemyCell(game, x, y);
        game.View->shotResolved(PlayerShooter, HitEnemyShip(game, x, y) ? ShotSunk : ShotHit);
    } else {
        MissEnemyCell(game, x, y);
    }
}

ShotResult LandOnHomeBoard(GameState& game, int x, int y)
{
    if (game.HomeBoard[x][y] != Deck) {
        game.HomeBoard[x][y] = HomeMiss;
        game.OpponentTurn = false;
        SetLastShot(game, HomeSide, x, y);
        game.View->cellChanged(HomeSide, x, y);
        return ShotMissed;
    }
    game.HomeBoard[x][y] = HomeHit;
    SetLastShot(game, HomeSide, x, y);
    game.View->cellChanged(HomeSide, x, y);
    game.HomeDecksLeft -= 1;
    const ShipRecord* ship = HitShip(game.HomeFleet, x, y);
    if (!ship)
        return ShotHit;
    game.HomeShipsLeft -= 1;
    if (game.Rules.MarkDeadShips)
        MarkSunkDecks(game, HomeSide, *ship);
    return ShotSunk;
}
