// The music and skin pages of the options sheet. Each lists the files of its kind found in
// the program's own folder, after a first entry that stands for none, and puts the chosen
// entry into effect at once when the sheet is applied.
#pragma once
#include <windows.h>

#include "base/settings.h"

// Files listed after the first entry, at most.
constexpr int kMaxListedFiles = 250;

// Entry k of a list: the lower-case path behind it, entry 0 the one that stands for none.
struct ChoicePaths {
    wchar_t path[kMaxListedFiles + 1][kSettingTextSize] = {};
    int count = 0;
};

struct MediaPagesState {
    ChoicePaths musicChoices;
    ChoicePaths skinChoices;
    // The player has picked another entry since the page was made or last applied.
    bool musicChanged = false;
    bool skinChanged = false;
};

extern MediaPagesState MediaPages;

void ResetMediaPages();

INT_PTR CALLBACK MusicPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SkinPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
