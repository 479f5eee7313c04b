// The About box: logo, name, version, and the mail and web links.
#pragma once
#include <windows.h>

// Modal over the owner; opened by the menu command "About...".
void ShowAboutDialog(HWND owner);

// What the box asks of the system: the shell call that opens a link. Tests install a
// recorder; the reset puts the real call back.
struct AboutPort {
    HINSTANCE(WINAPI* shellOpen)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
};

void InstallAboutPort(const AboutPort& port);
void ResetAbout();
