// The main window: its procedure runs the game's phases, turns and ends.
#pragma once
#include <windows.h>

constexpr const wchar_t* MainWindowClass = L"Tidewar";
constexpr int kTitleLength = 64;
constexpr UINT_PTR GameTimer = 1;
constexpr UINT kGameTimerMs = 10;

extern wchar_t TitleText[kTitleLength];

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A press at client (px, py): the player's shot when it lands strictly inside a cell of
// the EnemyBoard.
void FireAtEnemy(unsigned px, unsigned py);
