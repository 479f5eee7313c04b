#include "media/backbuffer.h"

#include "media/scene.h"

HDC BackBuffer = nullptr;
bool BackgroundDrawn = false;

static HBITMAP SceneBitmap = nullptr;
static HGDIOBJ InitialBitmap = nullptr;

void CreateBackBuffer(HWND window)
{
    HDC screen = GetDC(window);
    BackBuffer = CreateCompatibleDC(screen);
    SceneBitmap = CreateCompatibleBitmap(screen, kSceneWidth, kSceneHeight);
    InitialBitmap = SelectObject(BackBuffer, SceneBitmap);
    ReleaseDC(window, screen);
}

void PaintWindow(HWND window)
{
    if (!BackgroundDrawn) {
        DrawPicture(BackgroundPicture, 0, 0, kSceneWidth, kSceneHeight);
        BackgroundDrawn = true;
    }
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    BitBlt(screen, 0, 0, kSceneWidth, kSceneHeight, BackBuffer, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
}

// Safe to call twice: the Exit command releases it and the window's end may follow.
void ReleaseBackBuffer()
{
    if (!BackBuffer)
        return;
    SelectObject(BackBuffer, InitialBitmap);
    DeleteObject(SceneBitmap);
    DeleteDC(BackBuffer);
    BackBuffer = nullptr;
    SceneBitmap = nullptr;
}
