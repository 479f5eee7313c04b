// The options property sheet: the skill of the computer, the marking of sunk ships, the
// sound, the kind of counter, the music and the skin, each page in the current language.
#pragma once
#include <windows.h>

// Runs the sheet modally over `owner`; its four pages are made afresh at every opening.
void ShowOptionsSheet(HWND owner);

// What a page tells the sheet: a change enables Apply, leaving the page reports it unchanged.
void ReportPageChanged(HWND page);
void ReportPageUnchanged(HWND page);
