#include "app/display.h"

#include "app/window.h"
#include "media/scene.h"

// Windows 10 answers per window and per DPI, Windows 8.1 per monitor; older ones have one
// DPI for the whole system. Looked up at run time, so that the program starts on all of them.
using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
static Function Lookup(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

UINT SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT WindowDpi(HWND window)
{
    if (const auto forWindow = Lookup<DpiForWindow>(L"user32.dll", "GetDpiForWindow"))
        if (const UINT dpi = forWindow(window))
            return dpi;
    // shcore is not loaded by anything else; where it is missing, the system DPI holds.
    if (!GetModuleHandleW(L"shcore.dll"))
        LoadLibraryW(L"shcore.dll");
    UINT x = 0, y = 0;
    const auto forMonitor = Lookup<DpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    if (forMonitor && forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y) == S_OK && y)
        return y;
    return SystemDpi();
}

SIZE MainWindowSize(int scale, UINT dpi)
{
    RECT frame = {0, 0, scale * kClientWidth, scale * kClientHeight};
    const auto adjust = Lookup<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&frame, kMainWindowStyle, TRUE, 0, dpi))
        AdjustWindowRectEx(&frame, kMainWindowStyle, TRUE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

bool WindowFits(int scale, UINT dpi, const RECT& workArea)
{
    const SIZE size = MainWindowSize(scale, dpi);
    return size.cx <= workArea.right - workArea.left && size.cy <= workArea.bottom - workArea.top;
}

static int LargestScaleThatFits(UINT dpi, const RECT& workArea)
{
    int scale = kLargestScale;
    while (scale > 1 && !WindowFits(scale, dpi, workArea))
        --scale;
    return scale;
}

int DisplayScale(UINT dpi, const RECT& workArea)
{
    const int nearest = static_cast<int>((dpi + USER_DEFAULT_SCREEN_DPI / 2) / USER_DEFAULT_SCREEN_DPI);
    const int largest = LargestScaleThatFits(dpi, workArea);
    return nearest < 1 ? 1 : nearest < largest ? nearest : largest;
}

int WindowScale(int chosen, UINT dpi, const RECT& workArea)
{
    if (!chosen)
        return DisplayScale(dpi, workArea);
    const int largest = LargestScaleThatFits(dpi, workArea);
    return chosen < largest ? chosen : largest;
}

int FillingScale(const RECT& client)
{
    const int across = client.right / kClientWidth, down = client.bottom / kClientHeight;
    const int scale = across < down ? across : down;
    return scale > 1 ? scale : 1;
}

RECT WorkAreaAt(const RECT& place)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}
