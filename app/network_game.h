// The network game's glue: the model's port on the link and the system's cryptography, the
// link's events to the model and the dialog, and the menu command.
#pragma once
#include <windows.h>

// At start-up, before any connection.
void InstallNetwork();

// Game › Network game...: the dialog; once a partner is connected, the game against it starts.
void OpenNetworkGame(HWND window);
