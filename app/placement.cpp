#include "app/placement.h"

#include <windows.h>
#include <commctrl.h>

#include "app/startup.h"
#include "app/window.h"
#include "game/fleet.h"
#include "game/phase.h"
#include "gfx/backbuffer.h"
#include "gfx/scene.h"
#include "gfx/skin.h"

int32_t PlacementDrag = NoDrag;
PlacedShip PlacedShips[kFleetShips];
int32_t PlacedShipCount = 0;

// A drag image that cannot move is reported once per drag, not at every mouse move:
// the box has no owner, so moves keep arriving while it is open.
static bool DragMoveFailureShown = false;

static bool Inside(unsigned value, int low, int high)
{
    return value > static_cast<unsigned>(low) && value < static_cast<unsigned>(high);
}

static void EndDragImage()
{
    ImageList_DragLeave(MainWindow);
    ImageList_EndDrag();
}

static void BeginShipDrag(int kind, unsigned x, unsigned y, int hotspotX, int beginError)
{
    if (PlacementDrag != NoDrag)   // the button went up outside the window: start afresh
        EndDragImage();
    PlacementDrag = kind;
    DragMoveFailureShown = false;
    const ShipImage& image = ShipImages[kind - 1][PlacementSize - 1];
    if (!ImageList_BeginDrag(image.list, image.index, hotspotX, kDragHotspotY))
        ShowErrorBox(beginError);
    if (!ImageList_DragEnter(MainWindow, static_cast<int>(x), static_cast<int>(y)))
        ShowErrorBox(beginError + 1);
}

// Ships are offered only while some of the current size are left to place.
void StartShipDrag(unsigned x, unsigned y)
{
    if (GamePhase != Placement || PlacementSize <= 0 || PlacementLeft <= 0)
        return;
    const int length = kCellSize * PlacementSize;
    if (Inside(x, kOfferedVerticalLeft, kOfferedVerticalLeft + kCellSize) &&
        Inside(y, kOfferedVerticalTop, kOfferedVerticalTop + length))
        BeginShipDrag(Vertical, x, y, kVerticalDragHotspotX, 10);
    else if (Inside(x, kOfferedHorizontalLeft, kOfferedHorizontalLeft + length) &&
             Inside(y, kOfferedHorizontalTop, kOfferedHorizontalTop + kCellSize))
        BeginShipDrag(Horizontal, x, y, kHorizontalDragHotspotX, 12);
}

void MoveShipDrag(unsigned x, unsigned y)
{
    if (PlacementDrag != Vertical && PlacementDrag != Horizontal)
        return;
    if (!ImageList_DragMove(static_cast<int>(x), static_cast<int>(y)) && !DragMoveFailureShown) {
        DragMoveFailureShown = true;
        ShowErrorBox(14);
    }
}

static void LayPlayerShip(int kind, int column, int row, PlaceStep step)
{
    PlacementLeft -= 1;
    for (int i = 0; i < PlacementSize; ++i)
        HomeBoard[column + i * step.dx][row + i * step.dy] = Deck;
    const int left = kHomeBoardLeft + kCellSize * column, top = kBoardTop + kCellSize * row;
    DrawShipImage(kind - 1, PlacementSize - 1, left, top);
    PlacedShips[PlacedShipCount] = {kind - 1, PlacementSize - 1, left, top};
    PlacedShipCount += 1;
}

bool PlaceOfferedShip(int kind, int column, int row)
{
    const bool shipOffered = GamePhase == Placement && PlacementSize > 0 && PlacementLeft > 0 &&
                             PlacedShipCount < kFleetShips;
    PlaceStep step;
    if (!shipOffered || CheckHomePlacement(column, row, kind, PlacementSize, step) != 0)
        return false;
    LayPlayerShip(kind, column, row, step);
    return true;
}

void DropShip(unsigned x, unsigned y)
{
    if (PlacementDrag != Vertical && PlacementDrag != Horizontal)
        return;
    EndDragImage();
    const bool onBoard = Inside(x, kHomeBoardLeft, kHomeBoardLeft + kBoardPixels) &&
                         Inside(y, kBoardTop, kBoardTop + kBoardPixels);
    if (onBoard)
        PlaceOfferedShip(PlacementDrag, (static_cast<int>(x) - kHomeBoardLeft) / kCellSize,
                         (static_cast<int>(y) - kBoardTop) / kCellSize);
    InvalidateMainWindow(true);
    PlacementDrag = NoDrag;
}

void CancelShipDrag()
{
    if (PlacementDrag <= NoDrag)
        return;
    EndDragImage();
    PlacementDrag = NoDrag;
}

static void ShowNextShipSize(int size)
{
    DrawPicture(BlankCellPicture, kOfferedVerticalLeft, kOfferedVerticalTop + kCellSize * size, kCellSize, kCellSize);
    DrawPicture(BlankCellPicture, kOfferedHorizontalLeft + kCellSize * size, kOfferedHorizontalTop, kCellSize,
                kCellSize);
    if (size > 0) {
        DrawShipImage(VerticalShip, size - 1, kOfferedVerticalLeft, kOfferedVerticalTop);
        DrawShipImage(HorizontalShip, size - 1, kOfferedHorizontalLeft, kOfferedHorizontalTop);
        InvalidateMainWindow(true);
    }
}

void OfferNextShipSize()
{
    if (PlacementLeft != 0 || GamePhase != Placement)
        return;
    PlacementSize -= 1;
    ShowNextShipSize(PlacementSize);
    PlacementLeft = kLargestShip + 1 - PlacementSize;
}
