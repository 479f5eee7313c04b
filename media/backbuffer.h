// The off-screen bitmap that holds the whole scene; painting only copies it.
#pragma once
#include <windows.h>

// A memory DC with a 510 x 400 bitmap; its text and background colours stay at the
// defaults (black on opaque white), which the status texts and picture 60 rely on.
extern HDC BackBuffer;

// Set once the background has been copied in at the first paint.
extern bool BackgroundDrawn;

void CreateBackBuffer(HWND window);
void PaintWindow(HWND window);
void ReleaseBackBuffer();
