// Starts the real tidewar.exe (built beside the test exe), for what needs a process of its
// own: the "clear" command and the exit code of a normal end.
#pragma once
#include <windows.h>

#include <string>

namespace tidewar_test {

// One tidewar.exe process; the destructor kills it if it still runs.
class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts it in its own folder with `arguments` after the program name.
    bool Start(const std::wstring& arguments = L"");
    // Its window of class "Tidewar", or nullptr when none appears in time.
    HWND WaitForMainWindow(DWORD timeoutMs = 5000);
    // Posts WM_CLOSE and waits for the end; kills it and returns false on timeout.
    bool Close(DWORD timeoutMs = 5000);
    bool WaitForExit(DWORD timeoutMs);
    DWORD ExitCode() const;   // STILL_ACTIVE while running
    DWORD ProcessId() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
};

// Polls for a top-level window of the class (and the caption, unless nullptr) owned by the
// process; message boxes are of class L"#32770".
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title, DWORD timeoutMs);

} // namespace tidewar_test
