#include "media/skin.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <initializer_list>

#include "base/program.h"
#include "base/settings.h"
#include "media/scene.h"
#include "res/resource.h"

LoadedSkin Skin;

// The scene pictures, each with the part of it that the scene copies.
struct ScenePicture {
    int id, width, height;
};
static const ScenePicture kScenePictures[] = {
    {CellPicture, kCellSize, kCellSize},
    {HitPicture, kCellSize, kCellSize},
    {MissPicture, kCellSize, kCellSize},
    {BackgroundPicture, kSceneWidth, kSceneHeight},
    {PlacementPanelPicture, kPlacementPanelWidth, kPlacementPanelHeight},
    {BattlePanelPicture, kBattlePanelWidth, kBattlePanelHeight},
    {BlankCellPicture, kCellSize, kCellSize},
    {SunkPicture, kCellSize, kCellSize},
    {DeadZonePicture, kCellSize, kCellSize},
};
static_assert(sizeof kScenePictures / sizeof kScenePictures[0] == kScenePictureCount, "one slot a picture");

static int PictureSlot(int picture)
{
    for (int slot = 0; slot < kScenePictureCount; ++slot)
        if (kScenePictures[slot].id == picture)
            return slot;
    return -1;
}

bool IsWholeBitmap(const void* bytes, DWORD size, int width, int height)
{
    BITMAPINFOHEADER header;
    if (!bytes || size < sizeof header)
        return false;
    std::memcpy(&header, bytes, sizeof header);
    const WORD bits = header.biBitCount;
    const bool fields = header.biCompression == BI_BITFIELDS;
    const bool uncompressed = header.biCompression == BI_RGB || (fields && (bits == 16 || bits == 32));
    const bool depth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (header.biSize < sizeof header || header.biPlanes != 1 || !uncompressed || !depth ||
        header.biWidth < width)
        return false;
    const uint64_t rows = std::abs(int64_t{header.biHeight});  // negative: top-down
    // A palette holds at most one colour per pixel value.
    const uint64_t palette = bits <= 8 ? uint64_t{1} << bits : 0;
    if (rows < uint64_t(height) || (bits <= 8 && header.biClrUsed > palette))
        return false;
    // Each term is below 2^35, so the sum cannot wrap; the pixels are compared by division.
    const uint64_t masks = fields && header.biSize == sizeof header ? 12 : 0;
    const uint64_t colours = header.biClrUsed ? header.biClrUsed : palette;
    const uint64_t before = uint64_t{header.biSize} + masks + 4 * colours;
    const uint64_t stride = (uint64_t(header.biWidth) * bits + 31) / 32 * 4;
    return before <= size && (rows == 0 || stride <= (size - before) / rows);
}

// The bitmap resource `id` of the module, when IsWholeBitmap holds for it.
static bool IsWholeBitmapResource(HMODULE module, int id, int width, int height)
{
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
    const void* bytes = resource ? LockResource(LoadResource(module, resource)) : nullptr;
    return bytes && IsWholeBitmap(bytes, SizeofResource(module, resource), width, height);
}

// A skin bitmap that is missing, lies about its size or is too small is not loaded. A DIB
// section keeps the picture at its own depth, converted only when copied: under Wine the first
// screen came some 4 ms sooner than with the background converted to the screen's at load.
static HBITMAP LoadWholeBitmap(HMODULE module, int id, int width, int height)
{
    if (!IsWholeBitmapResource(module, id, width, height))
        return nullptr;
    return static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// A skin library whose scene picture cannot be used shows the built-in one there.
static HBITMAP LoadScenePicture(int slot)
{
    const ScenePicture& picture = kScenePictures[slot];
    HBITMAP bitmap = LoadWholeBitmap(Skin.SkinModule, picture.id, picture.width, picture.height);
    if (!bitmap && Skin.SkinModule != ProgramInstance)
        bitmap = LoadWholeBitmap(ProgramInstance, picture.id, picture.width, picture.height);
    return bitmap;
}

// Loaded when first drawn: the first screen needs only the background.
HBITMAP SkinPicture(int picture)
{
    const int slot = PictureSlot(picture);
    if (slot < 0)
        return nullptr;
    if (!Skin.pictures[slot])
        Skin.pictures[slot] = LoadScenePicture(slot);
    return Skin.pictures[slot];
}

// Skins are only ever read: mapped as data, so nothing in one can run. Windows before
// Vista know only the plain data-file flag.
HMODULE OpenSkinLibrary(const wchar_t* path)
{
    HMODULE library = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return library ? library : LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void MakeShipImages()
{
    const HMODULE module = Skin.SkinModule;
    for (int n = 1; n <= kLargestShip; ++n)
        for (Orientation orientation : {Vertical, Horizontal}) {
            const bool vertical = orientation == Vertical;
            ShipImage& image = Skin.ShipImages[orientation][n - 1];
            const int width = vertical ? kCellSize : kCellSize * n, height = vertical ? kCellSize * n : kCellSize;
            image.list = ImageList_Create(width, height, ILC_COLOR4, 0, 1);
            if (!image.list)
                ShowErrorBox(ImageListNotMade);
            const int id = (vertical ? IDB_SHIP_VERTICAL_1 : IDB_SHIP_HORIZONTAL_1) + n - 1;
            // One that cannot be used counts as missing: errors 2 and 3, and that ship is not drawn.
            HBITMAP bitmap = LoadWholeBitmap(module, id, width, height);
            if (!bitmap)
                ShowErrorBox(ShipPictureMissing);
            image.index = image.list && bitmap ? ImageList_Add(image.list, bitmap, nullptr) : -1;
            if (image.index == -1)
                ShowErrorBox(ShipPictureNotAdded);
            if (bitmap)
                DeleteObject(bitmap);
        }
}

void OpenSkin()
{
    HMODULE library = std::wcscmp(Settings.SkinName, L"no") == 0 ? nullptr : OpenSkinLibrary(Settings.SkinName);
    Skin.SkinModule = library ? library : ProgramInstance;
}

void LoadSkin()
{
    OpenSkin();
    MakeShipImages();
}

void UnloadSkin()
{
    for (HBITMAP picture : Skin.pictures)
        if (picture)
            DeleteObject(picture);
    for (auto& orientation : Skin.ShipImages)
        for (ShipImage& image : orientation)
            if (image.list)
                ImageList_Destroy(image.list);
    if (Skin.SkinModule && Skin.SkinModule != ProgramInstance)
        FreeLibrary(Skin.SkinModule);
    Skin = LoadedSkin{};
    Skin.SkinModule = ProgramInstance;
}

void ReloadBattlePanelPicture()
{
    const int slot = PictureSlot(BattlePanelPicture);
    if (Skin.pictures[slot])
        DeleteObject(Skin.pictures[slot]);
    Skin.pictures[slot] = nullptr;
}
