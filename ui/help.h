// The help file beside the program, opened in the WinHelp viewer.
#pragma once
#include <windows.h>

// The topic the four pages of the options sheet open.
constexpr DWORD kOptionsHelpContext = 6;

void OpenHelpContents(HWND owner);
void OpenHelpContext(HWND owner, DWORD context);
