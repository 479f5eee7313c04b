// The player's placement by mouse: dragging the ship on offer from the panel onto the
// HomeBoard, where the model's drop rule takes or refuses it.
#pragma once
#include "game/board.h"

struct ShipDrag {
    bool PlacementDrag = false;              // a ship is being dragged
    Orientation orientation = Vertical;      // the picture it was taken from
    bool moveFailureShown = false;           // a drag image that cannot move is reported once a drag
};

extern ShipDrag Dragging;

void ResetShipDrag();

// Mouse handlers, with client coordinates.
void StartShipDrag(unsigned x, unsigned y);
void MoveShipDrag(unsigned x, unsigned y);
void DropShip(unsigned x, unsigned y);
void CancelShipDrag();
