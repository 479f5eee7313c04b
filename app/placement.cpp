#include "app/placement.h"

#include <windows.h>
#include <commctrl.h>

#include "app/keyboard.h"
#include "app/startup.h"
#include "app/window.h"
#include "base/program.h"
#include "game/game.h"
#include "game/placement.h"
#include "media/backbuffer.h"
#include "media/scene.h"
#include "media/skin.h"

ShipDrag Dragging;

void ResetShipDrag()
{
    Dragging = ShipDrag{};
}

static bool Inside(unsigned value, int low, int high)
{
    return value > static_cast<unsigned>(low) && value < static_cast<unsigned>(high);
}

static void EndDragImage()
{
    ImageList_DragLeave(MainWindow);
    ImageList_EndDrag();
}

static void BeginShipDrag(Orientation orientation, unsigned x, unsigned y, int hotspotX)
{
    if (Dragging.PlacementDrag)   // the button went up outside the window: start afresh
        EndDragImage();
    Dragging = {true, orientation, false};
    const ShipImage& image = Skin.ShipImages[orientation][Game.PlacementSize - 1];
    const bool vertical = orientation == Vertical;
    if (!ImageList_BeginDrag(image.list, image.index, hotspotX, kDragHotspotY))
        ShowErrorBox(vertical ? VerticalDragNotBegun : HorizontalDragNotBegun);
    if (!ImageList_DragEnter(MainWindow, static_cast<int>(x), static_cast<int>(y)))
        ShowErrorBox(vertical ? VerticalDragNotShown : HorizontalDragNotShown);
}

// Ships are offered only while some of the current size are left to place.
void StartShipDrag(unsigned x, unsigned y)
{
    if (Game.GamePhase != Placement || Game.PlacementSize <= 0 || Game.PlacementLeft <= 0)
        return;
    const int length = kCellSize * Game.PlacementSize;
    if (Inside(x, kOfferedVerticalLeft, kOfferedVerticalLeft + kCellSize) &&
        Inside(y, kOfferedVerticalTop, kOfferedVerticalTop + length))
        BeginShipDrag(Vertical, x, y, kVerticalDragHotspotX);
    else if (Inside(x, kOfferedHorizontalLeft, kOfferedHorizontalLeft + length) &&
             Inside(y, kOfferedHorizontalTop, kOfferedHorizontalTop + kCellSize))
        BeginShipDrag(Horizontal, x, y, kHorizontalDragHotspotX);
}

void DrawShipDragOutline(HWND window)
{
    if (!Dragging.PlacementDrag || Dragging.outlineColumn < 0)
        return;
    DrawCellOutline(window, kHomeBoardLeft, Dragging.outlineColumn, Dragging.outlineRow, Game.PlacementSize,
                    Dragging.orientation,
                    !CanPlaceOfferedShip(Dragging.orientation, Dragging.outlineColumn, Dragging.outlineRow));
}

// The old outline is wiped from the scene's copy; the drag image is hidden meanwhile, as it
// keeps what lay under it.
static void MoveDragOutline(unsigned x, unsigned y)
{
    int column = -1, row = -1;
    CellUnderPress(HomeSide, x, y, column, row);
    if (column == Dragging.outlineColumn && row == Dragging.outlineRow)
        return;
    ImageList_DragShowNolock(FALSE);
    HDC screen = GetDC(MainWindow);
    BitBlt(screen, kHomeBoardLeft, kBoardTop, kBoardPixels, kBoardPixels, Scene.BackBuffer, kHomeBoardLeft, kBoardTop,
           SRCCOPY);
    ReleaseDC(MainWindow, screen);
    Dragging.outlineColumn = column;
    Dragging.outlineRow = row;
    DrawShipDragOutline(MainWindow);
    ImageList_DragShowNolock(TRUE);
}

void MoveShipDrag(unsigned x, unsigned y)
{
    if (!Dragging.PlacementDrag)
        return;
    MoveDragOutline(x, y);
    if (!ImageList_DragMove(static_cast<int>(x), static_cast<int>(y)) && !Dragging.moveFailureShown) {
        Dragging.moveFailureShown = true;
        ShowErrorBox(DragNotMoved);
    }
}

void DropShip(unsigned x, unsigned y)
{
    if (!Dragging.PlacementDrag)
        return;
    EndDragImage();
    int column, row;
    if (CellUnderPress(HomeSide, x, y, column, row))
        PlaceOfferedShip(Dragging.orientation, column, row);
    InvalidateMainWindow(true);
    Dragging.PlacementDrag = false;
}

void CancelShipDrag()
{
    if (!Dragging.PlacementDrag)
        return;
    EndDragImage();
    Dragging.PlacementDrag = false;
    InvalidateMainWindow(true);
}

void TakeBackShipAt(unsigned x, unsigned y)
{
    int column, row;
    if (Game.GamePhase != Placement || Game.PlacedShipCount <= 0 || Game.PlacedShipCount > kFleetShips ||
        !CellUnderPress(HomeSide, x, y, column, row))
        return;
    const PlacedShip& last = Game.PlacedShips[Game.PlacedShipCount - 1];
    const bool across = last.orientation == Horizontal;
    const int along = across ? column - last.column : row - last.row;
    if ((across ? row == last.row : column == last.column) && along >= 0 && along < last.size)
        TakeBackShip();
}

// Not while a drag is on: its image and outline are of the ship on offer.
void TakeBackShip()
{
    if (!Dragging.PlacementDrag)
        TakeBackLastShip();
}
