// The two boards, the computer's fleet records and the no-touch rule.
#pragma once
#include <cstdint>

// A board is 11 x 11: the field is 0..9 and index 10 is a guard row and column that
// always hold Water, so a look at x + 1 or y + 1 from the edge needs no bound check.
constexpr int kFieldSize = 10;
constexpr int kBoardSize = kFieldSize + 1;
using Board = int32_t[kBoardSize][kBoardSize];  // indexed [x][y], x the column

// What a cell holds. The Enemy codes occur on the EnemyBoard, the Home codes on the HomeBoard.
enum CellState : int32_t {
    Water = 0,
    Deck = 1,
    RuledOut = 2,   // HomeBoard water the computer will not fire at
    EnemyHit = 3,
    EnemyMiss = 4,
    HomeHit = 5,
    HomeMiss = 6,
    DeadZone = 7,   // EnemyBoard water next to a sunk ship
    Sunk = 10,
};

enum BoardSide { EnemySide, HomeSide };

constexpr int kFleetShips = 10;
constexpr int kFleetDecks = 20;
constexpr int kLargestShip = 4;

// How many ships of a size a fleet holds: one of 4 decks up to four of 1.
constexpr int ShipsOfSize(int size) { return kLargestShip + 1 - size; }

// One ship of the computer's fleet; decks listed from the start cell along its direction.
struct ShipRecord {
    int8_t size;
    int8_t decksLeft;   // size..1 afloat, 0 for a moment at the sinking, -1 once recorded
    int8_t deckX[kLargestShip];
    int8_t deckY[kLargestShip];
};

// Down, up, right, left: the side neighbours of a cell, in the order a ship's line is walked.
constexpr int kSideSteps[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

// The step from one deck of a ship to the next.
struct PlaceStep {
    int32_t dx;
    int32_t dy;
};

// The player's ships run down or right from their first deck.
enum Orientation : int32_t { Vertical = 0, Horizontal = 1 };

bool InField(int x, int y);

// The cell, or Water for any coordinate outside the field.
int32_t CellAt(const Board board, int x, int y);

// How many cells of the field hold the code.
int CountCells(const Board board, int code);

// Directions: 0 up, 1 down, 2 left, 3 right. Returns 1 to refuse the ship, 0 when it fits
// (and then gives the step of its direction).
int CheckEnemyPlacement(int x, int y, int direction, int size, PlaceStep& step);

// The same rule on the HomeBoard for the player's ships.
int CheckHomePlacement(int x, int y, Orientation orientation, int size, PlaceStep& step);
