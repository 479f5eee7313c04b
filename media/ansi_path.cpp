#include "media/ansi_path.h"

#include <windows.h>

std::wstring AnsiSafePath(const wchar_t* path)
{
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, path, -1, nullptr, 0, nullptr, &lossy) > 0 && !lossy)
        return path;
    wchar_t shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameW(path, shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? shortPath : path;
}
