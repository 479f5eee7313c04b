#include "media/ansi_path.h"

void AnsiSafePath(const wchar_t* path, wchar_t (&safe)[MAX_PATH])
{
    BOOL lossy = FALSE;
    const bool writable = WideCharToMultiByte(CP_ACP, 0, path, -1, nullptr, 0, nullptr, &lossy) > 0 && !lossy;
    const DWORD length = writable ? 0 : GetShortPathNameW(path, safe, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        lstrcpynW(safe, path, MAX_PATH);
}
