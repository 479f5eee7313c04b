// The two boards, the computer's fleet records, the side counters and the no-touch rule.
#pragma once
#include <cstdint>

// A board is 11 x 11: the field is 0..9 and index 10 is a guard row and column that
// always hold Water, so a look at x + 1 or y + 1 from the edge needs no bound check.
constexpr int kFieldSize = 10;
constexpr int kBoardSize = kFieldSize + 1;
using Board = int32_t[kBoardSize][kBoardSize];  // indexed [x][y], x the column

// What a cell holds. Code 3 means a hit on the EnemyBoard but a miss on the HomeBoard.
enum CellState : int32_t {
    Water = 0,
    Deck = 1,
    RuledOut = 2,   // HomeBoard water the computer will not fire at
    EnemyHit = 3,
    HomeMiss = 3,
    EnemyMiss = 4,
    HomeHit = 5,
    DeadZone = 7,   // EnemyBoard water next to a sunk ship
    Sunk = 10,
};

constexpr int kFleetShips = 10;
constexpr int kFleetDecks = 20;
constexpr int kLargestShip = 4;

// One ship of the computer's fleet; decks listed from the start cell along its direction.
struct ShipRecord {
    int8_t size;
    int8_t decksLeft;   // size..1 afloat, 0 for a moment at the sinking, -1 once recorded
    int8_t deckX[kLargestShip];
    int8_t deckY[kLargestShip];
};

// The step from one deck of a ship to the next.
struct PlaceStep {
    int32_t dx;
    int32_t dy;
};

// The player's ships are dropped in one of two fixed orientations.
enum DragKind : int32_t { NoDrag = 0, Vertical = 1, Horizontal = 2 };

extern Board EnemyBoard;
extern Board HomeBoard;
extern ShipRecord EnemyFleet[kFleetShips];

// -1 while no battle runs, so the end-of-game test cannot fire.
extern int32_t EnemyDecksLeft;
extern int32_t HomeDecksLeft;
extern int32_t EnemyShipsLeft;
extern int32_t HomeShipsLeft;

bool InField(int x, int y);

// The cell, or Water for any coordinate outside the field.
int32_t CellAt(const Board board, int x, int y);

void ClearBoards();

// How many cells of the field hold the code.
int CountCells(const Board board, int code);

// Directions: 0 up, 1 down, 2 left, 3 right. Returns 1 to refuse the ship, 0 when it fits
// (and then gives the step of its direction).
int CheckEnemyPlacement(int x, int y, int direction, int size, PlaceStep& step);

// The same rule on the HomeBoard for the player's drop: Vertical runs down, Horizontal right.
int CheckHomePlacement(int x, int y, int kind, int size, PlaceStep& step);
