// Driving the program's modal dialogs from inside their own message loops (with the fixture, in
// shell_fixture.cpp).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Sends `command` to the main window and runs `script` on the dialog or property sheet that
// it opens, once the dialog's own loop runs; whatever the script leaves open is then closed.
void RunInDialog(int command, const std::function<void(HWND dialog)>& script);

// The steps of Drive. A plain control id clicks that control of the page on top, else of the
// dialog; a sheet's Apply is kApplyButton, its OK and Cancel IDOK and IDCANCEL.
constexpr int kApplyButton = 0x3021;
constexpr int Page(int page) { return -1 - page; }             // shows that page of the sheet
constexpr int Key(int key) { return 0x10000 + key; }            // as the dialog's loop hands it on
constexpr int Read(int control) { return 0x20000 + control; }   // notes its text; 0: the dialog's
constexpr int Main(int command) { return 0x30000 + command; }   // sent to the main window
constexpr int Pick(int entry) { return 0x40000 + entry; }       // clicks it in the page's list
constexpr int kChecks = 0x50000;     // notes the page's buttons in order: 1 or 0, "-" if disabled
constexpr int kPageTitle = 0x50001;  // notes the caption of the page on top
constexpr int kTick = 0x50002;       // one tick of the game's timer
constexpr int kCloseBox = 0x50003;
constexpr int kList = 0x50004;       // notes the entries of the page's list, the selected after '>'

// Opens the dialog of `command`, takes the steps and returns the notes joined by '|', then
// "open" or "closed" unless it is a sheet; "no dialog" when none opened.
std::wstring Drive(int command, const std::vector<int>& steps);


// Opens the options sheet or the statistics, makes a few random choices on the first two
// pages and leaves by a random way.
void PokeAtDialogs(unsigned seed);
