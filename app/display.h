// The display's DPI, and the main window's scale and size at it.
#pragma once
#include <windows.h>

constexpr int kLargestScale = 3;

// The one DPI of the whole system, which is the main monitor's.
UINT SystemDpi();

// The DPI of the monitor that shows the window; the system's where Windows tells no other.
UINT WindowDpi(HWND window);

// The outer size that shows the scene at `scale` inside the frame and menu bar of `dpi`.
SIZE MainWindowSize(int scale, UINT dpi);

// Whether the window with the scene at `scale` fits the work area whole.
bool WindowFits(int scale, UINT dpi, const RECT& workArea);

// The whole number nearest to dpi / 96, or the largest below it at which the window fits the
// work area; 1 where none does.
int DisplayScale(UINT dpi, const RECT& workArea);

// The window's scale for the player's size (0 follows the display): a size that does not fit
// the work area gives way to the largest that does, or to normal size.
int WindowScale(int chosen, UINT dpi, const RECT& workArea);

// The largest whole scale at which the scene's visible part fits the client area; at least 1.
int FillingScale(const RECT& client);

// The work area of the monitor nearest to the rectangle.
RECT WorkAreaAt(const RECT& place);
