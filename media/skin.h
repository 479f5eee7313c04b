// The skin: the pictures of the scene, the ship image lists and the module that holds
// them (a skin library beside the exe, or the program itself).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "game/board.h"

// One ship picture in its own image list.
struct ShipImage {
    HIMAGELIST list = nullptr;
    int index = -1;
};

// The nine pictures of the scene.
constexpr int kScenePictureCount = 9;

struct LoadedSkin {
    // Where pictures and sounds are loaded from.
    HMODULE SkinModule = nullptr;
    // By orientation and decks - 1.
    ShipImage ShipImages[2][kLargestShip] = {};
    // The scene pictures, in the order of the skin's table; nullptr where none is loaded yet or
    // none could be.
    HBITMAP pictures[kScenePictureCount] = {};
};

extern LoadedSkin Skin;

// The loaded bitmap of a scene picture (30, 35, ... 70), or nullptr.
HBITMAP SkinPicture(int picture);

// Whether `size` bytes at `bytes` hold an uncompressed bitmap of at least width x height
// whose header, colour table and pixels lie wholly within them. LoadBitmapA trusts the
// header: one that claims more pixels than the resource holds makes it read past the
// resource (under Wine that can end the process inside the call).
bool IsWholeBitmap(const void* bytes, DWORD size, int width, int height);

// Opens a skin library as data only; release it with FreeLibrary. nullptr when it cannot.
HMODULE OpenSkinLibrary(const wchar_t* path);

// Opens the skin that SkinName names, or the built-in one; its scene pictures load as they are
// first drawn.
void OpenSkin();
// The open skin's ship pictures, made into image lists. Common controls load with the first,
// which at start-up waits until the window has shown: the first screen shows no ship.
void MakeShipImages();
// Both: the skin is changed.
void LoadSkin();
// Releases the pictures, the image lists and the library: the skin is the program's own again.
void UnloadSkin();

// The battle panel is loaded afresh at every switch to battle.
void ReloadBattlePanelPicture();
