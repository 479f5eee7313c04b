// The About box: logo, name, version, and the mail and web links.
#pragma once
#include <windows.h>

// Modal over the owner; opened by the menu command "About...".
void ShowAboutDialog(HWND owner);

// The shell call that opens a link. Tests put a recorder here.
using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellOpenFunction ShellOpen;
