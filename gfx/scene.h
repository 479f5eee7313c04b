// The scene's layout beyond the model's boards, and the redraw after a change of skin.
// Free of Windows types, so that the tests can name the same geometry.
#pragma once
#include "game/view.h"

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

// The point of a dragged ship's image that follows the mouse, from the image's corner.
constexpr int kVerticalDragHotspotX = 10;
constexpr int kHorizontalDragHotspotX = 0;
constexpr int kDragHotspotY = -30;

// Rebuilds the whole BackBuffer from the game state, after the skin has changed.
void RedrawScene();
