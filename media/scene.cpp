#include "media/scene.h"

#include <initializer_list>

#include "media/backbuffer.h"
#include "media/skin.h"
#include "media/status_panel.h"
#include "res/resource.h"

static_assert(CellPicture == IDB_CELL && HitPicture == IDB_HIT && MissPicture == IDB_MISS &&
                  BackgroundPicture == IDB_BACKGROUND && PlacementPanelPicture == IDB_PLACEMENT_PANEL &&
                  BattlePanelPicture == IDB_BATTLE_PANEL && BlankCellPicture == IDB_BLANK_CELL &&
                  SunkPicture == IDB_SUNK && DeadZonePicture == IDB_DEAD_ZONE,
              "scene pictures and bitmap resources share their ids");

static int CellLeft(BoardSide board, int x)
{
    return (board == EnemySide ? kEnemyBoardLeft : kHomeBoardLeft) + kCellSize * x;
}

static int CellTop(int y)
{
    return kBoardTop + kCellSize * y;
}

void DrawPicture(int picture, int left, int top, int width, int height)
{
    HBITMAP bitmap = SkinPicture(picture);
    if (!bitmap)
        return;
    HDC source = CreateCompatibleDC(Scene.BackBuffer);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(Scene.BackBuffer, left, top, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

static void DrawCellPicture(int picture, BoardSide board, int x, int y)
{
    DrawPicture(picture, CellLeft(board, x), CellTop(y), kCellSize, kCellSize);
}

// Draws the ship image of `decks` decks, opaque, at (left, top).
static void DrawShipImage(Orientation orientation, int decks, int left, int top)
{
    if (orientation < Vertical || orientation > Horizontal || decks < 1 || decks > kLargestShip)
        return;
    const ShipImage& image = Skin.ShipImages[orientation][decks - 1];
    if (image.list)
        ImageList_Draw(image.list, image.index, Scene.BackBuffer, left, top, ILD_NORMAL);
}

// The picture of a shot cell, or 0 for a cell that keeps the CellPicture.
static int ShotCellPicture(int32_t cell)
{
    switch (cell) {
    case EnemyHit:
    case HomeHit: return HitPicture;
    case EnemyMiss:
    case HomeMiss: return MissPicture;
    case DeadZone: return DeadZonePicture;
    case Sunk: return SunkPicture;
    default: return 0;
    }
}

static const Board& BoardOf(BoardSide side)
{
    return side == EnemySide ? Game.EnemyBoard : Game.HomeBoard;
}

void DrawCell(BoardSide side, int x, int y)
{
    if (int picture = ShotCellPicture(CellAt(BoardOf(side), x, y)))
        DrawCellPicture(picture, side, x, y);
}

static void DrawOfferedShipImages(int size)
{
    DrawShipImage(Vertical, size, kOfferedVerticalLeft, kOfferedVerticalTop);
    DrawShipImage(Horizontal, size, kOfferedHorizontalLeft, kOfferedHorizontalTop);
}

void DrawNewGame()
{
    for (BoardSide side : {EnemySide, HomeSide})
        for (int x = 0; x < kFieldSize; ++x)
            for (int y = 0; y < kFieldSize; ++y)
                DrawCellPicture(CellPicture, side, x, y);
    DrawPicture(PlacementPanelPicture, kPlacementPanelLeft, kPlacementPanelTop, kPlacementPanelWidth,
                kPlacementPanelHeight);
    DrawOfferedShipImages(Game.PlacementSize);
}

// The cell past the smaller ship's end is blanked in both pictures.
void DrawNextShipSize(int size)
{
    DrawPicture(BlankCellPicture, kOfferedVerticalLeft, kOfferedVerticalTop + kCellSize * size, kCellSize, kCellSize);
    DrawPicture(BlankCellPicture, kOfferedHorizontalLeft + kCellSize * size, kOfferedHorizontalTop, kCellSize,
                kCellSize);
    DrawOfferedShipImages(size);
}

void DrawPlacedShip(const PlacedShip& ship)
{
    DrawShipImage(ship.orientation, ship.size, CellLeft(HomeSide, ship.column), CellTop(ship.row));
}

void DrawBattlePanel()
{
    ReloadBattlePanelPicture();
    DrawPicture(BattlePanelPicture, kBattlePanelLeft, kBattlePanelTop, kBattlePanelWidth, kBattlePanelHeight);
}


void RedrawScene()
{
    DrawPicture(BackgroundPicture, 0, 0, kSceneWidth, kSceneHeight);
    if (Game.GamePhase != NoGame) {
        DrawNewGame();
        for (int i = 0; i < Game.PlacedShipCount; ++i)
            DrawPlacedShip(Game.PlacedShips[i]);
    }
    if (Game.GamePhase > Placement) {
        DrawPicture(BattlePanelPicture, kBattlePanelLeft, kBattlePanelTop, kBattlePanelWidth, kBattlePanelHeight);
        DrawCounters();
        ShowStatusMessage(NoMessage);
        for (BoardSide side : {HomeSide, EnemySide})
            for (int x = 0; x < kFieldSize; ++x)
                for (int y = 0; y < kFieldSize; ++y)
                    DrawCell(side, x, y);
    }
}
