// The pictures of a Tidewar skin, painted by code. Two looks share every size,
// depth and meaning: the built-in daylight storm and a moonlit night.
#pragma once

#include <string>
#include <vector>

#include "bmp_file.h"

enum class Theme { Day, Night };

struct Look {
    Theme theme;
    // Colours the small pictures agree on (indices into the VGA palette).
    uint8_t water, ripple, foam;
    uint8_t panelLine, panelBand;
};
Look lookOf(Theme theme);

struct SkinFile {
    std::string name;  // file name inside the skin folder
    Picture picture;
};

// Ships: vertical (seen from above, bow up) and horizontal (side view, bow right).
Picture paintVerticalShip(const Look& look, int decks);
Picture paintHorizontalShip(const Look& look, int decks);

// The board cell pictures and the two panels.
Picture paintCell(const Look& look);
Picture paintHit(const Look& look);
Picture paintMiss(const Look& look);
Picture paintSunk(const Look& look);
Picture paintDeadZone(const Look& look);
Picture paintBlankCell();
Picture paintPlacementPanel(const Look& look);
Picture paintBattlePanel(const Look& look);

// The 511 x 401 window background, 256 colours.
Picture paintBackground(Theme theme);
// The setup's welcome and finish pages' 164 x 314 picture, from the day background.
Picture paintSetupPicture();

std::vector<SkinFile> paintSkin(Theme theme);

// 32 x 32 and 16 x 16, true colour with alpha.
std::vector<RgbaImage> paintIcon();

// The About box: the maker's logo (64 x 64, 16 colours) and the hand over its links
// (32 x 32, 16 colours; `clear` marks the see-through pixels), written as a .cur file.
Picture paintLogo();
Picture paintHandCursor(std::vector<bool>& clear);
std::vector<uint8_t> encodeCursor(const Picture& pic, const std::vector<bool>& clear, int hotX, int hotY);

// Reads a written skin back and judges it; prints one line per fault.
// Returns the number of faults.
int checkSkin(const std::string& dir, Theme theme);
int checkIcon(const std::string& path);

// A preview of the window: the background with boards and a panel drawn from
// the skin's files, as the game lays them out. Written as a 24-bit BMP.
void writeScenePreview(const std::string& skinDir, bool battle, const std::string& outPath);
