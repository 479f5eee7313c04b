// Start-up, the main loop and the numbered error box.
#pragma once
#include <windows.h>

extern HMENU MainMenu;
extern HACCEL Accelerators;

// The one command-line word: wipes the settings key and says so.
bool IsClearCommand(const char* commandLine);
int ClearSettingsCommand();

// Settings, skin, title, menu and the main window; false when no window could be made.
bool StartUp(HINSTANCE instance, int showCommand);

// Runs until the quit message and returns its exit code.
int RunMainLoop();
