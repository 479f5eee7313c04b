// Play from the keyboard: a cell cursor over the board that matters now, shots and drops at
// it, and the rest of the player's fleet laid at random.
#pragma once
#include <windows.h>

// Shown from the first cursor key to the next mouse action; the cell is kept while hidden,
// so the cursor comes back where it was.
extern bool KeyCursorShown;
extern int KeyCursorColumn;
extern int KeyCursorRow;

// Which way a ship dropped by key runs from the cursor: Vertical or Horizontal.
extern int KeyDropKind;

// WM_KEYDOWN: arrows, Enter and Space, R and A, by virtual-key code.
void OnGameKey(WPARAM key);

// Mouse actions hide the cursor. A move to where the pointer already was is no action:
// Windows repeats the last move when a window changes under a resting pointer.
void HideKeyCursor();
void NoteMouseMove(LPARAM position);

// Draws the cursor over the window's copy of the scene, never into the BackBuffer.
void DrawKeyCursor(HWND window);
