// The scene in the BackBuffer: its layout, its pictures, what the game's steps draw, and
// the redraw after a change of skin. The layout is free of Windows types, so that the
// tests can name the same geometry.
#pragma once
#include "game/board.h"
#include "game/game.h"

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

constexpr int kSceneWidth = 510;
constexpr int kSceneHeight = 400;

constexpr int kBattlePanelLeft = 170;
constexpr int kBattlePanelTop = 245;
constexpr int kBattlePanelWidth = 170;
constexpr int kBattlePanelHeight = 90;

// A box of the status panel: the rectangle cleared before drawing and the text origin.
struct StatusBox {
    int left, top, width, height;
    int textX, textY;
};

// The counter texts start 5 pixels above their boxes; the opaque text background covers
// that strip behind the digits.
constexpr StatusBox kMessageLine = {170, 250, 160, 21, 175, 250};
constexpr StatusBox kEnemyCounterBox = {175, 285, 70, 45, 190, 280};
constexpr StatusBox kHomeCounterBox = {260, 285, 80, 45, 280, 280};

// The first screen's hint: a band above the boards, centred on the visible client width.
constexpr int kStartHintTop = 4;
constexpr int kStartHintHeight = 24;
constexpr int kBandMargin = 4;

// The placing panel's hint of the random fleet: the white field below the horizontal ship on
// offer, right of the vertical one.
constexpr StatusBox kPlacingHintBox = {226, 300, 112, 33, 226, 300};

// Ink of a text the scene draws keeps this many white pixels off the edge of its box.
constexpr int kInkGap = 2;
// The part of the scene the window shows at normal size, from the scene's corner: the client
// area of the 510 x 400 window of old at 96 DPI.
constexpr int kClientWidth = 504;
constexpr int kClientHeight = 356;

// The point of a dragged ship's image that follows the mouse, from the image's corner.
constexpr int kVerticalDragHotspotX = 10;
constexpr int kHorizontalDragHotspotX = 0;
constexpr int kDragHotspotY = -30;

// The cell of the board under a press at client (x, y), strictly inside the board's edge
// lines; false elsewhere.
bool CellUnderPress(BoardSide side, unsigned x, unsigned y, int& column, int& row);

// Copies the upper-left width x height pixels of a picture to (left, top).
void DrawPicture(int picture, int left, int top, int width, int height);

// The picture of the cell's state: a hit, a miss, a sunk deck or a dead zone; the board's
// last shot wears a ring.
void DrawCell(BoardSide side, int x, int y);

// Whose turn it is: in a battle, a frame around the board being fired at; none otherwise.
void DrawTurnFrame();

// After a defeat, the computer's ships still afloat.
void DrawShipsAfloat();

// The panel steps down to ships of `size` decks (0: none left).
void DrawNextShipSize(int size);

void DrawPlacedShip(const PlacedShip& ship);

// The battle panel, loaded afresh from the skin.
void DrawBattlePanel();

// Before the first game: the line that tells how to begin one, in the current language.
void DrawStartHint();

// While the player places: how to lay the fleet at random, in the current language.
void DrawPlacingHint();

// The band above the boards says `text` of the partner, kept for the redraws; the start hint
// where it is empty.
void DrawPartnerLine(const wchar_t* text);

// Rebuilds the whole BackBuffer from the game state: at a new game, and after the skin has changed.
void RedrawScene();
