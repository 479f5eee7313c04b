// The player's placement by mouse: dragging the ship on offer from the panel onto the
// HomeBoard, where the model's drop rule takes or refuses it.
#pragma once
#include <windows.h>

#include "game/board.h"

struct ShipDrag {
    bool PlacementDrag = false;              // a ship is being dragged
    Orientation orientation = Vertical;      // the picture it was taken from
    bool moveFailureShown = false;           // a drag image that cannot move is reported once a drag
    int outlineColumn = -1;                  // the cell outlined under the drag; -1 off the HomeBoard
    int outlineRow = -1;
};

extern ShipDrag Dragging;

void ResetShipDrag();

// Mouse handlers, with client coordinates.
void StartShipDrag(unsigned x, unsigned y);
void MoveShipDrag(unsigned x, unsigned y);
void DropShip(unsigned x, unsigned y);
void CancelShipDrag();

// Outlines on the window where a drop at the drag's point would lay the ship.
void DrawShipDragOutline(HWND window);

// A right-click on the last ship laid, and Backspace, lift that ship back onto the panel.
void TakeBackShipAt(unsigned x, unsigned y);
void TakeBackShip();

// Outlines `decks` cells from (column, row) of the board at `boardLeft` on the window, at its
// scale: black, then gold where the action would be taken and red where refused; cut at the
// board's edge.
void DrawCellOutline(HWND window, int boardLeft, int column, int row, int decks, Orientation orientation,
                     bool refused);
