// The player's placement: dragging ships from the panel onto the HomeBoard.
#pragma once
#include <cstdint>

#include "game/board.h"

// Vertical or Horizontal while a ship is being dragged, NoDrag otherwise.
extern int32_t PlacementDrag;

// A dropped ship, kept only to draw it again after a skin change.
struct PlacedShip {
    int32_t orientation;   // 0 vertical, 1 horizontal
    int32_t sizeIndex;     // decks - 1
    int32_t x;             // pixel of the first deck
    int32_t y;
};

extern PlacedShip PlacedShips[kFleetShips];
extern int32_t PlacedShipCount;

// Mouse handlers, with client coordinates.
void StartShipDrag(unsigned x, unsigned y);
void MoveShipDrag(unsigned x, unsigned y);
void DropShip(unsigned x, unsigned y);
void CancelShipDrag();

// The one drop rule, for the mouse and the keys: lays the ship on offer with its first deck
// at the cell, running down (Vertical) or right (Horizontal), if it fits; false if refused.
bool PlaceOfferedShip(int kind, int column, int row);

// Once the ships of a size are down, offers the next smaller size on the panel.
void OfferNextShipSize();
