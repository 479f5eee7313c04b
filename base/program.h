// The program itself: its instance, main window and game, and the numbered error boxes.
#pragma once
#include <windows.h>

#include "game/game.h"

extern HINSTANCE ProgramInstance;   // menus, dialogs and strings come from here
extern HWND MainWindow;
extern GameState Game;              // the one game this program plays

// Into path (MAX_PATH characters): the folder of the exe, with its trailing backslash; false
// when the system cannot give it whole.
bool ProgramFolder(wchar_t* path);

// Asks the main window to show what was drawn into the scene.
void InvalidateMainWindow(bool erase);

// The failures that are reported, each by its number.
enum ErrorBox {
    ImageListNotMade = 1,
    ShipPictureMissing = 2,
    ShipPictureNotAdded = 3,
    VerticalDragNotBegun = 10,
    VerticalDragNotShown = 11,
    HorizontalDragNotBegun = 12,
    HorizontalDragNotShown = 13,
    DragNotMoved = 14,
};

// "Tidewar ERROR #n"; has no owner, so the game goes on behind it.
void ShowErrorBox(ErrorBox number);
