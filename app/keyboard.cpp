#include "app/keyboard.h"

#include <algorithm>
#include <cstdint>

#include "app/placement.h"
#include "base/program.h"
#include "game/board.h"
#include "game/game.h"
#include "game/placement.h"
#include "game/network.h"
#include "game/shots.h"
#include "media/scene.h"

KeyCursor Cursor;

// Not the calendar second: the computer's fleet is seeded from it, and A may come within
// it. The performance counter ticks many times a millisecond.
static std::uint32_t CounterSeed()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.LowPart;
}

static FleetSeedPort SeedPort = {CounterSeed};

void InstallFleetSeedPort(const FleetSeedPort& port)
{
    SeedPort = port;
}

void ResetKeyCursor()
{
    Cursor = KeyCursor{};
    SeedPort = {CounterSeed};
}

static void MoveKeyCursor(int dx, int dy)
{
    Cursor.column = std::clamp(Cursor.column + dx, 0, kFieldSize - 1);
    Cursor.row = std::clamp(Cursor.row + dy, 0, kFieldSize - 1);
}

static void TurnKeyDrop()
{
    Cursor.dropOrientation = Cursor.dropOrientation == Vertical ? Horizontal : Vertical;
}

void PlaceRestAtRandom()
{
    if (Game.GamePhase != Placement || Dragging.PlacementDrag)
        return;
    if (!PlaceRestOfFleet(Game, SeedPort.seed()))
        MessageBeep(MB_OK);   // the ships on the board leave the rest no room
    InvalidateMainWindow(true);
}

static bool IsCursorKey(WPARAM key, bool placing)
{
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
    case VK_SPACE: return true;
    case 'R': return placing;
    default: return false;
    }
}

// Keys act only in placement and battle, with no drag on and no dialog over the window
// (a dialog's own loop still hands on keys queued before it opened).
void OnGameKey(WPARAM key)
{
    if (key == VK_ESCAPE && (AwaitingHello(Game) || BetweenNetworkGames(Game)))   // no game to abandon: stop waiting
        return LeaveNetworkGame(Game);
    const bool placing = Game.GamePhase == Placement;
    if ((!placing && Game.GamePhase != Battle) || Dragging.PlacementDrag || !IsWindowEnabled(MainWindow))
        return;
    if (key == 'A')
        PlaceRestAtRandom();
    if (key == VK_BACK && placing)
        TakeBackShip();
    if (!IsCursorKey(key, placing))
        return;
    if (!Cursor.shown)   // the first key only shows where the cursor is
        Cursor.shown = true;
    else if (key == VK_LEFT)
        MoveKeyCursor(-1, 0);
    else if (key == VK_RIGHT)
        MoveKeyCursor(1, 0);
    else if (key == VK_UP)
        MoveKeyCursor(0, -1);
    else if (key == VK_DOWN)
        MoveKeyCursor(0, 1);
    else if (key == 'R')
        TurnKeyDrop();
    else if (placing)
        PlaceOfferedShip(Game, Cursor.dropOrientation, Cursor.column, Cursor.row);
    else
        FireAtEnemyCell(Game, Cursor.column, Cursor.row);
    InvalidateMainWindow(true);
}

void HideKeyCursor()
{
    if (!Cursor.shown)
        return;
    Cursor.shown = false;
    InvalidateMainWindow(true);
}

void NoteMouseMove(LPARAM position)
{
    if (position != Cursor.lastMousePosition)
        HideKeyCursor();
    Cursor.lastMousePosition = position;
}

// Red where Enter would change nothing: a drop the no-touch rule refuses, a cell fired at,
// any cell while the computer fires.
static bool KeyActionRefused(bool placing)
{
    return placing ? !CanPlaceOfferedShip(Game, Cursor.dropOrientation, Cursor.column, Cursor.row)
                   : !CanFireAtEnemyCell(Game, Cursor.column, Cursor.row);
}

// While placing, the outline of the ship on offer as Enter would drop it.
void DrawKeyCursor(HWND window)
{
    const bool placing = Game.GamePhase == Placement;
    if (!Cursor.shown || (!placing && Game.GamePhase != Battle))
        return;
    DrawCellOutline(window, placing ? kHomeBoardLeft : kEnemyBoardLeft, Cursor.column, Cursor.row,
                    placing ? std::max(Game.PlacementSize, 1) : 1, placing ? Cursor.dropOrientation : Vertical,
                    KeyActionRefused(placing));
}
