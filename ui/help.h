// Help: the help file beside the exe, opened at its contents or at one topic.
#pragma once
#include <windows.h>

// The HTML Help viewer, loaded at its first use and kept: its window lives in this process.
struct HelpViewer {
    HMODULE library = nullptr;
};

extern HelpViewer Help;

// Closes the HTML Help windows and unloads the viewer.
void ResetHelp();

void OpenHelpContents(HWND owner);
void OpenHelpContext(HWND owner, DWORD context);

// The topic of the options sheet's pages.
constexpr DWORD kOptionsHelpContext = 6;
