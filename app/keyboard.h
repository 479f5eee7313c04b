// Play from the keyboard: a cell cursor over the board that matters now, shots and drops at
// it, and the rest of the player's fleet laid at random.
#pragma once
#include <windows.h>

#include <cstdint>

#include "game/board.h"

struct KeyCursor {
    // Shown from the first cursor key to the next mouse action; the cell is kept while
    // hidden, so the cursor comes back where it was.
    bool shown = false;
    int column = 0;
    int row = 0;
    Orientation dropOrientation = Vertical;   // which way a ship dropped by key runs
    LPARAM lastMousePosition = -1;
};

extern KeyCursor Cursor;

// Where the seed of the fleet that A lays comes from: the performance counter, unless a
// test installs its own.
struct FleetSeedPort {
    std::uint32_t (*seed)();
};

void InstallFleetSeedPort(const FleetSeedPort& port);

// Hidden, at the top-left cell, dropping ships down; the performance counter's seed.
void ResetKeyCursor();

// The key A and the Game menu's item: the ships still on offer laid at random, while the
// player places and drags none.
void PlaceRestAtRandom();

// WM_KEYDOWN: arrows, Enter and Space, R and A, Backspace, by virtual-key code.
void OnGameKey(WPARAM key);

// Mouse actions hide the cursor. A move to where the pointer already was is no action:
// Windows repeats the last move when a window changes under a resting pointer.
void HideKeyCursor();
void NoteMouseMove(LPARAM position);

// Draws the cursor over the window's copy of the scene, never into the BackBuffer.
void DrawKeyCursor(HWND window);
