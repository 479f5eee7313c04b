// The main window: its procedure runs the game's phases, turns and ends.
#pragma once
#include <windows.h>

constexpr const wchar_t* MainWindowClass = L"Tidewar";
constexpr int kTitleLength = 64;
constexpr UINT_PTR GameTimer = 1;
constexpr UINT kGameTimerMs = 10;

extern HWND MainWindow;
extern wchar_t TitleText[kTitleLength];

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The player has sunk the computer's fleet, or the computer the player's.
void DeclareVictory();
void DeclareDefeat();
