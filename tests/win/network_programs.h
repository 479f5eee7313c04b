// Waits and dialogs of the network tests, which drive sockets and programs of their own.
#pragma once
#include "tests/win/shell_fixture.h"

// Whether `done` comes true within the time limit; the test's own messages (its boxes' loops
// included) are handed on between the looks.
inline bool WaitFor(const std::function<bool()>& done, DWORD limitMs = 20000)
{
    for (const DWORD start = GetTickCount(); !done(); Sleep(5)) {
        if (GetTickCount() - start > limitMs)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return true;
}

// The network dialog of a program of its own, opened from its menu.
inline HWND OpenNetworkDialog(Process& program)
{
    PostMessageW(program.Window("Tidewar", nullptr), WM_COMMAND, CMD_NETWORK_GAME, 0);
    return program.Window("#32770", "Network game");
}
