#include "base/program.h"

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
