// Play from the keyboard: a cell cursor over the board that matters now, shots and drops at
// it, and the rest of the player's fleet laid at random.
#pragma once
#include <windows.h>

#include <cstdint>

#include "game/board.h"

// Hidden, at the top-left cell, dropping ships down; A's seed from the performance counter.
void ResetKeyCursor();

// The seed of the fleet that A lays; tests fix it.
extern std::uint32_t (*RandomFleetSeed)();

// WM_KEYDOWN: arrows, Enter and Space, R and A, Backspace, by virtual-key code.
void OnGameKey(WPARAM key);

// Mouse actions hide the cursor. A move to where the pointer already was is no action:
// Windows repeats the last move when a window changes under a resting pointer.
void HideKeyCursor();
void NoteMouseMove(LPARAM position);

// Draws the cursor over the window's copy of the scene, never into the BackBuffer.
void DrawKeyCursor(HWND window);

// Outlines `decks` cells from (column, row) of the board at `boardLeft` on the window, at its
// scale: black, then gold where the action would be taken and red where refused; cut at the
// board's edge.
void DrawCellOutline(HWND window, int boardLeft, int column, int row, int decks, Orientation orientation,
                     bool refused);
