// The two boards, the ships of both fleets and the no-touch rule.
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

// Who fired a shot, and what it found; an Answer of the network game carries the result.
enum Shooter { PlayerShooter, OpponentShooter };
enum ShotResult { ShotMissed, ShotHit, ShotSunk };

constexpr int kFleetShips = 10;
constexpr int kFleetDecks = 20;
constexpr int kLargestShip = 4;

// How many ships of a size a fleet holds: one of 4 decks up to four of 1.
constexpr int ShipsOfSize(int size) { return kLargestShip + 1 - size; }

// One ship of either fleet; decks listed from the start cell along its direction.
struct ShipRecord {
    int8_t size;        // 0 for a record no ship fills
    int8_t decksLeft;   // size..1 afloat, 0 for a moment at the sinking, -1 once recorded
    int8_t deckX[kLargestShip];
    int8_t deckY[kLargestShip];
};

// The step from one deck of a ship to the next.
struct PlaceStep {
    int32_t dx;
    int32_t dy;
};

struct TargetCell {
    int32_t x;
    int32_t y;
};

// The four ways a ship runs from its first deck, numbered as the random placement draws them.
enum Direction : int32_t { Up = 0, Down = 1, Left = 2, Right = 3 };
constexpr PlaceStep kDirectionSteps[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};

// The eight cells around a cell: the four diagonal ones, then the four side ones, in the order
// a sinking marks the water around its decks.
constexpr PlaceStep kNeighbourSteps[8] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}, {0, 1}, {0, -1}, {-1, 0}, {1, 0}};
constexpr int kDiagonalNeighbours = 4;

// The side neighbours of a hit in the order the computer looks at them; its stack, last in
// first out, then offers them the other way round.
constexpr Direction kLookAround[4] = {Down, Up, Right, Left};

// The player's ships run down or right from their first deck.
enum Orientation : int32_t { Vertical = 0, Horizontal = 1 };

bool InField(int x, int y);

// The cell, or Water for any coordinate outside the field.
int32_t CellAt(const Board board, int x, int y);

// How many cells of the field hold the code.
int CountCells(const Board board, int code);

// Whether a ship of `size` decks fits from (x, y) in the direction (0 up, 1 down, 2 left,
// 3 right); when it does, `step` is the step of its direction.
bool EnemyShipFits(const Board board, int x, int y, int direction, int size, PlaceStep& step);

// The same rule on the HomeBoard for the player's ships.
bool HomeShipFits(const Board board, int x, int y, Orientation orientation, int size, PlaceStep& step);

// A ship afloat of `size` decks from (x, y) by `step`.
ShipRecord MakeShip(int x, int y, PlaceStep step, int size);

// The record of the fleet with a deck at (x, y), or -1 on water.
int ShipThrough(const ShipRecord (&fleet)[kFleetShips], int x, int y);

// A shot hit (x, y): the ship through it loses a deck. Returns the ship when that sank it,
// its decksLeft then -1 so it is counted once; nullptr otherwise.
const ShipRecord* HitShip(ShipRecord (&fleet)[kFleetShips], int x, int y);

// The in-field cells just beyond both ends of the ship, or a one-deck ship's side
// neighbours: the water its sinking reveals. Returns how many.
int CellsBeyondShip(const ShipRecord& ship, TargetCell (&cells)[4]);
