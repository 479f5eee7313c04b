// The music and skin pages of the options sheet. Each lists the files of its kind found in
// the program's own folder, after a first entry that stands for none, and puts the chosen
// entry into effect at once when the sheet is applied.
#pragma once
#include <windows.h>

INT_PTR CALLBACK MusicPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SkinPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
