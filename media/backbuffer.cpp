#include "media/backbuffer.h"

#include <algorithm>
#include <cstdlib>

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

HFONT MakeArialFont(int height, DWORD charset)
{
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial");
}

constexpr int kSmallestLetter = 8;

// What a glyph's ink reaches past its advance: before the first letter, after the last.
static int Overhang(HDC dc, wchar_t first, wchar_t last)
{
    ABC before = {}, after = {};
    const bool known = GetCharABCWidthsW(dc, first, first, &before) && GetCharABCWidthsW(dc, last, last, &after);
    return known ? std::max(0, -before.abcA) + std::max(0, -after.abcC) : 0;
}

// The pixels the text's ink needs in the DC's font: the widest line and all lines' height.
static SIZE InkExtent(HDC dc, const wchar_t* text, int length)
{
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SIZE ink = {0, 0};
    for (int start = 0; start <= length;) {
        int end = start;
        while (end < length && text[end] != L'\n')
            ++end;
        SIZE line = {0, 0};
        if (end > start && GetTextExtentPoint32W(dc, text + start, end - start, &line))
            line.cx += metrics.tmOverhang + Overhang(dc, text[start], text[end - 1]);
        ink.cx = std::max(ink.cx, line.cx);
        ink.cy += metrics.tmHeight;
        start = end + 1;
    }
    return ink;
}

HFONT FittingFont(HFONT font, const wchar_t* text, int length, int width, int height)
{
    LOGFONTW kind = {};
    if (!GetObjectW(font, sizeof kind, &kind))
        return font;
    const int saved = SaveDC(Scene.BackBuffer);
    SelectObject(Scene.BackBuffer, font);
    HFONT fitting = font;
    for (int letter = std::abs(kind.lfHeight); letter > kSmallestLetter; --letter) {
        const SIZE ink = InkExtent(Scene.BackBuffer, text, length);
        if (ink.cx <= width && ink.cy <= height)
            break;
        kind.lfHeight = kind.lfHeight < 0 ? 1 - letter : letter - 1;
        HFONT smaller = CreateFontIndirectW(&kind);
        if (!smaller)
            break;
        SelectObject(Scene.BackBuffer, smaller);   // a font still selected cannot be deleted
        if (fitting != font)
            DeleteObject(fitting);
        fitting = smaller;
    }
    RestoreDC(Scene.BackBuffer, saved);
    return fitting;
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
