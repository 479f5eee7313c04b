// The music and skin pages of the options sheet. Each lists the files of its kind found in
// the program's own folder, after a first entry that stands for none, and puts the chosen
// entry into effect at once when the sheet is applied.
#pragma once
#include <windows.h>

// Files listed after the first entry, at most.
constexpr int kMaxListedFiles = 250;

INT_PTR CALLBACK MusicPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SkinPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Refill a page's list and the paths behind it; the index of the entry that the current
// setting names, or -1 when none does.
int FillMusicList(HWND list);
int FillSkinList(HWND list);

// Store and play list entry `index` of the last filled music list, or store and show that
// skin; an index below 0 (no selection) does nothing.
void ApplyMusicChoice(int index);
void ApplySkinChoice(int index);
