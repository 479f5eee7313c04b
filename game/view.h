// What the model asks of the screen: drawing into the scene, the status panel, showing
// what was drawn, and the computer's pause. The shell implements these (gfx/scene,
// app/status, app/window, app/pause); the native tests record them instead.
#pragma once

// Pictures of a skin, by resource id.
enum Picture {
    CellPicture = 30,
    HitPicture = 35,
    MissPicture = 40,
    BackgroundPicture = 45,
    PlacementPanelPicture = 50,
    BattlePanelPicture = 55,
    BlankCellPicture = 60,
    SunkPicture = 65,
    DeadZonePicture = 70,
};

enum BoardSide { EnemySide, HomeSide };

// Ship images by orientation (the index of ShipImages).
enum ShipOrientation { VerticalShip = 0, HorizontalShip = 1 };

// The boards and the placement panel, in scene pixels.
constexpr int kCellSize = 20;
constexpr int kBoardTop = 30;
constexpr int kEnemyBoardLeft = 30;
constexpr int kHomeBoardLeft = 280;
constexpr int kBoardPixels = 200;

constexpr int kPlacementPanelLeft = 165;
constexpr int kPlacementPanelTop = 240;
constexpr int kPlacementPanelWidth = 180;
constexpr int kPlacementPanelHeight = 100;
constexpr int kOfferedVerticalLeft = 200;
constexpr int kOfferedVerticalTop = 250;
constexpr int kOfferedHorizontalLeft = 240;
constexpr int kOfferedHorizontalTop = 275;

// Copies a 20 x 20 picture to cell (x, y) of a board.
void DrawCellPicture(int picture, BoardSide board, int x, int y);

// Copies the upper-left width x height pixels of a picture to (left, top).
void DrawPicture(int picture, int left, int top, int width, int height);

// Draws the ship image of an orientation and n = decks - 1, opaque, at (left, top).
void DrawShipImage(int orientation, int n, int left, int top);

// Status messages, by the Russian string id.
enum StatusMessage {
    ForgetMessage = 0,
    MissMessage = 100,
    HitMessage = 101,
    WinLevel1Message = 102,
    ComputerWinsMessage = 103,
    WinLevel2Message = 104,
    WinLevel3Message = 105,
    SunkMessage = 106,
    NoMessage = -500,
};

// 0 forgets the message, above 0 shows and remembers it, below 0 shows the remembered one.
void ShowStatusMessage(int id);

// Both counters: the computer's fleet on the left, the player's on the right.
void DrawCounters();

// Asks the main window to show what was drawn.
void InvalidateMainWindow(bool erase);

// Blocks the game thread for a moment before each of the computer's shots.
void PauseBeforeComputerShot();
