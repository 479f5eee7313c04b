// The main window: its procedure runs the game's phases, turns and ends.
#pragma once
#include <windows.h>

constexpr const wchar_t* MainWindowClass = L"Tidewar";
constexpr int kTitleLength = 64;

struct MainWindowState {
    wchar_t TitleText[kTitleLength] = L"Tidewar";
    HMENU MainMenu = nullptr;
    HACCEL Accelerators = nullptr;
    // A box that closes over an open dialog enables the main window again, so the menu works
    // behind the dialog; a second dialog must not open over the first, whose pages share state.
    bool dialogOpen = false;
    // The question before a battle is abandoned is open.
    bool askingToAbandon = false;
};

extern MainWindowState MainFrame;

// The caption is named although Windows adds it anyway: AdjustWindowRect counts only what is named.
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Takes the scale for the window's DPI where it stands and sizes the window to the scene at it.
void FitMainWindow();

// As before start-up: no menu, no accelerators, the plain title.
void ResetMainWindow();

// The main menu in the current language, with that language and the player's size ticked.
HMENU LoadMainMenu();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

