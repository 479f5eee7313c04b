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
    // A borderless window over the whole monitor, without the menu; the place to go back to.
    bool fullScreen = false;
    WINDOWPLACEMENT beforeFullScreen = {};
    // Maximized or full screen at the last layout: the scene is centred in a larger window.
    bool sceneFills = false;
};

extern MainWindowState MainFrame;

// The caption is named although Windows adds it anyway: AdjustWindowRect counts only what is named.
// No sizing frame: only the scale changes a window's size, or maximizing it.
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The size to make the window at: the scene at the scale for the main monitor. Where the window
// comes up on a monitor of the same DPI, fitting it then changes nothing.
SIZE FirstMainWindowSize();

// Takes the scale for the window's DPI and work area where it stands and sizes the window to the
// scene at it; maximized or full screen, centres the scene at the largest scale that fits.
void FitMainWindow();

// As before start-up: no menu, no accelerators, the plain title.
void ResetMainWindow();

// The main menu in the current language, with that language and the player's size ticked.
HMENU LoadMainMenu();

// Posted at the end of start-up, so that what the first screen does not need is made once the
// window has shown and answers, ahead of any input; wParam is nonzero when a kept battle,
// drawn at start-up, made the ship images already.
constexpr UINT FinishStartUpMessage = WM_APP + 3;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

