#include "game/board.h"

Board EnemyBoard;
Board HomeBoard;
ShipRecord EnemyFleet[kFleetShips];

int32_t EnemyDecksLeft = -1;
int32_t HomeDecksLeft = -1;
int32_t EnemyShipsLeft = 0;
int32_t HomeShipsLeft = 0;

bool InField(int x, int y)
{
    return x >= 0 && x < kFieldSize && y >= 0 && y < kFieldSize;
}

int32_t CellAt(const Board board, int x, int y)
{
    return InField(x, y) ? board[x][y] : Water;
}

void ClearBoards()
{
    for (int x = 0; x < kBoardSize; ++x)
        for (int y = 0; y < kBoardSize; ++y) {
            EnemyBoard[x][y] = Water;
            HomeBoard[x][y] = Water;
        }
}

int CountCells(const Board board, int code)
{
    int count = 0;
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y)
            count += board[x][y] == code;
    return count;
}

static bool TouchesDeck(const Board board, int x, int y)
{
    for (int nx = x - 1; nx <= x + 1; ++nx)
        for (int ny = y - 1; ny <= y + 1; ++ny)
            if (CellAt(board, nx, ny) == Deck)
                return true;
    return false;
}

// The no-touch rule: the start cell is free, the ship stays in the field, and no cell of
// it has a deck among its eight neighbours (so ships never meet, not even at a corner).
static int CheckPlacement(const Board board, int x, int y, PlaceStep dir, int size)
{
    if (CellAt(board, x, y) == Deck)
        return 1;
    const int endX = x + dir.dx * (size - 1);
    const int endY = y + dir.dy * (size - 1);
    if (!InField(x, y) || !InField(endX, endY))
        return 1;
    for (int k = 0; k < size; ++k)
        if (TouchesDeck(board, x + dir.dx * k, y + dir.dy * k))
            return 1;
    return 0;
}

static bool ShipStep(int direction, PlaceStep& step)
{
    static const PlaceStep steps[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    if (direction < 0 || direction > 3)
        return false;
    step = steps[direction];
    return true;
}

int CheckEnemyPlacement(int x, int y, int direction, int size, PlaceStep& step)
{
    PlaceStep dir;
    if (!ShipStep(direction, dir) || CheckPlacement(EnemyBoard, x, y, dir, size))
        return 1;
    step = dir;
    return 0;
}

int CheckHomePlacement(int x, int y, int kind, int size, PlaceStep& step)
{
    const int direction = kind == Vertical ? 1 : kind == Horizontal ? 3 : -1;
    PlaceStep dir;
    if (!ShipStep(direction, dir) || CheckPlacement(HomeBoard, x, y, dir, size))
        return 1;
    step = dir;
    return 0;
}
