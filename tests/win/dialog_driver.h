// Driving the program's modal dialogs from inside their own message loops.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Sends `command` to the main window and runs `script` on the dialog or property sheet that
// it opens, once the dialog's own loop runs; whatever the script leaves open is then closed.
// False when no dialog opened.
bool RunInDialog(int command, const std::function<void(HWND dialog)>& script);

// The Apply button of a property sheet; OK and Cancel are IDOK and IDCANCEL. Clicked, they act
// at once, where PSM_PRESSBUTTON only posts the press.
constexpr int kApplyButton = 0x3021;

// Clicks as the mouse makes them, and a key as the dialog's loop would hand it on.
void ClickButton(HWND parent, int control);
void ClickListEntry(HWND list, int index);
void PressKey(HWND dialog, WPARAM key);

std::wstring WindowText(HWND window);
std::vector<std::wstring> ListEntries(HWND list);

// The sheet's page on top; a step shows a page (0 to 3) or clicks a control on the page on top.
HWND CurrentPage(HWND sheet);
void SheetStep(HWND sheet, int step);

// Opens the options sheet or the statistics, makes a few random choices on the first two
// pages and leaves by a random way.
void PokeAtDialogs(unsigned seed);
