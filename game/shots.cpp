#include "game/shots.h"

#include "game/board.h"
#include "game/options.h"
#include "game/phase.h"
#include "game/view.h"

static bool IsShotAtEnemyBoard(unsigned px, unsigned py)
{
    const unsigned left = kEnemyBoardLeft, right = kEnemyBoardLeft + kBoardPixels;
    const unsigned top = kBoardTop, bottom = kBoardTop + kBoardPixels;
    return px > left && px < right && py > top && py < bottom;
}

void FireAtEnemy(unsigned px, unsigned py)
{
    if (!IsShotAtEnemyBoard(px, py) || GamePhase != Battle || ComputerTurn != 0)
        return;
    const int x = static_cast<int>(px - kEnemyBoardLeft) / kCellSize;
    const int y = static_cast<int>(py - kBoardTop) / kCellSize;

    if (EnemyBoard[x][y] == Deck) {
        DrawCellPicture(HitPicture, EnemySide, x, y);
        EnemyBoard[x][y] = EnemyHit;
        EnemyDecksLeft -= 1;
        ShowStatusMessage(HitEnemyShip(x, y) ? SunkMessage : HitMessage);
        DrawCounters();
        ShotSoundPending = 1;
    }
    if (EnemyBoard[x][y] == Water || EnemyBoard[x][y] == DeadZone) {
        DrawCellPicture(MissPicture, EnemySide, x, y);
        EnemyBoard[x][y] = EnemyMiss;
        ComputerTurn = 1;
        ShowStatusMessage(MissMessage);
        ShotSoundPending = 1;
    }
    InvalidateMainWindow(true);
}

// The ship whose record the hit brought to no decks left, or nullptr.
static ShipRecord* ShipSunkBy(int x, int y)
{
    for (ShipRecord& ship : EnemyFleet) {
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
        DrawCellPicture(SunkPicture, EnemySide, ship.deckX[k], ship.deckY[k]);
        EnemyBoard[ship.deckX[k]][ship.deckY[k]] = Sunk;
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
            if (InField(nx, ny) && EnemyBoard[nx][ny] == Water) {
                DrawCellPicture(DeadZonePicture, EnemySide, nx, ny);
                EnemyBoard[nx][ny] = DeadZone;
            }
        }
}

int HitEnemyShip(int x, int y)
{
    ShipRecord* ship = ShipSunkBy(x, y);
    if (!ship)
        return 0;
    ship->decksLeft = -1;
    if (MarkDeadShips)
        MarkSunkDecks(*ship);
    if (MarkDeadZone)
        MarkDeadZoneAround(*ship);
    EnemyShipsLeft -= 1;
    return 1;
}
