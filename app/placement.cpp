#include "app/placement.h"

#include <windows.h>
#include <commctrl.h>

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

// The ship's picture at the window's scale, in a list of its own; each picture pixel a square.
static HIMAGELIST ScaledShipImage(const ShipImage& image)
{
    const int scale = Scene.Scale;
    int width = 0, height = 0;
    ImageList_GetIconSize(image.list, &width, &height);
    HDC screen = GetDC(MainWindow);
    HDC plain = CreateCompatibleDC(screen), scaled = CreateCompatibleDC(screen);
    HBITMAP plainBitmap = CreateCompatibleBitmap(screen, width, height);
    HBITMAP scaledBitmap = CreateCompatibleBitmap(screen, width * scale, height * scale);
    HGDIOBJ plainBefore = SelectObject(plain, plainBitmap), scaledBefore = SelectObject(scaled, scaledBitmap);
    ImageList_Draw(image.list, image.index, plain, 0, 0, ILD_NORMAL);
    SetStretchBltMode(scaled, COLORONCOLOR);
    StretchBlt(scaled, 0, 0, width * scale, height * scale, plain, 0, 0, width, height, SRCCOPY);
    SelectObject(plain, plainBefore);
    SelectObject(scaled, scaledBefore);
    HIMAGELIST list = ImageList_Create(width * scale, height * scale, ILC_COLOR24, 1, 0);
    if (list)
        ImageList_Add(list, scaledBitmap, nullptr);
    DeleteObject(plainBitmap);
    DeleteObject(scaledBitmap);
    DeleteDC(plain);
    DeleteDC(scaled);
    ReleaseDC(MainWindow, screen);
    return list;
}

// The drag image is placed from the window's corner, and has always been given the client
// point, which the hot spots allow for. At a larger scale the point is scaled about that
// corner, and moved with the scene's, so that the image lies over the same scene pixels as at
// normal size.
static POINT DragImagePoint(unsigned x, unsigned y)
{
    const int scale = Scene.Scale;
    RECT outer;
    POINT client = {0, 0};
    GetWindowRect(MainWindow, &outer);
    ClientToScreen(MainWindow, &client);
    return {Scene.Left + scale * static_cast<int>(x) - (scale - 1) * (client.x - outer.left),
            Scene.Top + scale * static_cast<int>(y) - (scale - 1) * (client.y - outer.top)};
}

// BeginDrag copies the picture, so a scaled list is released at once. A ship without a picture
// is given to BeginDrag as it is, to fail there at any scale.
static void BeginShipDrag(Orientation orientation, unsigned x, unsigned y, int hotspotX)
{
    if (Dragging.PlacementDrag)   // the button went up outside the window: start afresh
        EndDragImage();
    Dragging = {true, orientation, false};
    const ShipImage& image = Skin.ShipImages[orientation][Game.PlacementSize - 1];
    const bool vertical = orientation == Vertical;
    const int scale = Scene.Scale;
    const bool scaled = scale > 1 && image.list && image.index >= 0;
    HIMAGELIST list = scaled ? ScaledShipImage(image) : image.list;
    if (!ImageList_BeginDrag(list, scaled ? 0 : image.index, hotspotX * scale, kDragHotspotY * scale))
        ShowErrorBox(vertical ? VerticalDragNotBegun : HorizontalDragNotBegun);
    if (scaled)
        ImageList_Destroy(list);
    const POINT at = DragImagePoint(x, y);
    if (!ImageList_DragEnter(MainWindow, at.x, at.y))
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
                    !CanPlaceOfferedShip(Game, Dragging.orientation, Dragging.outlineColumn, Dragging.outlineRow));
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
    ShowSceneArea(screen, kHomeBoardLeft, kBoardTop, kBoardPixels, kBoardPixels);
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
    const POINT at = DragImagePoint(x, y);
    if (!ImageList_DragMove(at.x, at.y) && !Dragging.moveFailureShown) {
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
        PlaceOfferedShip(Game, Dragging.orientation, column, row);
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
        TakeBackLastShip(Game);
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
    const int scale = Scene.Scale;
    RECT ring = {outline.left * scale, outline.top * scale, outline.right * scale, outline.bottom * scale};
    OffsetRect(&ring, Scene.Left, Scene.Top);
    HDC screen = GetDC(window);
    HBRUSH mark = CreateSolidBrush(refused ? RGB(230, 30, 30) : RGB(255, 215, 0));
    // One black scene pixel, then two of the mark, inwards.
    for (int line = 0; line < 3 * scale; ++line, InflateRect(&ring, -1, -1))
        FrameRect(screen, &ring, line < scale ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : mark);
    DeleteObject(mark);
    ReleaseDC(window, screen);
}
