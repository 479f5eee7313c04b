// The off-screen bitmap that holds the whole scene; painting only copies it.
#pragma once
#include <windows.h>

struct SceneBuffer {
    // A memory DC with a 510 x 400 bitmap; its text and background colours stay at the
    // defaults (black on opaque white), which the status texts and picture 60 rely on.
    HDC BackBuffer = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ initialBitmap = nullptr;
    // Set once the background has been copied in at the first paint.
    bool BackgroundDrawn = false;
    // Window pixels per scene pixel, each way: 1 to 3, the player's size or the display's, in
    // a window; any whole number where the scene fills a maximized or full-screen one.
    int Scale = 1;
    // The client pixel of the scene's corner: (0, 0) but where a larger window centres it.
    int Left = 0, Top = 0;
    // What the band above the boards says of the partner, as the shell last gave it.
    wchar_t PartnerLine[128] = L"";
};

extern SceneBuffer Scene;

// Bold Arial by name: a TrueType face with Cyrillic on every Windows. A family alone leaves the
// choice to the font mapper, which may pick a face without Cyrillic.
HFONT MakeArialFont(int height, DWORD charset);

void CreateBackBuffer(HWND window);
void PaintWindow(HWND window);
// Shows a rectangle of the scene, given in scene pixels, on a DC of the window's client area,
// each scene pixel as a Scene.Scale square of window pixels, from Scene.Left and Scene.Top.
void ShowSceneArea(HDC window, int left, int top, int width, int height);
// The font in which `text` (lines parted by '\n') fits width x height pixels of ink in the
// BackBuffer: `font` itself where it fits, else the largest smaller one of its kind that does,
// which the caller deletes; the smallest where none does. Nothing the scene draws is cut.
HFONT FittingFont(HFONT font, const wchar_t* text, int length, int width, int height);
// Releases the bitmap and forgets the background, as before the window was made.
void ReleaseBackBuffer();
