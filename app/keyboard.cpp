#include "app/keyboard.h"

#include <algorithm>
#include <cstdint>

#include "app/placement.h"
#include "app/window.h"
#include "base/program.h"
#include "base/settings.h"
#include "game/board.h"
#include "game/game.h"
#include "game/placement.h"
#include "game/shots.h"
#include "media/scene.h"

struct KeyCursor {
    // Shown from the first cursor key to the next mouse action; the cell is kept while
    // hidden, so the cursor comes back where it was.
    bool shown = false;
    int column = 0;
    int row = 0;
    Orientation dropOrientation = Vertical;   // which way a ship dropped by key runs
    LPARAM lastMousePosition = -1;
};

static KeyCursor Cursor;

// Not the calendar second: the computer's fleet is seeded from it, and A may come within
// it. The performance counter ticks many times a millisecond.
static std::uint32_t FleetSeed()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.LowPart;
}

std::uint32_t (*RandomFleetSeed)() = FleetSeed;

void ResetKeyCursor()
{
    Cursor = KeyCursor{};
    RandomFleetSeed = FleetSeed;
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

static void PlaceRestAtRandom()
{
    if (!PlaceRestOfFleet(RandomFleetSeed()))
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
    const bool placing = Game.GamePhase == Placement;
    if ((!placing && Game.GamePhase != Battle) || Dragging.PlacementDrag || !IsWindowEnabled(MainWindow))
        return;
    if (key == 'A' && placing)
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
        PlaceOfferedShip(Cursor.dropOrientation, Cursor.column, Cursor.row);
    else
        FireAtEnemyCell(Cursor.column, Cursor.row);
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
    return placing ? !CanPlaceOfferedShip(Cursor.dropOrientation, Cursor.column, Cursor.row)
                   : !CanFireAtEnemyCell(Cursor.column, Cursor.row);
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

void DrawCellOutline(HWND window, int boardLeft, int column, int row, int decks, Orientation orientation,
                     bool refused)
{
    const bool across = orientation == Horizontal;
    const int left = boardLeft + kCellSize * column, top = kBoardTop + kCellSize * row;
    RECT outline = {left, top, left + kCellSize * (across ? decks : 1), top + kCellSize * (across ? 1 : decks)};
    const RECT board = {boardLeft, kBoardTop, boardLeft + kBoardPixels, kBoardTop + kBoardPixels};
    if (!IntersectRect(&outline, &outline, &board))
        return;
    const int scale = Settings.Scale;
    RECT ring = {outline.left * scale, outline.top * scale, outline.right * scale, outline.bottom * scale};
    HDC screen = GetDC(window);
    HBRUSH mark = CreateSolidBrush(refused ? RGB(230, 30, 30) : RGB(255, 215, 0));
    // One black scene pixel, then two of the mark, inwards.
    for (int line = 0; line < 3 * scale; ++line, InflateRect(&ring, -1, -1))
        FrameRect(screen, &ring, line < scale ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : mark);
    DeleteObject(mark);
    ReleaseDC(window, screen);
}
