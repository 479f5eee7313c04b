#include "app/placement.h"

#include <windows.h>
#include <commctrl.h>

#include "app/startup.h"
#include "app/window.h"
#include "base/program.h"
#include "game/game.h"
#include "game/placement.h"
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

void MoveShipDrag(unsigned x, unsigned y)
{
    if (!Dragging.PlacementDrag)
        return;
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
    const bool onBoard = Inside(x, kHomeBoardLeft, kHomeBoardLeft + kBoardPixels) &&
                         Inside(y, kBoardTop, kBoardTop + kBoardPixels);
    if (onBoard)
        PlaceOfferedShip(Dragging.orientation, (static_cast<int>(x) - kHomeBoardLeft) / kCellSize,
                         (static_cast<int>(y) - kBoardTop) / kCellSize);
    InvalidateMainWindow(true);
    Dragging.PlacementDrag = false;
}

void CancelShipDrag()
{
    if (!Dragging.PlacementDrag)
        return;
    EndDragImage();
    Dragging.PlacementDrag = false;
}
