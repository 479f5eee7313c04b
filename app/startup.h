// Start-up, the main loop, and the one reset of the whole program.
#pragma once
#include <windows.h>

// The one command-line word: wipes the settings key and says so.
bool IsClearCommand(const char* commandLine);
int ClearSettingsCommand();

// Settings, skin, title, menu and the main window; false when no window could be made.
bool StartUp(HINSTANCE instance, int showCommand);

// Runs until the quit message and returns its exit code.
int RunMainLoop();

// Every owner's state as a fresh process has it, the model's included. The window, the
// skin and the scene are released by the end of the program, not here.
void ResetProgram();
