#include "game/board.h"

#include "game/game.h"

bool InField(int x, int y)
{
    return x >= 0 && x < kFieldSize && y >= 0 && y < kFieldSize;
}

int32_t CellAt(const Board board, int x, int y)
{
    return InField(x, y) ? board[x][y] : Water;
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

// The no-touch rule for a ship in one of the four directions: the start cell is free, the
// ship stays in the field, and no cell of it has a deck among its eight neighbours (so ships
// never meet, not even at a corner).
static int CheckPlacement(const Board board, int x, int y, int direction, int size, PlaceStep& step)
{
    static const PlaceStep steps[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    if (direction < 0 || direction > 3 || CellAt(board, x, y) == Deck)
        return 1;
    const PlaceStep dir = steps[direction];
    if (!InField(x, y) || !InField(x + dir.dx * (size - 1), y + dir.dy * (size - 1)))
        return 1;
    for (int k = 0; k < size; ++k)
        if (TouchesDeck(board, x + dir.dx * k, y + dir.dy * k))
            return 1;
    step = dir;
    return 0;
}

int CheckEnemyPlacement(int x, int y, int direction, int size, PlaceStep& step)
{
    return CheckPlacement(Game.EnemyBoard, x, y, direction, size, step);
}

int CheckHomePlacement(int x, int y, Orientation orientation, int size, PlaceStep& step)
{
    const int direction = orientation == Vertical ? 1 : orientation == Horizontal ? 3 : -1;
    return CheckPlacement(Game.HomeBoard, x, y, direction, size, step);
}
