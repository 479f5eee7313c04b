#include "gfx/scene.h"

#include <initializer_list>

#include "app/placement.h"
#include "game/board.h"
#include "game/fleet.h"
#include "game/phase.h"
#include "gfx/backbuffer.h"
#include "gfx/skin.h"
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

static void CopyPicture(HDC source, int picture, int left, int top, int width, int height)
{
    HBITMAP bitmap = SkinPicture(picture);
    if (!bitmap)
        return;
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(BackBuffer, left, top, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
}

void DrawPicture(int picture, int left, int top, int width, int height)
{
    HDC source = CreateCompatibleDC(BackBuffer);
    CopyPicture(source, picture, left, top, width, height);
    DeleteDC(source);
}

void DrawCellPicture(int picture, BoardSide board, int x, int y)
{
    DrawPicture(picture, CellLeft(board, x), CellTop(y), kCellSize, kCellSize);
}

void DrawShipImage(int orientation, int n, int left, int top)
{
    if (orientation < VerticalShip || orientation > HorizontalShip || n < 0 || n >= kLargestShip)
        return;
    const ShipImage& image = ShipImages[orientation][n];
    if (image.list)
        ImageList_Draw(image.list, image.index, BackBuffer, left, top, ILD_NORMAL);
}

// The picture of a shot cell, or 0 for a cell that keeps the CellPicture.
static int ShotCellPicture(BoardSide board, int32_t cell)
{
    switch (cell) {
    case 3: return board == EnemySide ? HitPicture : MissPicture;   // EnemyHit / HomeMiss
    case EnemyMiss: return board == EnemySide ? MissPicture : 0;
    case HomeHit: return board == HomeSide ? HitPicture : 0;
    case DeadZone: return board == EnemySide ? DeadZonePicture : 0;
    case Sunk: return SunkPicture;
    default: return 0;
    }
}

static void RedrawShotCells(HDC source, BoardSide board, const Board cells)
{
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y)
            if (int picture = ShotCellPicture(board, cells[x][y]))
                CopyPicture(source, picture, CellLeft(board, x), CellTop(y), kCellSize, kCellSize);
}

void RedrawScene()
{
    HDC source = CreateCompatibleDC(BackBuffer);
    CopyPicture(source, BackgroundPicture, 0, 0, kSceneWidth, kSceneHeight);
    if (GamePhase != NoGame) {
        for (BoardSide board : {EnemySide, HomeSide})
            for (int x = 0; x < kFieldSize; ++x)
                for (int y = 0; y < kFieldSize; ++y)
                    CopyPicture(source, CellPicture, CellLeft(board, x), CellTop(y), kCellSize, kCellSize);
        CopyPicture(source, PlacementPanelPicture, kPlacementPanelLeft, kPlacementPanelTop, kPlacementPanelWidth,
                    kPlacementPanelHeight);
        if (PlacementSize > 0) {
            DrawShipImage(VerticalShip, PlacementSize - 1, kOfferedVerticalLeft, kOfferedVerticalTop);
            DrawShipImage(HorizontalShip, PlacementSize - 1, kOfferedHorizontalLeft, kOfferedHorizontalTop);
        }
        for (int i = 0; i < PlacedShipCount; ++i)
            DrawShipImage(PlacedShips[i].orientation, PlacedShips[i].sizeIndex, PlacedShips[i].x, PlacedShips[i].y);
    }
    if (GamePhase > Placement) {
        CopyPicture(source, BattlePanelPicture, kBattlePanelLeft, kBattlePanelTop, kBattlePanelWidth,
                    kBattlePanelHeight);
        DrawCounters();
        ShowStatusMessage(NoMessage);
        RedrawShotCells(source, HomeSide, HomeBoard);
        RedrawShotCells(source, EnemySide, EnemyBoard);
    }
    DeleteDC(source);
}
