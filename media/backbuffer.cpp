#include "media/backbuffer.h"

#include "media/scene.h"

SceneBuffer Scene;

void CreateBackBuffer(HWND window)
{
    HDC screen = GetDC(window);
    Scene.BackBuffer = CreateCompatibleDC(screen);
    Scene.bitmap = CreateCompatibleBitmap(screen, kSceneWidth, kSceneHeight);
    Scene.initialBitmap = SelectObject(Scene.BackBuffer, Scene.bitmap);
    ReleaseDC(window, screen);
}

// Where the client area is larger than the scene's visible part, plain black around it.
static void FillAroundScene(HWND window, HDC screen)
{
    RECT client;
    GetClientRect(window, &client);
    const int scale = Scene.Scale;
    ExcludeClipRect(screen, Scene.Left, Scene.Top, Scene.Left + scale * kClientWidth, Scene.Top + scale * kClientHeight);
    FillRect(screen, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectClipRgn(screen, nullptr);
}

void PaintWindow(HWND window)
{
    if (!Scene.BackgroundDrawn) {
        DrawPicture(BackgroundPicture, 0, 0, kSceneWidth, kSceneHeight);
        DrawStartHint();
        Scene.BackgroundDrawn = true;
    }
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window, &paint);
    ShowSceneArea(screen, 0, 0, kClientWidth, kClientHeight);
    FillAroundScene(window, screen);
    EndPaint(window, &paint);
}

// Copies, never blends: at an integer scale every scene pixel stays one colour.
void ShowSceneArea(HDC window, int left, int top, int width, int height)
{
    const int scale = Scene.Scale;
    SetStretchBltMode(window, COLORONCOLOR);
    StretchBlt(window, Scene.Left + left * scale, Scene.Top + top * scale, width * scale, height * scale,
               Scene.BackBuffer, left, top, width, height, SRCCOPY);
}

// Safe to call twice: the Exit command releases it and the window's end may follow.
void ReleaseBackBuffer()
{
    if (Scene.BackBuffer) {
        SelectObject(Scene.BackBuffer, Scene.initialBitmap);
        DeleteObject(Scene.bitmap);
        DeleteDC(Scene.BackBuffer);
    }
    Scene = SceneBuffer{};
}
