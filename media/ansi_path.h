// Paths for the parts of the system that take ANSI names only: every WinHelp viewer, and
// Wine's MIDI sequencer, squeeze a wide path through the code page.
#pragma once
#include <windows.h>

// Into `safe`: the path itself when the ANSI code page can write it, else its short form,
// which is ASCII where the file system keeps short names.
void AnsiSafePath(const wchar_t* path, wchar_t (&safe)[MAX_PATH]);
