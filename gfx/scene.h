// The scene's layout, its pictures and the operations that draw into the BackBuffer.
// Free of Windows types: the game model draws through these and tests record them.
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

constexpr int kSceneWidth = 510;
constexpr int kSceneHeight = 400;
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

constexpr int kBattlePanelLeft = 170;
constexpr int kBattlePanelTop = 245;
constexpr int kBattlePanelWidth = 170;
constexpr int kBattlePanelHeight = 90;

// Copies a 20 x 20 picture to cell (x, y) of a board.
void DrawCellPicture(int picture, BoardSide board, int x, int y);

// Copies the upper-left width x height pixels of a picture to (left, top).
void DrawPicture(int picture, int left, int top, int width, int height);

// Draws the ship image of an orientation and n = decks - 1, opaque, at (left, top).
void DrawShipImage(int orientation, int n, int left, int top);

// Rebuilds the whole BackBuffer from the game state, after the skin has changed.
void RedrawScene();
