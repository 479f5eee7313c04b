#include "base/program.h"

#include <cwchar>

HINSTANCE ProgramInstance = nullptr;
HWND MainWindow = nullptr;
GameState Game;

void InvalidateMainWindow(bool erase)
{
    InvalidateRect(MainWindow, nullptr, erase);
}

void ShowErrorBox(ErrorBox number)
{
    char text[32];
    wsprintfA(text, "Tidewar ERROR #%d", static_cast<int>(number));
    MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONERROR);
}

bool ProgramFolder(wchar_t* path)
{
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t* const lastBackslash = length > 0 && length < MAX_PATH ? std::wcsrchr(path, L'\\') : nullptr;
    if (!lastBackslash)
        return false;
    lastBackslash[1] = L'\0';
    return true;
}
