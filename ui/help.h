// Help: the help file beside the exe, opened at its contents or at one topic.
#pragma once
#include <windows.h>

void OpenHelpContents(HWND owner);
void OpenHelpContext(HWND owner, DWORD context);

// The topic of the options sheet's pages.
constexpr DWORD kOptionsHelpContext = 6;
