// The statistics dialog: the games won and lost with their shares, and a reset.
#pragma once
#include <windows.h>

// Runs the dialog modally over `owner`; it always shows what the store holds.
void ShowStatistics(HWND owner);
