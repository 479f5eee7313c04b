#include "game/board.h"

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
    for (const PlaceStep& step : kNeighbourSteps)
        if (CellAt(board, x + step.dx, y + step.dy) == Deck)
            return true;
    return CellAt(board, x, y) == Deck;
}

// The no-touch rule for a ship in one of the four directions: the start cell is free, the
// ship stays in the field, and no cell of it has a deck among its eight neighbours (so ships
// never meet, not even at a corner).
static bool ShipFits(const Board board, int x, int y, int direction, int size, PlaceStep& step)
{
    if (direction < Up || direction > Right || CellAt(board, x, y) == Deck)
        return false;
    const PlaceStep dir = kDirectionSteps[direction];
    if (!InField(x, y) || !InField(x + dir.dx * (size - 1), y + dir.dy * (size - 1)))
        return false;
    for (int k = 0; k < size; ++k)
        if (TouchesDeck(board, x + dir.dx * k, y + dir.dy * k))
            return false;
    step = dir;
    return true;
}

bool EnemyShipFits(const Board board, int x, int y, int direction, int size, PlaceStep& step)
{
    return ShipFits(board, x, y, direction, size, step);
}

bool HomeShipFits(const Board board, int x, int y, Orientation orientation, int size, PlaceStep& step)
{
    const int direction = orientation == Vertical ? Down : orientation == Horizontal ? Right : -1;
    return ShipFits(board, x, y, direction, size, step);
}

ShipRecord MakeShip(int x, int y, PlaceStep step, int size)
{
    ShipRecord ship = {};
    ship.size = ship.decksLeft = static_cast<int8_t>(size);
    for (int k = 0; k < size; ++k) {
        ship.deckX[k] = static_cast<int8_t>(x + step.dx * k);
        ship.deckY[k] = static_cast<int8_t>(y + step.dy * k);
    }
    return ship;
}

int ShipThrough(const ShipRecord (&fleet)[kFleetShips], int x, int y)
{
    for (int s = 0; s < kFleetShips; ++s)
        for (int k = 0; k < fleet[s].size && k < kLargestShip; ++k)
            if (fleet[s].deckX[k] == x && fleet[s].deckY[k] == y)
                return s;
    return -1;
}

const ShipRecord* HitShip(ShipRecord (&fleet)[kFleetShips], int x, int y)
{
    const int s = ShipThrough(fleet, x, y);
    if (s < 0 || fleet[s].decksLeft <= 0 || --fleet[s].decksLeft > 0)
        return nullptr;
    fleet[s].decksLeft = -1;
    return &fleet[s];
}

int CellsBeyondShip(const ShipRecord& ship, TargetCell (&cells)[4])
{
    int count = 0;
    const auto keep = [&](int x, int y) {
        if (InField(x, y))
            cells[count++] = {x, y};
    };
    const int x = ship.deckX[0], y = ship.deckY[0];
    if (ship.size == 1) {
        for (const PlaceStep& step : kDirectionSteps)
            keep(x + step.dx, y + step.dy);
    } else if (ship.size > 1 && ship.size <= kLargestShip) {
        const int last = ship.size - 1;
        const int dx = ship.deckX[1] - x, dy = ship.deckY[1] - y;
        keep(x - dx, y - dy);
        keep(ship.deckX[last] + dx, ship.deckY[last] + dy);
    }
    return count;
}
