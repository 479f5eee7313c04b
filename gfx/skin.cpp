#include "gfx/skin.h"

#include <cstring>

#include "app/startup.h"
#include "gfx/scene.h"
#include "res/resource.h"
#include "ui/settings.h"

HMODULE SkinModule = nullptr;
ShipImage ShipImages[2][kLargestShip];

static const int kScenePictures[] = {CellPicture,     HitPicture,       MissPicture,
                                     BackgroundPicture, PlacementPanelPicture, BattlePanelPicture,
                                     BlankCellPicture, SunkPicture,      DeadZonePicture};
constexpr int kScenePictureCount = sizeof kScenePictures / sizeof kScenePictures[0];
static HBITMAP Pictures[kScenePictureCount];

static int PictureSlot(int picture)
{
    for (int slot = 0; slot < kScenePictureCount; ++slot)
        if (kScenePictures[slot] == picture)
            return slot;
    return -1;
}

HBITMAP SkinPicture(int picture)
{
    const int slot = PictureSlot(picture);
    return slot < 0 ? nullptr : Pictures[slot];
}

// A skin library that lacks a scene picture shows the built-in one there.
static HBITMAP LoadScenePicture(int picture)
{
    HBITMAP bitmap = LoadBitmapA(SkinModule, MAKEINTRESOURCEA(picture));
    if (!bitmap && SkinModule != ProgramInstance)
        bitmap = LoadBitmapA(ProgramInstance, MAKEINTRESOURCEA(picture));
    return bitmap;
}

// Skins are only ever read: mapped as data, so nothing in one can run. Windows before
// Vista know only the plain data-file flag.
HMODULE OpenSkinLibrary(const char* path)
{
    HMODULE library = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return library ? library : LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void LoadSkin()
{
    HMODULE library = std::strcmp(SkinName, "no") == 0 ? nullptr : OpenSkinLibrary(SkinName);
    SkinModule = library ? library : ProgramInstance;
    for (int slot = 0; slot < kScenePictureCount; ++slot)
        Pictures[slot] = LoadScenePicture(kScenePictures[slot]);
    CreateShipImages(SkinModule);
}

void CreateShipImages(HMODULE module)
{
    for (int n = 1; n <= kLargestShip; ++n)
        for (int orientation = VerticalShip; orientation <= HorizontalShip; ++orientation) {
            const bool vertical = orientation == VerticalShip;
            ShipImage& image = ShipImages[orientation][n - 1];
            image.list = ImageList_Create(vertical ? kCellSize : kCellSize * n, vertical ? kCellSize * n : kCellSize,
                                          ILC_COLOR4, 0, 1);
            if (!image.list)
                ShowErrorBox(1);
            const int id = (vertical ? IDB_SHIP_VERTICAL_1 : IDB_SHIP_HORIZONTAL_1) + n - 1;
            HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(id));
            if (!bitmap)
                ShowErrorBox(2);
            image.index = image.list && bitmap ? ImageList_Add(image.list, bitmap, nullptr) : -1;
            if (image.index == -1)
                ShowErrorBox(3);
            if (bitmap)
                DeleteObject(bitmap);
        }
}

void UnloadSkin()
{
    for (HBITMAP& picture : Pictures) {
        if (picture)
            DeleteObject(picture);
        picture = nullptr;
    }
    for (auto& orientation : ShipImages)
        for (ShipImage& image : orientation) {
            if (image.list)
                ImageList_Destroy(image.list);
            image = ShipImage{nullptr, -1};
        }
    if (SkinModule && SkinModule != ProgramInstance)
        FreeLibrary(SkinModule);
    SkinModule = ProgramInstance;
}

void ReloadBattlePanelPicture()
{
    HBITMAP& panel = Pictures[PictureSlot(BattlePanelPicture)];
    if (panel)
        DeleteObject(panel);
    panel = LoadScenePicture(BattlePanelPicture);
}
