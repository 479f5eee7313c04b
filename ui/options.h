// The options property sheet: the skill of the computer, the marking of sunk ships, the
// sound, the kind of counter, the music and the skin, each page in the current language.
#pragma once
#include <windows.h>

// Runs the sheet modally over `owner`; its four pages are made afresh at every opening.
void ShowOptionsSheet(HWND owner);

// A change on a page enables the sheet's Apply button.
void ReportPageChanged(HWND page);

// A page's own part: what it shows whenever it becomes active, and what OK and Apply store.
struct PageActions {
    void (*show)(HWND page);
    void (*apply)(HWND page);
};

// Answers the sheet's notifications as every page does: the page's actions when it becomes
// active and when it is applied, unchanged when it is left, the options' topic on Help.
void OnPageNotify(HWND page, const NMHDR* header, const PageActions& actions);
