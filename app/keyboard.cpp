#include "app/keyboard.h"

#include <algorithm>
#include <cstdint>

#include "app/placement.h"
#include "game/view.h"
#include "app/window.h"
#include "game/board.h"
#include "game/fleet.h"
#include "game/home_fleet.h"
#include "game/phase.h"
#include "game/shots.h"
#include "gfx/scene.h"

bool KeyCursorShown = false;
int KeyCursorColumn = 0;
int KeyCursorRow = 0;
int KeyDropKind = Vertical;

static LPARAM LastMousePosition = -1;

static void MoveKeyCursor(int dx, int dy)
{
    KeyCursorColumn = std::clamp(KeyCursorColumn + dx, 0, kFieldSize - 1);
    KeyCursorRow = std::clamp(KeyCursorRow + dy, 0, kFieldSize - 1);
}

// A press at the cell's centre: the very shot a click there makes.
static void FireAtKeyCursor()
{
    FireAtEnemy(kEnemyBoardLeft + kCellSize * KeyCursorColumn + kCellSize / 2,
                kBoardTop + kCellSize * KeyCursorRow + kCellSize / 2);
}

static void TurnKeyDrop()
{
    KeyDropKind = KeyDropKind == Vertical ? Horizontal : Vertical;
}

// Not the calendar second: the computer's fleet is seeded from it, and A may come within
// it. The performance counter ticks many times a millisecond.
static std::uint32_t FleetSeed()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.LowPart;
}

// Each planned ship goes down through the drop rule, and the panel steps between the sizes
// as the ticks would; the tick after the last one starts the battle.
static void PlaceRestAtRandom()
{
    HomeShipPlace plan[kFleetShips];
    const int count = PlanHomeFleet(PlacementSize, PlacementLeft, FleetSeed(), plan);
    for (int i = 0; i < count; ++i) {
        OfferNextShipSize();
        PlaceOfferedShip(plan[i].kind, plan[i].column, plan[i].row);
    }
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
    const bool placing = GamePhase == Placement;
    if ((!placing && GamePhase != Battle) || PlacementDrag != NoDrag || !IsWindowEnabled(MainWindow))
        return;
    if (key == 'A' && placing)
        PlaceRestAtRandom();
    if (!IsCursorKey(key, placing))
        return;
    if (!KeyCursorShown)   // the first key only shows where the cursor is
        KeyCursorShown = true;
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
        PlaceOfferedShip(KeyDropKind, KeyCursorColumn, KeyCursorRow);
    else
        FireAtKeyCursor();
    InvalidateMainWindow(true);
}

void HideKeyCursor()
{
    if (!KeyCursorShown)
        return;
    KeyCursorShown = false;
    InvalidateMainWindow(true);
}

void NoteMouseMove(LPARAM position)
{
    if (position != LastMousePosition)
        HideKeyCursor();
    LastMousePosition = position;
}

// Red where Enter would change nothing: a drop the no-touch rule refuses, a cell fired at.
static bool KeyActionRefused(bool placing)
{
    PlaceStep step;
    if (placing)
        return CheckHomePlacement(KeyCursorColumn, KeyCursorRow, KeyDropKind, PlacementSize, step) != 0;
    const int32_t cell = EnemyBoard[KeyCursorColumn][KeyCursorRow];
    return cell != Water && cell != Deck && cell != DeadZone;
}

// While placing, the outline of the ship on offer as Enter would drop it, cut at the board's edge.
void DrawKeyCursor(HWND window)
{
    const bool placing = GamePhase == Placement;
    if (!KeyCursorShown || (!placing && GamePhase != Battle))
        return;
    const int boardLeft = placing ? kHomeBoardLeft : kEnemyBoardLeft;
    const int decks = placing ? std::max(PlacementSize, 1) : 1;
    const bool across = placing && KeyDropKind == Horizontal;
    const int left = boardLeft + kCellSize * KeyCursorColumn, top = kBoardTop + kCellSize * KeyCursorRow;
    RECT outline = {left, top, left + kCellSize * (across ? decks : 1), top + kCellSize * (across ? 1 : decks)};
    const RECT board = {boardLeft, kBoardTop, boardLeft + kBoardPixels, kBoardTop + kBoardPixels};
    IntersectRect(&outline, &outline, &board);
    HDC screen = GetDC(window);
    HBRUSH mark = CreateSolidBrush(KeyActionRefused(placing) ? RGB(230, 30, 30) : RGB(255, 215, 0));
    FrameRect(screen, &outline, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (int ring = 0; ring < 2; ++ring) {
        InflateRect(&outline, -1, -1);
        FrameRect(screen, &outline, mark);
    }
    DeleteObject(mark);
    ReleaseDC(window, screen);
}
