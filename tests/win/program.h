// Starts the real tidewar.exe (built beside the test exe) and drives it through its windows.
#ifndef TIDEWAR_TESTS_WIN_PROGRAM_H
#define TIDEWAR_TESTS_WIN_PROGRAM_H

#include <windows.h>

#include <string>

namespace tidewar_test {

// tidewar.exe in the folder of the running test exe.
std::wstring ProgramPath();

// One tidewar.exe process. The destructor kills it if it still runs, so a failed assertion
// leaves nothing behind in the Wine prefix.
class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts ProgramPath() with `arguments` as its command line after the program name, in
    // the exe's own folder. False if the process cannot be created.
    bool Start(const std::wstring& arguments = L"");

    // Polls for the top-level window of class "Tidewar" that belongs to this process.
    // nullptr when none appears within the timeout or the process ends first.
    HWND WaitForMainWindow(DWORD timeoutMs = 5000);

    // Posts WM_CLOSE to the main window (found first if need be) and waits for the process
    // to end. On timeout kills it and returns false.
    bool Close(DWORD timeoutMs = 5000);

    // Waits for the process to end on its own; false on timeout.
    bool WaitForExit(DWORD timeoutMs);
    void Kill();

    bool Running() const;
    DWORD ExitCode() const;  // STILL_ACTIVE while running
    DWORD ProcessId() const { return info_.dwProcessId; }
    HANDLE Process() const { return info_.hProcess; }
    HWND MainWindow() const { return mainWindow_; }

private:
    PROCESS_INFORMATION info_ = {};
    HWND mainWindow_ = nullptr;
};

// Polls for a top-level window of `className` owned by `processId`, and with the caption
// `title` unless that is nullptr (dialogs and message boxes are class L"#32770").
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title,
                       DWORD timeoutMs);

std::wstring WindowText(HWND window);
SIZE WindowSize(HWND window);  // outer size, frame and caption included
SIZE ClientSize(HWND window);

} // namespace tidewar_test

#endif
